#include "FitCaption.h"

#include "HoverFrame.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOption>

namespace {

// Pixels kept free between a caption and the controls beside or below it.
constexpr int NeighbourGap = 1;
constexpr qreal SmallestPoints = 6.0;

// The free part of the parent around the label: up to the nearest controls to its left and
// right on its rows and, for a caption of several lines, below it, less a gap to each; the
// parent's edges where there are none. A picture the label lies on is its background, not a
// neighbour.
QRect freeRoom(const QLabel* label, const QRect& own)
{
    const QWidget* parent = label->parentWidget();
    // A frame's line and a window's edge want the same gap as a control.
    QRect room(NeighbourGap, own.top(), parent->width() - 2 * NeighbourGap,
               parent->height() - own.top() - NeighbourGap);
    for (const QObject* object : parent->children()) {
        const auto* other = qobject_cast<const QWidget*>(object);
        if (!other || other == label || other->isWindow() || !other->isVisibleTo(parent))
            continue;
        QRect box = other->geometry();
        // A picture's hover frame, drawn only while the pointer is over it, still takes room.
        if (const auto* picture = qobject_cast<const QLabel*>(other);
            picture && !picture->pixmap().isNull())
            box |= HoverFrame::placeAround(picture);
        if (box.contains(own))
            continue;
        const bool sameRows = box.top() <= own.bottom() && box.bottom() >= own.top();
        if (sameRows && box.left() > own.left())
            room.setRight(qMin(room.right(), box.left() - NeighbourGap - 1));
        else if (sameRows && box.right() < own.left())
            room.setLeft(qMax(room.left(), box.right() + NeighbourGap + 1));
        else if (label->wordWrap() && box.top() > own.bottom() && box.left() <= own.right() &&
                 box.right() >= own.left())
            room.setBottom(qMin(room.bottom(), box.top() - NeighbourGap - 1));
    }
    return room;
}

struct Measure
{
    QFont font;
    QSize room;
    int flags;
    QString text;
    bool operator==(const Measure&) const = default;
};

size_t qHash(const Measure& measure, size_t seed = 0)
{
    return qHashMulti(seed, measure.font, measure.room.width(), measure.room.height(),
                      measure.flags, measure.text);
}

// The size the text takes in a room of that size. Windows are built anew on every visit, with
// the same captions in the same rooms: each is laid out once, not on every build.
QSize needed(const QFont& font, const QSize& room, int flags, const QString& text)
{
    static QHash<Measure, QSize> known;
    const Measure measure{font, room, flags, text};
    const auto found = known.constFind(measure);
    if (found != known.cend())
        return *found;
    const QSize size = QFontMetrics(font).boundingRect(QRect(QPoint(), room), flags, text).size();
    // Captions naming a file differ from one time to the next: the memory stays bounded.
    if (known.size() > 4096)
        known.clear();
    known.insert(measure, size);
    return size;
}

bool fitsIn(const QFont& font, const QRect& room, int flags, const QString& text)
{
    const QSize size = needed(font, room.size(), flags, text);
    return size.width() <= room.width() && size.height() <= room.height();
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

// The label's font and geometry as built, which every fitting starts from; fits the label
// again each time it is shown.
class ShowFitter : public QObject
{
public:
    explicit ShowFitter(QLabel* label)
        : QObject(label), unfitted(label->font()), design(label->geometry())
    {
        label->installEventFilter(this);
    }

    static ShowFitter* of(QLabel* label)
    {
        for (QObject* child : label->children()) {
            if (auto* fitter = dynamic_cast<ShowFitter*>(child))
                return fitter;
        }
        return new ShowFitter(label);
    }

    const QFont unfitted;
    const QRect design;

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
    const ShowFitter* fitter = ShowFitter::of(label);
    const QFont& font = fitter->unfitted;
    const QRect& design = fitter->design;
    label->setGeometry(design);
    int flags = int(label->alignment());
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    // With a buddy, an & marks the access key and takes no room.
    if (label->buddy())
        flags |= Qt::TextShowMnemonic;
    const QString& text = label->text();
    const QWidget* parent = label->parentWidget();
    if (!parent || !(label->alignment() & Qt::AlignLeft)) {
        label->setFont(fittedFont(font, label->contentsRect(), flags, text));
        return;
    }
    // A left-aligned caption keeps its font and takes free room beside it: to its right first,
    // then, ending at its right neighbour, to its left. Only where there is too little is it
    // drawn narrower.
    const QRect free = freeRoom(label, design);
    QRect room = design;
    room.setRight(qMin(design.right(), free.right()));
    if (!fitsIn(font, room.translated(-design.topLeft()), flags, text)) {
        room.setRight(free.right());
        if (label->wordWrap())
            room.setBottom(qMax(design.bottom(), free.bottom()));
        const QSize size = needed(font, room.size(), flags, text);
        if (size.width() > room.width())
            room.setLeft(qMax(free.left(), room.right() + 1 - size.width()));
        if (fitsIn(font, QRect(QPoint(), room.size()), flags, text)) {
            label->setGeometry(
                room.left(), design.top(),
                qMax(size.width(), qMin(design.right(), free.right()) + 1 - room.left()),
                qMax(size.height(), design.height()));
            label->setFont(font);
            return;
        }
        room = design;
        room.setRight(qMin(design.right(), free.right()));
    }
    label->setFont(fittedFont(font, room.translated(-design.topLeft()), flags, text));
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
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : designFamilies()) {
        if (installed.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSize(8);
    QApplication::setFont(font);
}

QStringList designFamilies()
{
    return {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
}
