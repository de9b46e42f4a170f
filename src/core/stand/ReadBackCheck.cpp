#include "ReadBackCheck.h"

#include "StandFieldInfo.h"
#include "base/RecordText.h"

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

// Collects the values that would not read back, in the order the values are offered.
class Finder
{
public:
    // A value that must stay one field.
    void single(int box, const QString& value)
    {
        if (value.isEmpty())
            return;
        if (onlySeparators(value))
            m_found.append({box, value, Why::BlanksOnly});
        else if (std::any_of(value.begin(), value.end(), separates))
            m_found.append({box, value, Why::Separator});
        else if (value.front() == u'"')
            m_found.append({box, value, Why::LeadingQuote});
    }

    // A list of fields: blanks between them are fine, but not a list of blanks alone.
    void list(int box, const QString& list)
    {
        if (list.isEmpty())
            return;
        if (onlySeparators(list)) {
            m_found.append({box, list, Why::BlanksOnly});
            return;
        }
        for (const QString& item :
             list.split(QRegularExpression(QStringLiteral("[ \t\r\n]+")), Qt::SkipEmptyParts))
            single(box, item);
    }

    void dropped(const QString& value) { m_found.append({0, value, Why::Dropped}); }

    const QList<UnreadableValue>& found() const { return m_found; }

private:
    QList<UnreadableValue> m_found;
};

} // namespace

QList<UnreadableValue> findUnreadableValues(const StandSet& set)
{
    Finder finder;
    finder.single(StandBox::StandId, set.standId);
    finder.single(StandBox::TreeFile, set.treeFileName);
    finder.list(StandBox::Variant, variantCodesAsWritten(set.variantCodes));
    for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
        finder.single(n, set.attributes[n]);
    // Each line is one grouping code; an empty line is simply no code.
    for (const QString& line :
         set.groupingCodes.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
        finder.single(StandBox::Groups, line);
    finder.list(StandBox::Addfile, set.addfiles);
    return finder.found();
}

std::optional<UnreadableValue> findUnreadableValue(QStringView line)
{
    const QStringList tokens = splitStandTokens(line);
    const auto from = [&](qsizetype n) { return tokens.mid(n).join(u' '); };
    Finder finder;
    switch (standRecordType(line)) {
    case 'A':
        finder.single(StandBox::StandId, tokens.value(0));
        finder.single(StandBox::TreeFile, tokens.value(1));
        if (tokens.size() > 2 && tokens[2] != QStringLiteral("@"))
            finder.dropped(tokens[2]);
        finder.list(StandBox::Variant, from(3));
        break;
    case 'B':
        for (int n = StandSet::FirstAttribute; n <= StandSet::LastAttribute; ++n)
            finder.single(n, tokens.value(n - 1));
        if (tokens.size() > StandSet::LastAttribute)
            finder.dropped(from(StandSet::LastAttribute));
        break;
    case 'C':
        finder.list(StandBox::Groups, from(1));
        break;
    case 'D':
        finder.list(StandBox::Addfile, from(1));
        break;
    default:
        break;
    }
    if (finder.found().isEmpty())
        return std::nullopt;
    return finder.found().constFirst();
}

QString unreadableReason(const UnreadableValue& found)
{
    switch (found.why) {
    case Why::Separator:
        return QStringLiteral("holds %1, which the file takes as a field separator")
            .arg(RecordText::separatorName(found.value));
    case Why::BlanksOnly:
        return QStringLiteral("holds nothing but blanks, which the file reads as no field");
    case Why::LeadingQuote:
        return QStringLiteral("begins with a double quote, which a reader takes as the start "
                              "of a quoted text");
    case Why::Dropped:
        return QStringLiteral("has no field on its line, so the reader skips it (a value with "
                              "a blank in it before it is the usual cause)");
    }
    return {};
}
