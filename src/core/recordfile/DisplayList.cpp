#include "DisplayList.h"

int DisplayList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : size();
}

QVariant DisplayList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_lines.at(index.row());
    return {};
}

void DisplayList::setLine(int index, const QString& text)
{
    m_lines[index] = text;
    const QModelIndex changed = createIndex(index, 0);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole});
}

void DisplayList::insertLine(int index, const QString& text)
{
    beginInsertRows(QModelIndex(), index, index);
    m_lines.insert(index, text);
    endInsertRows();
}

void DisplayList::removeLines(int index, int count)
{
    if (count <= 0)
        return;
    beginRemoveRows(QModelIndex(), index, index + count - 1);
    m_lines.remove(index, count);
    endRemoveRows();
}

void DisplayList::clear()
{
    reset({});
}

void DisplayList::reset(QStringList lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}
