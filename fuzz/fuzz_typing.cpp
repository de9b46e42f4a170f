// The typing checks of the tree and stand boxes, driven like a user: characters typed or
// pasted at any caret position into what the box holds. A keystroke into an accepted text
// always leaves an accepted text (or an empty one), only characters just before the caret
// are ever taken out, and a text the program sets (caret at 0) is never made worse.

#include "FuzzSupport.h"
#include "stand/CheckStandField.h"
#include "tree/TreeRecord.h"

namespace {

struct Box
{
    TypingClass typing = TypingClass::None;
    int maxLength = 0;
    bool stand = false;
    int index = 0;
};

Box pickBox(FuzzedDataProvider& data)
{
    Box box;
    box.stand = data.ConsumeBool();
    if (box.stand) {
        box.index = data.ConsumeIntegralInRange(0, 31);
        box.typing = standField(box.index).typing;
        box.maxLength = standFieldMaxLength(box.index);
    } else {
        box.index = data.ConsumeIntegralInRange(1, TreeFieldCount);
        box.typing = treeField(box.index).typing;
        box.maxLength = treeField(box.index).maxLength;
    }
    return box;
}

TypingResult check(const Box& box, const QString& text, int caret)
{
    return box.stand ? CheckStandField(box.index, text, caret)
                     : checkTyping(box.typing, text, caret);
}

bool emptiesWhenBad(TypingClass typing)
{
    return typing == TypingClass::ValueClass || typing == TypingClass::GrowthCode;
}

bool isGood(const Box& box, const QString& text, int caret)
{
    return check(box, text, caret).accepted;
}

void checkResult(const Box& box, const QString& text, int caret, const TypingResult& result)
{
    FUZZ_CHECK(result.caret >= 0 && result.caret <= result.text.size());
    if (result.accepted) {
        FUZZ_CHECK(result.text == text && !result.beep);
        return;
    }
    FUZZ_CHECK(result.beep);
    if (emptiesWhenBad(box.typing)) {
        FUZZ_CHECK(result.text.isEmpty() && result.caret == 0);
        return;
    }
    // Only the characters just before the caret go.
    FUZZ_CHECK(result.caret < caret);
    FUZZ_CHECK(result.text == text.left(result.caret) + text.mid(caret));
    FUZZ_CHECK(result.text.isEmpty() || result.caret == 0 ||
               isGood(box, result.text, result.caret));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const Box box = pickBox(data);

    // A text the program sets: the caret stands at 0 and nothing can be taken out.
    const QString set = Fuzz::consumeText(data, 8);
    const TypingResult setResult = check(box, set, 0);
    checkResult(box, set, 0, setResult);
    if (!emptiesWhenBad(box.typing))
        FUZZ_CHECK(setResult.accepted && setResult.text == set);

    QString text;
    int caret = 0;
    if (data.ConsumeBool() && setResult.accepted) {
        text = set;
        caret = data.ConsumeIntegralInRange(0, int(text.size()));
    }
    while (data.remaining_bytes() > 0) {
        const bool paste = data.ConsumeIntegralInRange(0, 7) == 0;
        const QString typed = paste ? Fuzz::consumeText(data, 4) : QString(Fuzz::consumeChar(data));
        if (box.maxLength > 0 && text.size() + typed.size() > box.maxLength)
            continue; // the box takes no more
        const bool wasGood = text.isEmpty() || isGood(box, text, caret);
        const QString changed = text.left(caret) + typed + text.mid(caret);
        const int changedCaret = caret + int(typed.size());
        const TypingResult result = check(box, changed, changedCaret);
        checkResult(box, changed, changedCaret, result);
        if (wasGood && typed.size() == 1)
            FUZZ_CHECK(result.text.isEmpty() || isGood(box, result.text, result.caret));
        text = result.text;
        caret = result.caret;
        if (data.ConsumeIntegralInRange(0, 3) == 0) // the user moves the caret
            caret = data.ConsumeIntegralInRange(0, int(text.size()));
    }
    return 0;
}
