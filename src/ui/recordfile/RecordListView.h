#pragma once

#include <QAbstractItemView>

// The display list of a data window: one line per row in a fixed-pitch font.
// Rows all have one height, so painting touches only the rows on screen and adding,
// replacing or removing a line costs the same whether the list holds ten lines or 32,767.
class RecordListView : public QAbstractItemView
{
    Q_OBJECT
public:
    explicit RecordListView(QWidget* parent = nullptr);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void setModel(QAbstractItemModel* model) override;
    void reset() override;

    int rowHeight() const;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void paintEvent(QPaintEvent* event) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;

private:
    int rowCount() const;
    int visibleRows() const;
    int contentWidth() const;
    void widenFor(int first, int last);

    qsizetype m_longestLine = 0; // in characters; the font is fixed-pitch
};
