// The tree record: every record line is 49 characters, and one parse of a line brings it to
// a form that formatting and parsing keep unchanged.

#include "FuzzSupport.h"
#include "tree/TreeRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    TreeFieldTexts fields;
    const int source = data.ConsumeIntegralInRange(0, 2);
    for (int i = 1; i <= TreeFieldCount; ++i) {
        const auto limit = size_t(treeField(i).maxLength);
        if (source == 0) // as much as each box takes
            fields[i] = Fuzz::consumeText(data, limit);
        else if (source == 1) // more than the boxes take
            fields[i] = Fuzz::consumeText(data, limit + 4);
    }
    if (source == 2) // a line from elsewhere
        fields = ParseTreeRecord(Fuzz::consumeText(data, 60));

    const QString line = FormatTreeRecord(fields);
    FUZZ_CHECK(line.size() == TreeRecordLength);

    // One parse brings any fields to a form that writing and reading keep; from what a box
    // holds, or from a line, the written line itself stays as it is.
    const TreeFieldTexts once = ParseTreeRecord(line);
    TreeFieldTexts settled = once;
    if (source == 1)
        settled = ParseTreeRecord(FormatTreeRecord(once)); // a cut Dbh can read as a number
    const QString written = FormatTreeRecord(settled);
    FUZZ_CHECK(written.size() == TreeRecordLength);
    FUZZ_CHECK(ParseTreeRecord(written) == settled);
    if (source != 1)
        FUZZ_CHECK(written == line);
    for (int i = 1; i <= TreeFieldCount; ++i)
        FUZZ_CHECK(once[i].size() <= treeField(i).width);
    return 0;
}
