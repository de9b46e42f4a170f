#pragma once

#include "ModGlobal.h"

#include <QString>

// The file each data window edits: the one place that knows which shared value holds its name.
struct WindowFile
{
    const char* window;             // names the window in its recovery journals
    QString ModGlobal::*sharedName; // the shared value that holds the file's name
    const char* fileNameBox;        // object name of the window's file-name box
    const char* filter;             // file dialog filter, pairs joined by '|'
    const char* missingFilename;    // text of "Missing Filename"
};

namespace WindowFiles {

inline constexpr WindowFile Tree{
    "tree", &ModGlobal::TreeFileName, "txtTreeFile",
    ".VELK Tree Files (*.velk)|*.velk|.TRE Tree Files (*.tre)|*.tre|All Files (*.*)|*.*",
    "A tree data file name must be specified."};
inline constexpr WindowFile Stand{"stand", &ModGlobal::StandListFileName, "txtSlfFile",
                                  "Stand List Files (*.slf)|*.slf|All Files (*.*)|*.*",
                                  "A Stand List File name must be specified."};
inline constexpr WindowFile Location{"location", &ModGlobal::LocationsFileName, "txtLocFile",
                                     "Locations Files (*.loc)|*.loc|All Files (*.*)|*.*",
                                     "A Locations File name must be specified."};

// The addfiles that the Stand List File and the Locations File name.
inline constexpr const char* AddfilesFilter = "Addfiles (*.kcp)|*.kcp|All Files (*.*)|*.*";

} // namespace WindowFiles
