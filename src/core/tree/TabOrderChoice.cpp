#include "TabOrderChoice.h"

QString TabOrderChoice::orderText(int field) const
{
    return isChosen(field) ? QString::number(m_numbers.at(field)) : QString();
}

bool TabOrderChoice::choose(int field)
{
    if (field < 1 || field > TreeFieldCount || isChosen(field))
        return false;
    m_numbers[field] = m_next;
    ++m_next;
    return true;
}

void TabOrderChoice::clear()
{
    m_numbers.fill(0);
    m_next = 1;
}
