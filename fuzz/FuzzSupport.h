#pragma once

// What the fuzz targets share: property checks and text generators.

#include "recordfile/Cp1252.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

// A property failure: says which, then stops so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace Fuzz {

// Characters that matter to the record formats, so most generated texts hit the rules.
inline constexpr char Alphabet[] = "@ \t.-+0123456789AaBbCcDd\",\r\nx";

inline QChar consumeChar(FuzzedDataProvider& data)
{
    const auto byte = data.ConsumeIntegral<unsigned char>();
    if (byte < 0xC0)
        return QChar(Alphabet[byte % (sizeof(Alphabet) - 1)]);
    return Cp1252::decode(QByteArray(1, char(data.ConsumeIntegral<unsigned char>()))).front();
}

// A text of single-byte characters, mostly from the alphabet above.
inline QString consumeText(FuzzedDataProvider& data, size_t maxLength)
{
    const size_t length = data.ConsumeIntegralInRange<size_t>(0, maxLength);
    QString text;
    for (size_t i = 0; i < length && data.remaining_bytes() > 0; ++i)
        text.append(consumeChar(data));
    return text;
}

} // namespace Fuzz
