#include "ReadBackCheck.h"

#include "StandFieldInfo.h"
#include "recordfile/RecordText.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

using Why = UnreadableValue::Why;

// Line breaks become blanks when the line is written.
bool separates(QChar c)
{
    return RecordText::isSeparator(c) || c == u'\r' || c == u'\n';
}

bool onlySeparators(QStringView text)
{
    return std::all_of(text.begin(), text.end(), separates);
}

std::optional<Why> singleFieldProblem(const QString& value)
{
    if (value.isEmpty())
        return std::nullopt;
    if (onlySeparators(value))
        return Why::BlanksOnly;
    if (std::any_of(value.begin(), value.end(), separates))
        return Why::Separator;
    if (value.front() == u'"')
        return Why::LeadingQuote;
    return std::nullopt;
}

// A list of fields: blanks between them are fine, but not a list of blanks alone.
std::optional<std::pair<QString, Why>> listProblem(const QString& list)
{
    if (list.isEmpty())
        return std::nullopt;
    if (onlySeparators(list))
        return std::pair(list, Why::BlanksOnly);
    for (const QString& item :
         list.split(QRegularExpression(QStringLiteral("[ \t\r\n]+")), Qt::SkipEmptyParts)) {
        if (item.front() == u'"')
            return std::pair(item, Why::LeadingQuote);
    }
    return std::nullopt;
}

} // namespace

std::optional<UnreadableValue> findUnreadableValue(const StandSet& set)
{
    std::optional<UnreadableValue> found;
    const auto single = [&found](int box, const QString& value) {
        if (found)
            return;
        if (const std::optional<Why> why = singleFieldProblem(value))
            found = UnreadableValue{box, value, *why};
    };
    const auto list = [&found](int box, const QString& value) {
        if (found)
            return;
        if (const auto problem = listProblem(value))
            found = UnreadableValue{box, problem->first, problem->second};
    };

    single(StandBox::StandId, set.standId);
    single(StandBox::TreeFile, set.treeFileName);
    list(StandBox::Variant, variantCodesAsWritten(set.variantCodes));
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        single(n, set.attributes[n]);
    // Each line is one grouping code; an empty line is simply no code.
    for (const QString& line :
         set.groupingCodes.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
        single(StandBox::Groups, line);
    list(StandBox::Addfile, set.addfiles);
    return found;
}

QString unreadableReason(UnreadableValue::Why why)
{
    switch (why) {
    case Why::Separator:
        return QStringLiteral("holds a blank or a tab, which separate the fields of the file");
    case Why::BlanksOnly:
        return QStringLiteral("holds nothing but blanks, which the file reads as no field");
    case Why::LeadingQuote:
        return QStringLiteral("begins with a double quote, which a reader takes as the start "
                              "of a quoted text");
    }
    return {};
}
