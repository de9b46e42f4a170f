#pragma once

#include "TreeRecord.h"

#include <QString>
#include <QtGlobal>
#include <array>

// The tab order dialog's state: the fields clicked so far, each with its order number.
class TabOrderChoice
{
public:
    bool isChosen(int field) const { return m_numbers.at(field) != 0; }
    // The text of the field's order box: empty until chosen.
    QString orderText(int field) const;
    const std::array<int, TreeFieldCount + 1>& orderNumbers() const { return m_numbers; }

    // False when the field was chosen already.
    bool choose(int field);
    void clear();

private:
    qint16 m_next = 1;
    std::array<int, TreeFieldCount + 1> m_numbers{};
};
