#include "TreeTabOrder.h"

TreeTabOrder::TreeTabOrder()
{
    for (int field = 1; field <= TreeFieldCount; ++field)
        m_fields.append(field);
}

void TreeTabOrder::moveTo(int field, int position)
{
    const qsizetype from = m_fields.indexOf(field);
    if (from < 0 || position < 1 || position > m_fields.size())
        return;
    m_fields.move(from, position - 1);
}

void TreeTabOrder::apply(const std::array<int, TreeFieldCount + 1>& orderNumbers)
{
    for (int k = 1; k <= TreeFieldCount; ++k) {
        for (int field = 1; field <= TreeFieldCount; ++field) {
            if (orderNumbers[field] == k)
                moveTo(field, k);
        }
    }
}

int TreeTabOrder::firstField(const std::function<bool(int)>& canTakeFocus) const
{
    for (const int field : m_fields) {
        if (canTakeFocus(field))
            return field;
    }
    return 0;
}
