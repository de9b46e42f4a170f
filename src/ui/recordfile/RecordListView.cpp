#include "RecordListView.h"

#include <QPainter>
#include <QScrollBar>

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
    QAbstractItemView::setModel(model);
    if (model) {
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this] {
            updateGeometries();
            viewport()->update();
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
}

int RecordListView::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
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

void RecordListView::widenFor(int first, int last)
{
    if (!model())
        return;
    for (int row = first; row <= last; ++row)
        m_longestLine =
            qMax(m_longestLine, model()->index(row, 0, rootIndex()).data().toString().size());
}

QRect RecordListView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    const int top = (index.row() - verticalScrollBar()->value()) * rowHeight();
    return {-horizontalOffset(), top, qMax(viewport()->width(), contentWidth()), rowHeight()};
}

void RecordListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int row = index.row();
    const int first = verticalScrollBar()->value();
    const int shown = visibleRows();
    if (hint == PositionAtTop || (hint == EnsureVisible && row < first))
        verticalScrollBar()->setValue(row);
    else if (hint == PositionAtBottom || (hint == EnsureVisible && row >= first + shown))
        verticalScrollBar()->setValue(row - shown + 1);
    else if (hint == PositionAtCenter)
        verticalScrollBar()->setValue(row - shown / 2);
    viewport()->update();
}

QModelIndex RecordListView::indexAt(const QPoint& point) const
{
    if (point.y() < 0)
        return {};
    const int row = verticalScrollBar()->value() + point.y() / rowHeight();
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
    return verticalScrollBar()->value() * rowHeight();
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
    const int first = verticalScrollBar()->value();
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

void RecordListView::paintEvent(QPaintEvent*)
{
    if (!model())
        return;
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int first = verticalScrollBar()->value();
    const int last = qMin(rowCount() - 1, first + visibleRows());
    const QModelIndex current = currentIndex();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        option.rect = visualRect(index);
        option.state = QStyle::State_Enabled;
        if (selectionModel() && selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (index == current && hasFocus())
            option.state |= QStyle::State_HasFocus;
        if (isEnabled() && window()->isActiveWindow())
            option.state |= QStyle::State_Active;
        itemDelegate()->paint(&painter, option, index);
    }
}

void RecordListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                 const QList<int>& roles)
{
    const qsizetype before = m_longestLine;
    widenFor(topLeft.row(), bottomRight.row());
    if (m_longestLine != before)
        updateGeometries();
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    viewport()->update();
}

void RecordListView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    widenFor(start, end);
    QAbstractItemView::rowsInserted(parent, start, end);
    updateGeometries();
    viewport()->update();
}
