#pragma once

#include <QAbstractItemView>
#include <QRawFont>

#include <array>

class DisplayList;

// The display list of a data window: one line per row in a fixed-pitch font.
// Rows all have one height and the lines are read straight from the display list, so nothing
// is measured or laid out per row: painting touches only the rows on screen, and adding,
// replacing or removing a line repaints the rows it changed (and those it moved), whether the
// list holds ten lines or 32,767.
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
    void doItemsLayout() override;

    int rowHeight() const;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void changeEvent(QEvent* event) override;

private:
    int rowCount() const;
    int firstRow() const;
    int visibleRows() const;
    int contentWidth() const;
    QString text(int row) const;
    void widenFor(int first, int last);
    // Rows first .. last, as far as they are on screen, are painted again.
    void updateRows(int first, int last);
    void readGlyphs();
    // Draws a line with its baseline at y.
    void drawLine(QPainter& painter, int x, int y, const QString& line);

    const DisplayList* m_lines = nullptr; // the model, when it is a display list
    qsizetype m_longestLine = 0; // in characters; the font is fixed-pitch
    // The font's glyph for each character up to U+00FF, 0 where a line with it is laid out
    // the usual way; made on the first paint after a font change.
    QRawFont m_rawFont;
    std::array<quint32, 256> m_glyphs{};
    qreal m_advance = 0;
    bool m_glyphsRead = false;
};
