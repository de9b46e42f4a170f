#pragma once

#include <QStringList>

#include <memory>

class QListView;
class QStringListModel;

// The floor's display list: a QListView over its own QStringListModel with uniform item sizes
// and a fixed-pitch font, shown, with the operations of the program's record file logic done
// the plain way: the lines then an empty slot, a current row, one step to take back.
class FloorList
{
public:
    // The viewport is width x height.
    FloorList(int width, int height);
    ~FloorList();

    QListView& view() { return *m_view; }
    void setLines(QStringList lines);

    void select(int row);
    void moveToEnd();
    // At the slot a new line before it; elsewhere the line replaced and the next one selected.
    void process(const QString& line);
    void deleteCurrent();
    void undo();

private:
    int slot() const;

    std::unique_ptr<QListView> m_view;
    QStringListModel* m_model;
    struct Step
    {
        int row = -1;
        bool inserted = false;
        bool removed = false;
        QString old;
        int current = 0;
    } m_last;
};
