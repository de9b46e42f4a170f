#include "BenchFiles.h"

#include <QDir>
#include <QFile>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray treeLine(int i)
{
    return QStringLiteral("%1%2   2.51DF %3  3 85  2  12525 3 4 2 1 111\r\n")
        .arg(i / 900 + 1, 4)
        .arg(i % 900 + 100, 3)
        .arg(QString::number(5 + i % 30) + QStringLiteral(".0"), 4)
        .toLatin1();
}

QByteArray standSet(int stand, const QByteArray& groups)
{
    const QByteArray id = "S" + QByteArray::number(stand);
    const QByteArray n = QByteArray::number(stand % 6 + 1);
    return "A " + id + " t" + n + ".tre @ ie ni\r\n" + "B " + id +
           " 1999 46.5 -116.9 117 260 1900 180 30 35 20 300 5 10 0 100 @ 1 10 1 10 5 @ @ DF 70 "
           "@ @ @\r\n" +
           "C " + id + " " + groups + "\r\n" + "D " + id + " a" + n + ".kcp\r\n";
}

} // namespace

namespace BenchFiles {

Set write(const QString& folder)
{
    const QDir dir(folder);
    Set set;
    for (int n = 1; n <= 6; ++n) {
        writeFile(dir.filePath(QStringLiteral("t%1.tre").arg(n)), treeLine(n));
        writeFile(dir.filePath(QStringLiteral("a%1.kcp").arg(n)), QByteArray());
        writeFile(dir.filePath(QStringLiteral("s%1.slf").arg(n)), standSet(n, "All"));
    }

    QByteArray bytes;
    for (int i = 0; i < Records; ++i)
        bytes += treeLine(i);
    set.tree = dir.filePath(QStringLiteral("full.tre"));
    writeFile(set.tree, bytes);

    bytes.clear();
    for (int stand = 0; stand < Records / 4; ++stand)
        bytes += standSet(stand, "All North");
    set.stand = dir.filePath(QStringLiteral("full.slf"));
    writeFile(set.stand, bytes);

    bytes.clear();
    for (int i = 0; i < Records; ++i) {
        const QByteArray n = QByteArray::number(i / 2 % 6 + 1);
        bytes += i % 2 == 0 ? "A \"Location " + QByteArray::number(i) + "\" @ s" + n + ".slf @ @\r\n"
                            : "B G" + QByteArray::number(i) + " a" + n + ".kcp\r\n";
    }
    set.location = dir.filePath(QStringLiteral("full.loc"));
    writeFile(set.location, bytes);

    QByteArray code = "G";
    while (code.size() < 150000)
        code += QByteArray::number(code.size() % 10);
    bytes = standSet(1, "All") + standSet(2, "North " + code) + standSet(3, "North");
    set.groups = dir.filePath(QStringLiteral("groups.slf"));
    set.groupsSet = 4;
    writeFile(set.groups, bytes);
    return set;
}

} // namespace BenchFiles
