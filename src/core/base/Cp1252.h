#pragma once

#include <QByteArray>
#include <QString>

// One character per byte, as the files are written: Windows-1252, with the five bytes that
// code page leaves undefined mapped to the control characters of the same value, so every
// byte decodes to its own character and encodes back unchanged.
namespace Cp1252 {

QString decode(const QByteArray& bytes);
QString decode(const char* bytes, qsizetype size);
// Characters without a byte become '?'; callers check with canEncode first.
QByteArray encode(QStringView text);
// Writes the bytes to `out`, which has room for them; returns the end.
char* encode(QStringView text, char* out);
bool canEncode(QChar c);
bool canEncode(QStringView text);
// Upper case that never leaves the code page and never changes the length ("ß" stays "ß").
QString toUpper(QStringView text);

} // namespace Cp1252
