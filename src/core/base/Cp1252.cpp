#include "Cp1252.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Bytes 0x80..0x9F; the undefined ones (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their own value.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Every byte's character.
constexpr std::array<char16_t, 256> Characters = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = b >= 0x80 && b < 0xA0 ? High[b - 0x80] : char16_t(b);
    return table;
}();

int byteOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < int(High.size()); ++i) {
        if (High[i] == u)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

namespace Cp1252 {

QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

QString decode(const char* bytes, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes);
    qsizetype i = 0;
#if defined(__SSE2__)
    // Most bytes are plain ASCII: sixteen of them at a time widen without the table.
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        if (_mm_movemask_epi8(chunk) != 0) {
            for (int k = 0; k < 16; ++k)
                out[i + k] = Characters[in[i + k]];
            continue;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(chunk, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(chunk, zero));
    }
#endif
    for (; i < size; ++i)
        out[i] = Characters[in[i]];
    return text;
}

QByteArray encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encode(text, bytes.data());
    return bytes;
}

char* encode(QStringView text, char* out)
{
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    // Eight plain ASCII characters at a time narrow without the table.
    const __m128i high = _mm_set1_epi16(short(0xFF80));
    for (; i + 8 <= size; i += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(chunk, high), _mm_setzero_si128())) !=
            0xFFFF)
            break;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(chunk, chunk));
        out += 8;
    }
#endif
    for (; i < size; ++i) {
        const char16_t u = in[i];
        const int b = u < 0x80 ? u : byteOf(QChar(u));
        *out++ = static_cast<char>(b < 0 ? '?' : b);
    }
    return out;
}

bool canEncode(QChar c)
{
    return byteOf(c) >= 0;
}

bool canEncode(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x80 || byteOf(c) >= 0; });
}

QString toUpper(QStringView text)
{
    QString result = text.toString();
    for (QChar& c : result) {
        const QChar upper = c.toUpper();
        if (canEncode(upper))
            c = upper;
    }
    return result;
}

} // namespace Cp1252
