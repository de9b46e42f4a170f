#include "Controls.h"

#include "app/FitCaption.h"
#include "app/Twips.h"
#include "recordfile/RecordFileBinding.h"
#include "recordfile/RecordListView.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Controls {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QString& tooltip, int left, int top, int width, int height, bool tabStop)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(tooltip);
    b->setAutoDefault(false);
    // Buttons other than the process button are reached by mouse or access key only.
    b->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    Twips::place(b, left, top, width, height);
    return b;
}

QLineEdit* textBox(QWidget* parent, const QString& name, const QString& tooltip, int left, int top,
                   int width, int height)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setToolTip(tooltip);
    Twips::place(t, left, top, width, height);
    return t;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top,
              int width, int height)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    Twips::place(l, left, top, width, height);
    fitCaption(l);
    return l;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height)
{
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    Twips::place(f, left, top, width, height);
    return f;
}

RecordListView* recordList(QWidget* parent, const QString& name, double pointSize, int left,
                           int top, int width, int height)
{
    auto* list = new RecordListView(parent);
    list->setObjectName(name);
    RecordFileBinding::setDisplayFont(list, pointSize);
    Twips::place(list, left, top, width, height);
    return list;
}

} // namespace Controls
