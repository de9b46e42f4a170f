#include "FitCaption.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOption>

namespace {

// Pixels kept free between a caption and the control to its right.
constexpr int NeighbourGap = 3;
constexpr qreal SmallestPoints = 6.0;
const char* const UnfittedFont = "unfittedFont";

// The room the caption may take: its own box, cut where a control to its right begins on the
// same row. A picture the label lies on is its background, not a neighbour.
QRect captionRoom(const QLabel* label)
{
    QRect room = label->contentsRect();
    const QWidget* parent = label->parentWidget();
    if (!parent || !(label->alignment() & Qt::AlignLeft))
        return room;
    const QRect own = label->geometry();
    for (const QObject* object : parent->children()) {
        const auto* other = qobject_cast<const QWidget*>(object);
        if (!other || other == label || other->isWindow() || !other->isVisibleTo(parent))
            continue;
        const QRect box = other->geometry();
        if (box.contains(own) || box.top() > own.bottom() || box.bottom() < own.top())
            continue;
        if (box.left() > own.left() && box.left() <= own.right() + NeighbourGap)
            room.setRight(qMin(room.right(), box.left() - own.left() - NeighbourGap - 1));
    }
    return room;
}

bool fitsIn(const QFont& font, const QRect& room, int flags, const QString& text)
{
    const QRect needed = QFontMetrics(font).boundingRect(room, flags, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// The font itself when the text fits; else narrower first, then smaller, so the text keeps
// its height as long as it can.
QFont fittedFont(const QFont& font, const QRect& room, int flags, const QString& text)
{
    if (fitsIn(font, room, flags, text))
        return font;
    QList<qreal> sizes{font.pointSizeF()};
    for (qreal size = sizes.first() - 0.5; size >= SmallestPoints; size -= 0.5)
        sizes.append(size);
    QFont fitted = font;
    for (const qreal size : sizes) {
        if (size > 0)
            fitted.setPointSizeF(size);
        for (int stretch = 100; stretch >= 70; stretch -= 5) {
            fitted.setStretch(stretch);
            if (fitsIn(fitted, room, flags, text))
                return fitted;
        }
    }
    return fitted;
}

// The path, shortened in the middle to `width`: in its folders while they keep room for a few
// characters either side, else anywhere.
QString elidedPath(const QFontMetrics& metrics, const QString& path, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const qsizetype cut = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1;
    const int folderRoom = width - metrics.horizontalAdvance(path.mid(cut));
    if (cut == 0 || folderRoom < metrics.horizontalAdvance(QStringLiteral("/home\u2026/")))
        return metrics.elidedText(path, Qt::ElideMiddle, width);
    return metrics.elidedText(path.left(cut), Qt::ElideMiddle, folderRoom) + path.mid(cut);
}

// Fits the label again each time it is shown.
class ShowFitter : public QObject
{
public:
    explicit ShowFitter(QLabel* label) : QObject(label) { label->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            fitCaption(static_cast<QLabel*>(watched));
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void fitCaption(QLabel* label)
{
    if (!label->property(UnfittedFont).isValid()) {
        label->setProperty(UnfittedFont, label->font());
        new ShowFitter(label);
    }
    int flags = int(label->alignment());
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    const QFont font = fittedFont(label->property(UnfittedFont).value<QFont>(), captionRoom(label),
                                  flags, label->text());
    if (font != label->font())
        label->setFont(font);
}

void showPath(QLineEdit* box, const QString& before, const QString& path, const QString& after)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    // A text box keeps two pixels free on either side of its text.
    const int room = box->style()
                         ->subElementRect(QStyle::SE_LineEditContents, &option, box)
                         .marginsRemoved(box->textMargins())
                         .width() -
                     4;
    const QFontMetrics metrics = box->fontMetrics();
    const int forPath = room - metrics.horizontalAdvance(before + after);
    box->setText(before + elidedPath(metrics, path, qMax(0, forPath)) + after);
    box->setCursorPosition(0);
    box->setToolTip(path);
}

void applyDesignFont()
{
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
}
