#include "RecordListView.h"

#include "recordfile/DisplayList.h"

#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVarLengthArray>

RecordListView::RecordListView(QWidget* parent) : QAbstractItemView(parent)
{
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerItem);
    setTabKeyNavigation(false);
}

void RecordListView::setModel(QAbstractItemModel* model)
{
    m_lines = qobject_cast<const DisplayList*>(model);
    QAbstractItemView::setModel(model);
    if (model) {
        connect(model, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex&, int first) {
                    updateGeometries();
                    // The rows below move up, and the rows they leave empty show nothing now.
                    updateRows(first, firstRow() + visibleRows());
                });
    }
    reset();
}

void RecordListView::reset()
{
    QAbstractItemView::reset();
    m_longestLine = 0;
    widenFor(0, rowCount() - 1);
    updateGeometries();
    // Every line may be another now.
    viewport()->update();
}

void RecordListView::doItemsLayout()
{
    // Rows need no layout; only the scroll bars follow the lines.
    updateGeometries();
}

int RecordListView::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int RecordListView::firstRow() const
{
    return verticalScrollBar()->value();
}

int RecordListView::rowHeight() const
{
    return fontMetrics().height() + 1;
}

int RecordListView::visibleRows() const
{
    return qMax(1, viewport()->height() / rowHeight());
}

int RecordListView::contentWidth() const
{
    return int(m_longestLine) * fontMetrics().horizontalAdvance(u'M') + 4;
}

QString RecordListView::text(int row) const
{
    return m_lines ? m_lines->line(row) : model()->index(row, 0, rootIndex()).data().toString();
}

void RecordListView::widenFor(int first, int last)
{
    if (!model())
        return;
    for (int row = first; row <= last; ++row) {
        // The display list's lines know their length without being copied.
        const qsizetype length = m_lines ? m_lines->line(row).size() : text(row).size();
        m_longestLine = qMax(m_longestLine, length);
    }
}

void RecordListView::updateRows(int first, int last)
{
    const int top = qMax(first, firstRow());
    const int bottom = qMin(last, firstRow() + visibleRows());
    if (top <= bottom)
        viewport()->update(0, (top - firstRow()) * rowHeight(), viewport()->width(),
                           (bottom - top + 1) * rowHeight());
}

QRect RecordListView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    const int top = (index.row() - firstRow()) * rowHeight();
    return {-horizontalOffset(), top, qMax(viewport()->width(), contentWidth()), rowHeight()};
}

void RecordListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    // A move of the scroll bar scrolls the viewport, which paints what comes into view.
    const int row = index.row();
    const int first = firstRow();
    const int shown = visibleRows();
    if (hint == PositionAtTop || (hint == EnsureVisible && row < first))
        verticalScrollBar()->setValue(row);
    else if (hint == PositionAtBottom || (hint == EnsureVisible && row >= first + shown))
        verticalScrollBar()->setValue(row - shown + 1);
    else if (hint == PositionAtCenter)
        verticalScrollBar()->setValue(row - shown / 2);
}

QModelIndex RecordListView::indexAt(const QPoint& point) const
{
    if (point.y() < 0)
        return {};
    const int row = firstRow() + point.y() / rowHeight();
    return row < rowCount() ? model()->index(row, 0, rootIndex()) : QModelIndex();
}

QModelIndex RecordListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int count = rowCount();
    if (count == 0)
        return {};
    int row = currentIndex().isValid() ? currentIndex().row() : 0;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        --row;
        break;
    case MoveDown:
    case MoveNext:
        ++row;
        break;
    case MovePageUp:
        row -= visibleRows();
        break;
    case MovePageDown:
        row += visibleRows();
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = count - 1;
        break;
    default:
        break;
    }
    return model()->index(qBound(0, row, count - 1), 0, rootIndex());
}

int RecordListView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int RecordListView::verticalOffset() const
{
    return firstRow() * rowHeight();
}

void RecordListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const QModelIndex index = indexAt(rect.topLeft());
    if (index.isValid())
        selectionModel()->select(index, command);
}

QRegion RecordListView::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const int first = firstRow();
    const int last = first + visibleRows();
    for (const QItemSelectionRange& range : selection) {
        const int top = qMax(range.top(), first);
        const int bottom = qMin(range.bottom(), last);
        if (top > bottom)
            continue;
        region += QRect(0, (top - first) * rowHeight(), viewport()->width(),
                        (bottom - top + 1) * rowHeight());
    }
    return region;
}

void RecordListView::updateGeometries()
{
    const int shown = visibleRows();
    verticalScrollBar()->setRange(0, qMax(0, rowCount() - shown));
    verticalScrollBar()->setPageStep(shown);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, qMax(0, contentWidth() - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().horizontalAdvance(u'M'));
    QAbstractItemView::updateGeometries();
}

void RecordListView::scrollContentsBy(int dx, int dy)
{
    // The vertical scroll bar counts rows; the viewport moves by pixels.
    QAbstractItemView::scrollContentsBy(dx, dy * rowHeight());
}

void RecordListView::paintEvent(QPaintEvent* event)
{
    if (!model())
        return;
    // Each row is a highlight where selected and its text; no item delegate lays it out.
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    const int height = rowHeight();
    const int first = firstRow() + qMax(0, exposed.top()) / height;
    const int last = qMin(rowCount() - 1, firstRow() + exposed.bottom() / height);
    const QPalette::ColorGroup group = !isEnabled()                  ? QPalette::Disabled
                                       : window()->isActiveWindow() ? QPalette::Active
                                                                     : QPalette::Inactive;
    const QPalette& colours = palette();
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const QModelIndex current = currentIndex();
    const QFontMetrics metrics = fontMetrics();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        const QRect rect = visualRect(index);
        const bool selected = selectionModel() && selectionModel()->isSelected(index);
        if (selected)
            painter.fillRect(rect, colours.brush(group, QPalette::Highlight));
        painter.setPen(colours.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        drawLine(painter, rect.left() + margin,
                 rect.top() + (height - metrics.height()) / 2 + metrics.ascent(), text(row));
        if (index == current && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect;
            focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
            focus.backgroundColor = colours.color(group, selected ? QPalette::Highlight
                                                                  : QPalette::Base);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
}

void RecordListView::readGlyphs()
{
    m_glyphsRead = true;
    m_rawFont = QRawFont::fromFont(font());
    m_glyphs.fill(0);
    m_advance = 0;
    if (font().letterSpacing() != 0 || font().wordSpacing() != 0)
        return;
    QString all;
    for (char16_t c = 0x20; c <= 0xff; ++c)
        all += QChar(c);
    const QList<quint32> glyphs = m_rawFont.glyphIndexesForString(all);
    const QList<QPointF> advances = m_rawFont.advancesForGlyphIndexes(glyphs);
    for (qsizetype i = 0; i < all.size() && i < glyphs.size() && i < advances.size(); ++i) {
        const char16_t c = all[i].unicode();
        // Control characters, and the soft hyphen that shows only at a break, keep the usual
        // way; so does a glyph of another width.
        if ((c >= 0x7f && c <= 0x9f) || c == 0xad || glyphs[i] == 0 ||
            !m_rawFont.supportsCharacter(all[i]))
            continue;
        if (m_advance == 0)
            m_advance = advances[i].x();
        if (advances[i].x() == m_advance && advances[i].y() == 0)
            m_glyphs[c] = glyphs[i];
    }
}

void RecordListView::drawLine(QPainter& painter, int x, int y, const QString& line)
{
    // In a fixed-pitch font a line of plain characters is its glyphs one advance apart: drawn
    // so, it needs none of the text layout that is most of the cost of painting a row.
    if (!m_glyphsRead)
        readGlyphs();
    QVarLengthArray<quint32, 128> glyphs(line.size());
    QVarLengthArray<QPointF, 128> positions(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        glyphs[i] = c < m_glyphs.size() ? m_glyphs[c] : 0;
        if (glyphs[i] == 0) {
            painter.drawText(x, y, line);
            return;
        }
        positions[i] = QPointF(qreal(i) * m_advance, 0);
    }
    if (line.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setRawData(glyphs.constData(), positions.constData(), int(line.size()));
    painter.drawGlyphRun(QPointF(x, y), run);
}

void RecordListView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_glyphsRead = false;
    QAbstractItemView::changeEvent(event);
}

void RecordListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                 const QList<int>&)
{
    const qsizetype before = m_longestLine;
    widenFor(topLeft.row(), bottomRight.row());
    if (m_longestLine != before)
        updateGeometries();
    updateRows(topLeft.row(), bottomRight.row());
}

void RecordListView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    widenFor(start, end);
    QAbstractItemView::rowsInserted(parent, start, end);
    updateGeometries();
    // The rows below move down.
    updateRows(start, rowCount());
}
