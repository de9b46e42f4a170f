#include "SpeciesDialogLayout.h"

namespace {
constexpr int ListHeightMargin = 1080; // title bar, combo row and bottom margin
constexpr int ListWidthMargin = 1620;  // left margin and the button column
constexpr int ButtonRightOffset = 1395;
constexpr int ColumnWidth = 2800;
} // namespace

SpeciesDialogLayout SpeciesDialogLayout::forOuterSize(int outerWidth, int outerHeight,
                                                      int lastListWidth, int lastListHeight)
{
    SpeciesDialogLayout layout;
    layout.listHeight =
        outerHeight > ListHeightMargin ? outerHeight - ListHeightMargin : lastListHeight;
    layout.listWidth = outerWidth > ListWidthMargin ? outerWidth - ListWidthMargin : lastListWidth;
    layout.buttonLeft = outerWidth - ButtonRightOffset;
    layout.columns = layout.listWidth <= ColumnWidth ? 1 : layout.listWidth / ColumnWidth;
    return layout;
}
