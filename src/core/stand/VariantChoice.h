#pragma once

#include <QString>
#include <QStringList>

// What the variant picker writes into the variant box: the codes (first two characters) of
// the ticked display texts, in list order, joined by single blanks; empty when none is ticked.
QString chosenVariantCodes(const QStringList& tickedDisplayTexts);
