#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>

// Reading and writing record files as bytes: every line comes back exactly as stored,
// one character per byte. Lines end in CR LF when written; CR LF and LF end a line when
// read (a lone CR is part of the line); a final line end does not make an extra line.
namespace RecordFileIO {

struct Result
{
    bool ok = true;
    QString reason; // the system's reason when not ok
    bool tooManyLines = false;
    bool lastLineEnded = true; // false when the last line of what was read has no line end
};

struct ReadOptions
{
    bool skipEmptyLines = false;
    qsizetype maxLines = -1; // beyond it reading stops with tooManyLines set
};

Result readLines(const QString& fileName, QStringList* lines, ReadOptions options = {});
Result readLines(QIODevice& device, QStringList* lines, ReadOptions options = {});

// How a record file marks its record types: by the first letter of each line.
struct RecordFormat
{
    bool skipEmptyLines = false;
    QString letters; // the allowed first letters, upper case; empty: no check
};

struct Records
{
    Result result;
    QStringList lines;
    bool invalidLineSeen = false; // a line of another first letter, kept as it stands
};

Records readRecords(const QString& fileName, const RecordFormat& format, qsizetype maxLines = -1);
Records readRecords(QIODevice& device, const RecordFormat& format, qsizetype maxLines = -1);

// Replaces the file atomically: after a failure the old file is still whole.
Result writeLines(const QString& fileName, const QStringList& lines);
Result writeLines(QIODevice& device, const QStringList& lines);

bool fileExists(const QString& fileName);

} // namespace RecordFileIO
