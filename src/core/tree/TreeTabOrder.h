#pragma once

#include "TreeRecord.h"

#include <QList>
#include <functional>

// The order in which Tab and Enter move between the 19 tree fields, right after the display
// list. Every window starts from the field order.
class TreeTabOrder
{
public:
    TreeTabOrder();

    // Field numbers by tab position: fields().at(0) has tab position 1.
    const QList<int>& fields() const { return m_fields; }
    int positionOf(int field) const { return int(m_fields.indexOf(field)) + 1; }

    // Gives `field` tab position `position` (1..19); the fields between its old and its new
    // place shift by one, so the positions stay without gaps.
    void moveTo(int field, int position);

    // Order numbers by field (index 1..19, 0 for a field not chosen), as the tab order dialog
    // collects them: the field numbered k gets position k, for k = 1, 2, ... in turn.
    void apply(const std::array<int, TreeFieldCount + 1>& orderNumbers);

    // The first field in tab order that can take the focus; 0 when none can.
    int firstField(const std::function<bool(int)>& canTakeFocus) const;

private:
    QList<int> m_fields;
};
