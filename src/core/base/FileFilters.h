#pragma once

#include <QString>

// The file dialog's filters, pairs of description and pattern joined by '|'.
namespace FileFilters {

inline QString tree()
{
    return QStringLiteral(".VELK Tree Files (*.velk)|*.velk|.TRE Tree Files (*.tre)|*.tre|"
                          "All Files (*.*)|*.*");
}

inline QString standList()
{
    return QStringLiteral("Stand List Files (*.slf)|*.slf|All Files (*.*)|*.*");
}

inline QString locations()
{
    return QStringLiteral("Locations Files (*.loc)|*.loc|All Files (*.*)|*.*");
}

inline QString addfiles()
{
    return QStringLiteral("Addfiles (*.kcp)|*.kcp|All Files (*.*)|*.*");
}

} // namespace FileFilters
