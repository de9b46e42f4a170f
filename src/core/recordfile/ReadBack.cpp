#include "ReadBack.h"

#include "base/Cp1252.h"
#include "base/RecordText.h"

#include <QStringTokenizer>
#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ReadBack {

namespace {

// Line breaks become blanks when the line is written.
bool separates(QChar c)
{
    return RecordText::isSeparator(c) || c == u'\r' || c == u'\n';
}

bool onlySeparators(QStringView text)
{
    return std::all_of(text.begin(), text.end(), separates);
}

} // namespace

void Finder::token(int field, QStringView value, bool required)
{
    // One look at each character, as nearly every value passes.
    bool encodable = true;
    qsizetype separators = 0;
    for (const QChar c : value) {
        encodable = encodable && (c.unicode() < 0x80 || Cp1252::canEncode(c));
        separators += separates(c);
    }
    if (!encodable)
        add(field, value, Why::NoByte);
    else if (value.isEmpty())
        required ? add(field, value, Why::Empty) : void();
    else if (separators == value.size())
        add(field, value, Why::BlanksOnly);
    else if (separators > 0)
        add(field, value, Why::Separator);
    else if (value.front() == u'"')
        add(field, value, Why::LeadingQuote);
}

void Finder::text(int field, QStringView value)
{
    if (!Cp1252::canEncode(value))
        add(field, value, Why::NoByte);
}

void Finder::list(int field, QStringView value, bool exact)
{
    if (!Cp1252::canEncode(value))
        return add(field, value, Why::NoByte);
    if (value.isEmpty())
        return exact ? add(field, value, Why::Empty) : void();
    if (onlySeparators(value))
        return add(field, value, Why::BlanksOnly);
    if (exact) {
        if (value.contains(u'\t') || value.contains(u'\r') || value.contains(u'\n'))
            return add(field, value, Why::Separator);
        if (value.front() == u' ' || value.back() == u' ' || value.contains(u"  "))
            return add(field, value, Why::ExtraBlanks);
        for (const QStringView name : qTokenize(value, u' ')) {
            if (RecordText::isPlaceholder(name))
                add(field, name, Why::Placeholder);
            else
                token(field, name);
        }
        return;
    }
    for (qsizetype at = 0; at < value.size();) {
        const qsizetype begin = at;
        while (at < value.size() && !separates(value[at]))
            ++at;
        if (at > begin)
            token(field, value.sliced(begin, at - begin));
        while (at < value.size() && separates(value[at]))
            ++at;
    }
}

void Finder::unquoted(int field, QStringView value)
{
    if (std::any_of(value.begin(), value.end(), separates))
        add(field, value, Why::Separator);
}

void Finder::dropped(int field, QStringView value)
{
    add(field, value, Why::Dropped);
}

bool isPlainText(QStringView text)
{
    const char16_t* c = text.utf16();
    const qsizetype size = text.size();
#if defined(__SSE2__)
    // Eight characters at a time, the last eight overlapping the ones before: every line is
    // read this way before a save.
    if (size >= 8) {
        const auto plain = [c](qsizetype at) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + at));
            const __m128i ascii = _mm_cmpeq_epi16(
                _mm_and_si128(chunk, _mm_set1_epi16(short(0xFF80))), _mm_setzero_si128());
            const __m128i odd = _mm_or_si128(
                _mm_cmpeq_epi16(chunk, _mm_set1_epi16(u'"')),
                _mm_or_si128(_mm_cmpeq_epi16(chunk, _mm_set1_epi16(u'\r')),
                             _mm_cmpeq_epi16(chunk, _mm_set1_epi16(u'\n'))));
            return _mm_movemask_epi8(_mm_andnot_si128(odd, ascii)) == 0xFFFF;
        };
        for (qsizetype at = 0; at + 8 < size; at += 8) {
            if (!plain(at))
                return false;
        }
        return plain(size - 8);
    }
#endif
    return std::none_of(c, c + size, [](char16_t u) {
        return u >= 0x80 || u == u'"' || u == u'\r' || u == u'\n';
    });
}

bool isPlainName(QStringView name)
{
    return !name.isEmpty() && name.front() != u'"' && !RecordText::isPlaceholder(name) &&
           std::none_of(name.begin(), name.end(),
                        [](QChar c) { return separates(c) || !Cp1252::canEncode(c); });
}

QString reason(const Problem& problem)
{
    switch (problem.why) {
    case Why::NoByte:
        return QStringLiteral("holds a character that the file cannot hold");
    case Why::Empty:
        return QStringLiteral("is empty");
    case Why::BlanksOnly:
        return QStringLiteral("holds nothing but blanks, which the file reads as no field");
    case Why::Separator:
        return QStringLiteral("holds %1, which the file takes as a field separator")
            .arg(RecordText::separatorName(problem.value));
    case Why::ExtraBlanks:
        return QStringLiteral("has blanks at its start or end, or more than one between names");
    case Why::LeadingQuote:
        return QStringLiteral("begins with a double quote, which a reader takes as the start "
                              "of a quoted text");
    case Why::Placeholder:
        return QStringLiteral("stands for no value, so the reader drops it");
    case Why::Dropped:
        break;
    }
    return QStringLiteral("has no field on its line, so the reader skips it (a value with a "
                          "blank in it before it is the usual cause)");
}

CheckFinding finding(int lineNumber, const QString& field, const Problem& problem,
                     const QString& note)
{
    const QString value = visibleText(problem.value);
    QString text = reason(problem) + note;
    if (problem.why == Why::Dropped)
        return {lineNumber, CheckFinding::Kind::ReadBack, QString(), value,
                QStringLiteral("\"%1\" %2").arg(value, text)};
    return {lineNumber, CheckFinding::Kind::ReadBack, field, value, text};
}

QString alertText(const QString& fileTitle, const QList<AlertValue>& values)
{
    const bool one = values.size() == 1;
    QString text =
        QStringLiteral("The %1 would not read %2 back as typed:\r\n")
            .arg(fileTitle, one ? QStringLiteral("this value") : QStringLiteral("these values"));
    for (const AlertValue& v : values) {
        text += QStringLiteral("\r\n%1 \"%2\": %3").arg(v.field, visibleText(v.value), v.why);
        if (!v.readBack.isNull() && v.readBack != v.value)
            text += QStringLiteral("; read back as \"%1\"").arg(visibleText(v.readBack));
    }
    return text + (one ? QStringLiteral("\r\n\r\nUse it anyway?")
                       : QStringLiteral("\r\n\r\nUse them anyway?"));
}

} // namespace ReadBack
