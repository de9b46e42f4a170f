#pragma once

#include "recordfile/EntryField.h"

#include <QList>

// The boxes of one stand in the stand data window: 1 (stand ID) to 29 are the values of the B
// line, in its order, followed by the other boxes the set of lines is built from.
namespace StandBox {
enum : int
{
    StandId = 1,
    InventoryYear,
    Latitude,
    Longitude,
    LocationCode,
    HabitatType,
    OriginYear,
    Aspect,
    Slope,
    Elevation,
    BasalAreaFactor,
    FixedPlotInverse,
    BreakpointDbh,
    Plots,
    NonStockablePlots,
    StandWeight,
    StockablePercent,
    DiameterGrowthCode,
    DiameterGrowthPeriod,
    HeightGrowthCode,
    HeightGrowthPeriod,
    MortalityPeriod,
    MaximumBasalArea,
    MaximumSdi,
    SiteSpecies,
    SiteIndex,
    ModelType,
    PhysiographicRegion,
    ForestType,
    TreeFile,
    Variant,
    Groups,
    Addfile,
    Last = Addfile
};
} // namespace StandBox

// Boxes 1 to 33; any other index gives an empty entry with no check and no limit.
const EntryField& standField(int index);
QList<EntryField> standEntryFields();
