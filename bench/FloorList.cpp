#include "FloorList.h"

#include <QFontDatabase>
#include <QListView>
#include <QStringListModel>

FloorList::FloorList(int width, int height)
    : m_view(std::make_unique<QListView>()), m_model(new QStringListModel(m_view.get()))
{
    m_view->setUniformItemSizes(true);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(9.75);
    m_view->setFont(font);
    m_view->setModel(m_model);
    m_view->show();
    const QSize frame = m_view->size() - m_view->viewport()->size();
    m_view->resize(QSize(width, height) + frame);
}

FloorList::~FloorList() = default;

void FloorList::setLines(QStringList lines)
{
    lines.append(QString());
    m_model->setStringList(lines);
}

int FloorList::slot() const
{
    return m_model->rowCount() - 1;
}

void FloorList::select(int row)
{
    m_view->setCurrentIndex(m_model->index(row));
}

void FloorList::moveToEnd()
{
    select(slot());
}

void FloorList::process(const QString& line)
{
    const int row = m_view->currentIndex().row();
    m_last = {row, row == slot(), false, m_model->index(row).data().toString(), row};
    if (m_last.inserted)
        m_model->insertRows(row, 1);
    m_model->setData(m_model->index(row), line);
    select(row + 1);
}

void FloorList::deleteCurrent()
{
    const int row = m_view->currentIndex().row();
    m_last = {row, false, true, m_model->index(row).data().toString(), row};
    m_model->removeRows(row, 1);
    select(qMax(0, row - 1));
}

void FloorList::undo()
{
    if (m_last.inserted) {
        m_model->removeRows(m_last.row, 1);
    } else {
        if (m_last.removed)
            m_model->insertRows(m_last.row, 1);
        m_model->setData(m_model->index(m_last.row), m_last.old);
    }
    select(m_last.current);
}
