#pragma once

#include <QString>
#include <functional>

// What a field must show after one change of its text.
struct TypingResult
{
    bool accepted = true; // the text stays exactly as it is
    QString text;         // the text the field holds afterwards
    int caret = 0;        // caret position afterwards
    bool beep = false;
};

// The typing classes of the tree and stand fields.
enum class TypingClass
{
    None,          // any text
    Integer,       // whole number: no trailing point
    Decimal,       // a lone point allowed so a value can begin with it
    SignedDecimal, // stand: a decimal, and a minus sign only as the first character
    ValueClass,    // only "1", "2" or "3"
    GrowthCode,    // stand: "0" to "3" in character order; anything else empties the field
};

// Checks a field's text after a change; `caret` is the number of characters before the caret.
// `placeholder` ("@" in the stand fields) is accepted by every class with a rule.
//
// A bad text loses the characters just before the caret, one at a time, until it is good:
// a bad keystroke vanishes and a paste of several bad characters loses all of them. A bad text
// with nothing before the caret (a value the program put there, caret at 0) stays as it is,
// so a loaded value is shown rather than destroyed.
TypingResult checkTyping(TypingClass typingClass, const QString& text, int caret,
                         const QString& placeholder = QString());

// A number box left holding nothing but signs, points and blanks: the start of a number that
// the typing rules let stand ("." or "-"), or such a value from a file, but no number.
bool isUnfinishedNumber(TypingClass typingClass, QStringView text);

// A change the user made to a box, from `previous` to `text`, checked as a whole. A change
// that brings a character without a byte in the file is refused whole, with a beep: the box
// keeps `previous`, since a paste that lost some of its characters would go on as another
// value. Then the box takes at most `maxLength` characters (0: no limit) unless the program
// put a longer value there, which may shrink but not grow, and the class check runs; what
// these refuse goes from just before the caret, with a beep.
TypingResult checkEdit(TypingClass typingClass, const QString& previous, const QString& text,
                       int caret, int maxLength, const QString& placeholder = QString());
