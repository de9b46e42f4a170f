#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <span>

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
    bool otherLetterSeen = false; // a line whose first letter is none of ReadOptions::letters
};

// Tells changed bytes apart. Nobody works against it, so the quickest of Qt's hashes serves: it
// reads a full file in 2 ms where SHA-256 takes 9.
inline constexpr QCryptographicHash::Algorithm Hash = QCryptographicHash::Sha1;

// A file as it was read or written: whether it exists, its size and a hash of its bytes (none
// when they could not be read), so a later look can tell whether it is still the same.
struct FileState
{
    FileState(bool exists = false, qint64 size = 0, const QByteArray& hash = {})
        : exists(exists), size(size), m_hash(hash)
    {
    }

    bool exists;
    qint64 size;

    QByteArray hash() const;
    void setHash(const QByteArray& hash);
    // Hashing a full file takes longer than reading it, and most files loaded or saved are never
    // journaled: the bytes are kept (shared, not copied) and hashed when first asked.
    void setBytes(const QByteArray& bytes);

private:
    mutable QByteArray m_hash;
    mutable QByteArray m_bytes;
    mutable bool m_hashPending = false;
};

struct ReadOptions
{
    bool skipEmptyLines = false;
    qsizetype maxLines = -1;    // beyond it reading stops with tooManyLines set
    FileState* state = nullptr; // when given, set from the bytes read
    QString letters;            // the first letters a line may have, upper case; empty: any
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
    FileState state;
};

Records readRecords(const QString& fileName, const RecordFormat& format, qsizetype maxLines = -1);
Records readRecords(QIODevice& device, const RecordFormat& format, qsizetype maxLines = -1);

// Replaces the file atomically: after a failure the old file is still whole, after success its
// bytes are on the disk. A power cut may still give back the old file unless the new name is
// made durable too, which costs a sync of the folder: `durableName`. `written`, when given, is
// set from the bytes written. `mayReplace`, when given, is asked once the bytes are written and
// before the old file is replaced: false leaves the old file as it was and nothing beside it,
// and the result is ok.
Result writeLines(const QString& fileName, std::span<const QString> lines,
                  FileState* written = nullptr, bool durableName = true,
                  const std::function<bool()>& mayReplace = {});
inline Result writeLines(const QString& fileName, const QStringList& lines,
                         FileState* written = nullptr)
{
    return writeLines(fileName, std::span<const QString>(lines), written);
}
Result writeLines(QIODevice& device, std::span<const QString> lines, FileState* written = nullptr);

// Writes a new file, durably, and never over one that exists.
Result writeNewFile(const QString& fileName, const QStringList& lines);

bool fileExists(const QString& fileName);
bool isFolder(const QString& fileName);
FileState fileState(const QString& fileName);
// Makes the creation, renaming or removal of files in the folder survive a power cut.
void syncFolder(const QString& folder);

} // namespace RecordFileIO
