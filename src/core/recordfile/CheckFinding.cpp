#include "CheckFinding.h"

#include "base/RunBeside.h"

#include <algorithm>

namespace CheckKinds {

Severity severityOf(Kind kind)
{
    switch (kind) {
    case Kind::EndOfData:
    case Kind::ReadError:
    case Kind::UnknownLine:
    case Kind::SetWithoutA:
        return Severity::Error;
    case Kind::CommentLine:
    case Kind::SiteTree:
        return Severity::Note;
    case Kind::EmptyLine:
    case Kind::CountReadAsOne:
    case Kind::NegativeDbh:
    case Kind::DbhMisread:
    case Kind::DbhScreened:
    case Kind::ZeroDbh:
    case Kind::NonStockable:
    case Kind::DuplicateTree:
    case Kind::MergedTreeId:
    case Kind::UnknownSpecies:
    case Kind::SpeciesLeadingZeros:
    case Kind::ReadBack:
    case Kind::ShiftedValues:
    case Kind::UnknownVariant:
    case Kind::MissingTreeFile:
    case Kind::MissingAddfile:
    case Kind::MissingStandListFile:
        return Severity::Warning;
    }
    return Severity::Warning;
}

QString severityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return QStringLiteral("error");
    case Severity::Note:
        return QStringLiteral("note");
    default:
        return QStringLiteral("warning");
    }
}

} // namespace CheckKinds

QString CheckFinding::describe() const
{
    if (field.isEmpty())
        return what;
    return field + QStringLiteral(" \"") + text + QStringLiteral("\": ") + what;
}

bool isControlCharacter(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
}

QString visibleText(QStringView text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (isControlCharacter(c))
            shown +=
                QStringLiteral("<%1>").arg(int(c.unicode()), 2, 16, QLatin1Char('0')).toUpper();
        else
            shown += c;
    }
    return shown;
}

bool needsAttention(const QList<CheckFinding>& findings)
{
    return std::any_of(findings.begin(), findings.end(), [](const CheckFinding& f) {
        return f.severity() != CheckFinding::Severity::Note;
    });
}

QString checkQuestionText(const QList<CheckFinding>& findings, int shown)
{
    QList<CheckFinding> ordered = findings;
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [](const CheckFinding& a, const CheckFinding& b) { return a.severity() < b.severity(); });
    QString text = QStringLiteral("The file will not be read as it is shown here:\r\n");
    const qsizetype listed = qMin<qsizetype>(ordered.size(), shown);
    for (qsizetype i = 0; i < listed; ++i) {
        text += QStringLiteral("\r\nLine %1, %2: %3")
                    .arg(ordered[i].line)
                    .arg(CheckKinds::severityName(ordered[i].severity()), ordered[i].describe());
    }
    if (ordered.size() > listed)
        text += QStringLiteral("\r\n... and %1 more.").arg(ordered.size() - listed);
    text += QStringLiteral("\r\n\r\nOK saves the file anyway; Cancel does not save it.");
    return text;
}

QList<CheckFinding> findInHalves(size_t count, qsizetype halvesFrom,
                                 const std::function<QList<CheckFinding>(size_t, size_t)>& part,
                                 size_t earliest)
{
    const size_t middle = qsizetype(count) >= halvesFrom ? std::max(count / 2, earliest) : count;
    if (middle >= count)
        return part(0, count);
    QList<CheckFinding> first, second;
    runBeside([&] { second = part(middle, count); }, [&] { first = part(0, middle); });
    return first + second;
}
