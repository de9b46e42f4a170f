#include "FrmStandData.h"

#include "app/CheckedBox.h"
#include "app/ClickableLabel.h"
#include "app/Controls.h"
#include "app/EntryKeys.h"
#include "app/FitCaption.h"
#include "app/HoverFrame.h"
#include "app/Twips.h"
#include "base/ModGlobal.h"
#include "recordfile/EntryFieldBinding.h"
#include "recordfile/RecordFileBinding.h"
#include "recordfile/RecordListView.h"
#include "stand/DlgVariants.h"
#include "stand/StandWindowLogic.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The stand boxes stand in three columns: 2 to 11, 12 to 20 and 21 to 29.
struct Column
{
    int first;
    int boxLeft;
    int labelLeft;
};
constexpr Column Columns[] = {{2, 1980, 180}, {12, 5100, 3240}, {21, 7980, 6120}};

const Column& columnOf(int box)
{
    return box >= 21 ? Columns[2] : box >= 12 ? Columns[1] : Columns[0];
}

// The multi-line box shows line feeds; the logic keeps CR LF, as the window writes them.
QString withLineFeeds(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString withCrLf(QString text)
{
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

// Wrapping at blanks takes time that grows with the square of a line's length where a word is
// wider than the box: a line of 150,000 characters froze the window for seconds. So a line that
// long wraps anywhere, as its long words do anyway; the text stays as it is.
void wrapFor(QPlainTextEdit* box, const QString& text)
{
    constexpr qsizetype LongLine = 1000;
    qsizetype longest = 0;
    for (qsizetype start = 0; start <= text.size() && longest <= LongLine;) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        longest = qMax(longest, end - start);
        start = end + 1;
    }
    const QTextOption::WrapMode mode = longest > LongLine
                                           ? QTextOption::WrapAnywhere
                                           : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (box->wordWrapMode() != mode)
        box->setWordWrapMode(mode);
}

// The text as typed, no-break spaces included; paragraph and line breaks as line feeds.
QString plainText(const QPlainTextEdit* box)
{
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

} // namespace

FrmStandData::FrmStandData()
    : DataWindow(WindowChain::Window::Stand),
      m_logic(new StandWindowLogic(modGlobal(), userInterface(), this))
{
    buildTop();
    buildStandBoxes();
    buildRecordControls();

    connect(m_browseTree, &QPushButton::clicked, m_logic, &StandWindowLogic::browseTree);
    connect(m_browseAddfile, &QPushButton::clicked, m_logic, &StandWindowLogic::browseAddfile);
    connect(m_variants, &QPushButton::clicked, this, &FrmStandData::openVariants);
    EntryFieldBinding::bind(this, m_logic->fields());
    connect(&m_logic->fields(), &EntryFields::changed, this, &FrmStandData::showGroups);
    connect(m_logic, &StandWindowLogic::addfilesSwitched, this, &FrmStandData::updateAddfiles);

    updateAddfiles();
    applyTabOrder();
}

void FrmStandData::buildTop()
{
    QGroupBox* fileFrame = Controls::frame(
        this, QStringLiteral("Frame2"), QStringLiteral("Stand List File name"), 60, 0, 4395, 675);
    buildFileBox(fileFrame, "txtSlfFile", "File that the stand data are to be written to", 120, 240,
                 "cmdBrowseSlf", 3480);
    QLabel* treeFileLabel = Controls::label(
        this, QStringLiteral("Label4"),
        QStringLiteral("VELK Tree Data File associated with the info below"), 4680, 60, 3675, 195);
    const auto box = [this](int index, int left, int top, int width, int height) {
        m_boxes[index] = Controls::textBox(this, QString::fromLatin1(standField(index).box),
                                           QString::fromLatin1(standField(index).hint), left, top,
                                           width, height);
    };
    box(StandBox::TreeFile, 4680, 300, 3315, 315);
    treeFileLabel->setBuddy(m_boxes[StandBox::TreeFile]);
    m_browseTree = Controls::button(this, QStringLiteral("cmdBrowseTree"),
                                    QStringLiteral("Bro&wse"), QString(), 8040, 300, 795, 315);

    // The pictures of the addfiles switch: hidden holders, and the hover frame behind them.
    m_hoverFrame = new HoverFrame(this);
    m_switchOnPicture =
        m_hoverFrame->addHolder(QStringLiteral("imgSwitch_0"), QStringLiteral(":/switch_on.png"));
    m_switchOffPicture =
        m_hoverFrame->addHolder(QStringLiteral("imgSwitch_99"), QStringLiteral(":/switch_off.png"));
    m_switch = m_hoverFrame->addPicture(
        QStringLiteral("imgSwitch_1"),
        QStringLiteral("Click to turn the addfiles field \"on\" or \"off\""), 120, 780, 240, 240);
    connect(m_switch, &ClickableLabel::clicked, m_logic, &StandWindowLogic::toggleAddfiles);
    auto* addfilesLabel = new ClickableLabel(this);
    addfilesLabel->setObjectName(QStringLiteral("lblAddfiles"));
    // Alt+F turns the switch as a click does; no other control of the window has F.
    addfilesLabel->setText(QStringLiteral("Add&files"));
    Twips::place(addfilesLabel, 420, 780, 555, 195);
    fitCaption(addfilesLabel);
    connect(addfilesLabel, &ClickableLabel::clicked, m_logic, &StandWindowLogic::toggleAddfiles);
    box(StandBox::Addfile, 1020, 720, 2595, 315);
    addfilesLabel->setBuddy(m_boxes[StandBox::Addfile]);
    m_browseAddfile = Controls::button(this, QStringLiteral("cmdBrowseAddfile"),
                                       QStringLiteral("Browse"), QString(), 3660, 720, 795, 315);

    // The variant box covers the label's right end; the caption ends before the box.
    QLabel* variantLabel = Controls::label(this, QStringLiteral("lblData_0"),
                                           QStringLiteral("Variant code(s)"), 5640, 780, 1335, 195);
    box(StandBox::Variant, 6780, 720, 1215, 315);
    variantLabel->setBuddy(m_boxes[StandBox::Variant]);
    m_variants = Controls::button(this, QStringLiteral("cmdVariants"), QStringLiteral("&List"),
                                  QString(), 8040, 720, 555, 315);

    QLabel* locationLabel =
        Controls::label(this, QStringLiteral("Label1"), QStringLiteral("Location/Project Name"),
                        180, 1140, 2175, 195);
    buildLocationNote();
    locationLabel->setBuddy(m_location);

    QLabel* groupsLabel = Controls::label(
        this, QStringLiteral("Label2"), QStringLiteral("Grouping Code(s)"), 3060, 1140, 1635, 195);
    m_groups = Controls::multiLineBox(this, QStringLiteral("txtGroups"),
                                      QString::fromLatin1(standField(StandBox::Groups).hint), 3000,
                                      1380, 3015, 735);
    m_groups->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    groupsLabel->setBuddy(m_groups);
    bindGroups();
    QLabel* standIdLabel = Controls::label(this, QStringLiteral("lblData_1"),
                                           QStringLiteral("Stand ID"), 6120, 1140, 1275, 195);
    box(StandBox::StandId, 6060, 1380, 2775, 735);
    standIdLabel->setBuddy(m_boxes[StandBox::StandId]);
}

void FrmStandData::buildLocationNote()
{
    m_location = Controls::multiLineBox(this, QStringLiteral("txtLocation"), QString(), 120, 1380,
                                        2835, 735);
    const QString note = StandWindowLogic::locationNote();
    m_location->setPlainText(withLineFeeds(note));
    m_location->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_location->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_location->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every line must show whole: a font narrow enough for the longest.
    QFont font = m_location->font();
    const int room = m_location->width() - 2 * m_location->frameWidth() - 2 * 2 - 1;
    const QStringList lines = note.split(QStringLiteral("\r\n"));
    for (int stretch = 100; stretch >= 70; stretch -= 5) {
        font.setStretch(stretch);
        const QFontMetrics metrics(font);
        if (std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
                return metrics.horizontalAdvance(line) <= room;
            }))
            break;
    }
    m_location->setFont(font);
    CheckedBox::showEnabled(m_location, false);
}

void FrmStandData::buildStandBoxes()
{
    for (int index = StandSet::FirstAttribute; index <= StandSet::LastAttribute; ++index) {
        const Column& column = columnOf(index);
        const int top = 2220 + 360 * (index - column.first);
        const EntryField& info = standField(index);
        QLabel* label = Controls::label(this, QStringLiteral("lblData_%1").arg(index),
                                        QString::fromLatin1(info.name), column.labelLeft, top + 60,
                                        column.boxLeft - column.labelLeft - 60, 195);
        label->setToolTip(QString::fromLatin1(info.hint));
        m_boxes[index] = Controls::textBox(this, QString::fromLatin1(info.box), QString(),
                                           column.boxLeft, top, 855, 315);
        label->setBuddy(m_boxes[index]);
    }
}

void FrmStandData::applyTabOrder()
{
    QList<QWidget*> chain{m_fileBox, m_boxes[StandBox::TreeFile], m_boxes[StandBox::Variant],
                          m_groups};
    for (int index = StandBox::StandId; index <= StandSet::LastAttribute; ++index)
        chain.append(m_boxes[index]);
    chain << m_process << m_boxes[StandBox::Addfile] << m_display;
    for (qsizetype k = 0; k + 1 < chain.size(); ++k)
        setTabOrder(chain[k], chain[k + 1]);

    auto* keys = new EntryKeys(this);
    keys->enterAsTab(m_fileBox);
    keys->noSelectionOnFocus(m_fileBox);
    keys->enterAsTab(m_display);
    keys->noSelectionOnFocus(m_boxes[StandBox::Addfile]);
    for (int index = StandBox::StandId; index <= StandBox::Variant; ++index) {
        keys->enterAsTab(m_boxes[index]);
        keys->selectAllOnFocus(m_boxes[index]);
    }
}

void FrmStandData::bindGroups()
{
    // A multi-line box has no separate signal for typing: every change counts as one.
    connect(m_groups, &QPlainTextEdit::textChanged, m_logic, [this] {
        const QString shown = plainText(m_groups);
        wrapFor(m_groups, shown);
        const QString text = withCrLf(shown);
        if (text == m_logic->field(StandBox::Groups))
            return;
        const int caret = m_groups->textCursor().position();
        const TypingResult result = m_logic->fields().edited(
            StandBox::Groups, text, caret + int(shown.left(caret).count(u'\n')));
        if (result.text == text)
            return;
        wrapFor(m_groups, withLineFeeds(result.text));
        m_groups->setPlainText(withLineFeeds(result.text));
        QTextCursor cursor = m_groups->textCursor();
        cursor.setPosition(result.caret -
                           int(result.text.left(result.caret).count(QStringLiteral("\r\n"))));
        m_groups->setTextCursor(cursor);
    });
}

void FrmStandData::showGroups(int index, const QString& text)
{
    if (index != StandBox::Groups || withCrLf(plainText(m_groups)) == text)
        return;
    const QString shown = withLineFeeds(text);
    wrapFor(m_groups, shown);
    m_groups->setPlainText(shown);
}

void FrmStandData::updateAddfiles()
{
    const bool on = m_logic->addfilesOn();
    m_switch->setPixmap(on ? m_switchOnPicture->pixmap() : m_switchOffPicture->pixmap());
    m_switch->setProperty("tag", m_logic->addfilesTag());
    CheckedBox::showEnabled(m_boxes[StandBox::Addfile], on);
    m_browseAddfile->setEnabled(on);
}

void FrmStandData::openVariants()
{
    DlgVariants dialog(this, m_boxes[StandBox::Variant]);
    dialog.exec();
}

RecordFileLogic& FrmStandData::logic()
{
    return *m_logic;
}
