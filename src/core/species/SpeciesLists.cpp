#include "SpeciesLists.h"

#include "VariantList.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

// A static library's resources are registered only when asked for, and only from outside any
// namespace.
static void registerSpeciesResource()
{
    Q_INIT_RESOURCE(species);
}

SpeciesLists::Parsed SpeciesLists::parse(QStringView text)
{
    static const QRegularExpression entryForm(QStringLiteral("^[A-Z]{1,2} = [A-Za-z ./,-]{3,28}$"));
    Parsed parsed;
    parsed.lists.resize(VariantList::count());
    QList<bool> sectionSeen(VariantList::count());
    QString variant;
    bool inSection = false;
    QStringList* list = nullptr; // none before the first section and in a refused one
    int number = 0;
    for (QStringView line : text.split(u'\n')) {
        ++number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        const auto report = [&](const char* what) {
            parsed.problems.append({variant, number, QString::fromLatin1(what)});
        };
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            inSection = true;
            variant = line.mid(1, line.size() - 2).toString();
            const int position = variant.size() == 2 ? VariantList::positionOf(variant) : 0;
            list = nullptr;
            if (position == 0)
                report("no variant has this code");
            else if (std::exchange(sectionSeen[position - 1], true))
                report("a second section of this variant");
            else
                list = &parsed.lists[position - 1];
            continue;
        }
        if (!list) {
            // The entries of a refused section go with it.
            if (!inSection)
                report("an entry before the first section");
            continue;
        }
        if (!entryForm.match(line).hasMatch()) {
            report("not \"CODE = common name\" with a code of one or two capitals and a name of "
                   "3 to 28 letters, blanks or . / , -");
            continue;
        }
        const QStringView codeAndEquals = line.left(line.indexOf(u'=') + 1);
        if (std::any_of(list->cbegin(), list->cend(),
                        [&](const QString& entry) { return entry.startsWith(codeAndEquals); })) {
            report("a second entry with this code");
            continue;
        }
        list->append(line.toString());
    }
    return parsed;
}

const SpeciesLists::Parsed& SpeciesLists::loaded()
{
    static const Parsed parsed = [] {
        registerSpeciesResource();
        QFile file(QStringLiteral(":/species/species.txt"));
        if (!file.open(QIODevice::ReadOnly))
            qWarning("The species lists are missing: %s", qPrintable(file.errorString()));
        Parsed text = parse(QString::fromUtf8(file.readAll()));
        for (const Problem& problem : text.problems)
            qWarning("species.txt line %d [%s]: %s", problem.line, qPrintable(problem.variant),
                     qPrintable(problem.what));
        return text;
    }();
    return parsed;
}

QStringList SpeciesLists::forPosition(int position)
{
    if (position < 1 || position > VariantList::count())
        return {};
    return loaded().lists.at(position - 1);
}

QStringList SpeciesLists::forText(QStringView text)
{
    return forPosition(VariantList::positionOf(text));
}

QString SpeciesLists::speciesCodeOf(QStringView displayText)
{
    return displayText.left(2).toString();
}
