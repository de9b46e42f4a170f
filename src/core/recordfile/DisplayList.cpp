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

void DisplayList::replaceLines(int index, int count, const QStringList& lines)
{
    const int given = int(lines.size());
    const int common = qMin(count, given);
    int firstChanged = -1;
    int lastChanged = -1;
    for (int k = 0; k < common; ++k) {
        if (m_lines[index + k] == lines[k])
            continue;
        m_lines[index + k] = lines[k];
        if (firstChanged < 0)
            firstChanged = k;
        lastChanged = k;
    }
    if (firstChanged >= 0) {
        Q_EMIT dataChanged(createIndex(index + firstChanged, 0),
                           createIndex(index + lastChanged, 0), {Qt::DisplayRole});
    }
    if (given > common) {
        beginInsertRows(QModelIndex(), index + common, index + given - 1);
        m_lines.insert(index + common, given - common, QString());
        for (int k = common; k < given; ++k)
            m_lines[index + k] = lines[k];
        endInsertRows();
    } else if (count > common) {
        beginRemoveRows(QModelIndex(), index + common, index + count - 1);
        m_lines.remove(index + common, count - common);
        endRemoveRows();
    }
}

void DisplayList::reset(QStringList lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}
