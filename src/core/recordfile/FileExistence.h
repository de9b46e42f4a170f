#pragma once

#include <QDir>
#include <QHashFunctions>
#include <QString>

#include <unordered_map>

// Whether the files a record file names are there, each name looked for once: a file names the
// same few files on thousands of lines. Keep one only for the length of one check, since files
// come and go. A name without a folder is looked for in `folder`.
class FileExistence
{
public:
    explicit FileExistence(const QString& folder) : m_folder(folder) {}

    bool isFile(QStringView name);

private:
    // Looked up by a view into the line, so a name met again costs no copy.
    struct Hash
    {
        using is_transparent = void;
        size_t operator()(QStringView name) const { return qHash(name); }
    };
    struct Equal
    {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const { return a == b; }
    };

    QDir m_folder;
    std::unordered_map<QString, bool, Hash, Equal> m_known;
};
