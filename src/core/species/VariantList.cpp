#include "VariantList.h"

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
    if (text.size() < 2)
        return 0;
    const QStringView code = text.left(2);
    for (int position = 1; position <= count(); ++position) {
        if (code == QLatin1String(variants[position - 1].code))
            return position;
    }
    return 0;
}
