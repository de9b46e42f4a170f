#pragma once

#include <QAbstractListModel>
#include <QStringList>

class RecordFileLogic;

// The lines a data window shows: the records exactly as stored, then the new-record slot.
// A list model so a view paints only what is on screen and a one-line change touches one row.
// Only the record file logic changes it, so its undo history always fits the lines.
class DisplayList : public QAbstractListModel
{
    Q_OBJECT
public:
    // Counters are 16-bit, so the list never holds more lines than this.
    static constexpr int MaxLines = 32767;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int size() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QString& line(int index) const { return m_lines.at(index); }
    const QStringList& lines() const { return m_lines; }

private:
    friend class RecordFileLogic;

    // Lines index .. index + count - 1 become `lines`: rows whose text changes are updated,
    // the rest inserted or removed in one go.
    void replaceLines(int index, int count, const QStringList& lines);
    void reset(QStringList lines);

    QStringList m_lines;
};
