#include "Cp1252.h"

#include <array>

namespace {

// Bytes 0x80..0x9F; the undefined ones (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their own value.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = QChar(u >= 0x80 && u < 0xA0 ? High[u - 0x80] : char16_t(u));
    }
    return text;
}

QByteArray encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        const int b = byteOf(c);
        *out++ = static_cast<char>(b < 0 ? '?' : b);
    }
    return bytes;
}

bool canEncode(QChar c)
{
    return byteOf(c) >= 0;
}

bool canEncode(QStringView text)
{
    for (const QChar c : text) {
        if (!canEncode(c))
            return false;
    }
    return true;
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
