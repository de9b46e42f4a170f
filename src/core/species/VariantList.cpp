#include "VariantList.h"

#include <array>
#include <iterator>

namespace {

struct VariantRow
{
    const char* code;
    const char* description;
};

// Sorted by code: the position of a variant is its place in this table.
constexpr VariantRow variants[] = {
    {"ak", "Southeast Alaska, Coastal BC"},
    {"bm", "Blue Mountains"},
    {"ca", "Inland California, S Cascades"},
    {"ci", "Central Idaho"},
    {"cr", "Central Rockies"},
    {"cs", "Central States"},
    {"ec", "East Cascades"},
    {"em", "Eastern Montana"},
    {"ie", "Inland Empire"},
    {"kt", "Kootenai, Kaniksu, Tally Lake"},
    {"ls", "Lake States"},
    {"nc", "Klamath Mountains"},
    {"ne", "Northeast"},
    {"ni", "North Idaho"},
    {"pn", "Pacific Northwest Coast"},
    {"se", "Southeast"},
    {"sn", "Southern"},
    {"so", "South Central Oregon, NE CA"},
    {"tt", "Tetons"},
    {"ut", "Utah"},
    {"wc", "Westside Cascades"},
    {"ws", "Western Sierra Nevada"},
};
static_assert(std::size(variants) == VariantList::count());

} // namespace

VariantList::Entry VariantList::entry(int position)
{
    if (position < 1 || position > count())
        return {};
    const VariantRow& row = variants[position - 1];
    Entry result;
    result.code = QString::fromLatin1(row.code);
    result.description = QString::fromLatin1(row.description);
    result.displayText = result.code + QStringLiteral(" = ") + result.description;
    return result;
}

QStringList VariantList::displayTexts()
{
    QStringList texts;
    texts.reserve(count());
    for (int position = 1; position <= count(); ++position)
        texts.append(entry(position).displayText);
    return texts;
}

QString VariantList::codeOf(QStringView displayText)
{
    return displayText.left(2).toString();
}

int VariantList::positionOf(QStringView text)
{
    // Every code is two lower-case letters: a table by both, made once, as a check asks this
    // for every variant of a file.
    static const std::array<quint8, 26 * 26> positions = [] {
        std::array<quint8, 26 * 26> table{};
        for (int position = 1; position <= count(); ++position) {
            const char* code = variants[position - 1].code;
            table[size_t((code[0] - 'a') * 26 + (code[1] - 'a'))] = quint8(position);
        }
        return table;
    }();
    if (text.size() < 2)
        return 0;
    const char16_t first = text[0].unicode(), second = text[1].unicode();
    if (first < u'a' || first > u'z' || second < u'a' || second > u'z')
        return 0;
    return positions[size_t((first - u'a') * 26 + (second - u'a'))];
}
