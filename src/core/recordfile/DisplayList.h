#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The lines a data window shows: the records exactly as stored, then the new-record slot.
// A list model so a view paints only what is on screen and a one-line change touches one row.
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

    void setLine(int index, const QString& text);
    void insertLine(int index, const QString& text);
    void appendLine(const QString& text) { insertLine(size(), text); }
    void removeLines(int index, int count = 1);
    void clear();
    void reset(QStringList lines);

private:
    QStringList m_lines;
};
