#pragma once

#include <QString>

// The files the benchmarks work on: a full file of each kind (as many records as a display
// holds), clean so that no check question comes up, and the few files they name.
namespace BenchFiles {

constexpr int Records = 32766;

struct Set
{
    QString tree;     // 32,766 filled-in tree records, every tree ID different
    QString stand;    // 8,191 stands of A, B, C and D lines naming six tree data files
    QString location; // A and B lines in turn, naming six Stand List Files
    QString groups;   // a few stands, one of them with a grouping code of 150,000 characters
    int groupsSet = 0; // the line of that stand's A line
};

// Writes them into `folder`.
Set write(const QString& folder);

} // namespace BenchFiles
