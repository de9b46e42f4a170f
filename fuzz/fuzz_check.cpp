// The file checks on any lines: findings in line order, on lines that exist, each saying what
// happens; and a tree line's own findings do not depend on the lines around it.

#include "FuzzSupport.h"
#include "app/FileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const int variant = data.ConsumeIntegralInRange(0, 23);
    QStringList lines;
    while (data.remaining_bytes() > 0 && lines.size() < 12)
        lines.append(Fuzz::consumeText(data, 60));

    const QList<FileCheck::FileKind> kinds = {FileCheck::FileKind::Tree, FileCheck::FileKind::Stand,
                                              FileCheck::FileKind::Locations};
    for (const FileCheck::FileKind kind : kinds) {
        const QList<CheckFinding> findings =
            FileCheck::check(kind, lines, QStringLiteral("/nonexistent/x"), variant);
        int previous = 1;
        for (const CheckFinding& f : findings) {
            FUZZ_CHECK(f.line >= previous && f.line <= lines.size());
            FUZZ_CHECK(!f.what.isEmpty() && !f.describe().isEmpty());
            previous = f.line;
        }
    }
    fileKindOf(QStringLiteral("x"), lines);

    const auto own = [](const QList<CheckFinding>& findings, int line) {
        QList<CheckFinding> result;
        for (CheckFinding f : findings) {
            if (f.line == line && f.kind != CheckFinding::Kind::DuplicateTree &&
                f.kind != CheckFinding::Kind::MergedTreeId) {
                f.line = 1;
                result.append(f);
            }
        }
        return result;
    };
    const QList<CheckFinding> all = FileCheck::check(FileCheck::FileKind::Tree, lines, {}, variant);
    for (int i = 0; i < lines.size(); ++i) {
        const QList<CheckFinding> alone =
            FileCheck::check(FileCheck::FileKind::Tree, {lines[i]}, {}, variant);
        FUZZ_CHECK(own(all, i + 1) == alone);
    }
    return 0;
}
