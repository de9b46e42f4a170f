#include "FileExistence.h"

#include <QFileInfo>

bool FileExistence::isFile(QStringView name)
{
    if (const auto known = m_known.find(name); known != m_known.end())
        return known->second;
    QString kept = name.toString();
    // No file name holds a NUL; asked about one, Qt only complains on the error output.
    const bool there = !kept.contains(QChar(0)) && QFileInfo(m_folder, kept).isFile();
    m_known.emplace(std::move(kept), there);
    return there;
}
