#include "VariantChoice.h"

#include "species/VariantList.h"

QString chosenVariantCodes(const QStringList& tickedDisplayTexts)
{
    QStringList codes;
    for (const QString& text : tickedDisplayTexts)
        codes.append(VariantList::codeOf(text));
    return codes.join(u' ');
}
