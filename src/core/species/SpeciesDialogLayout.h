#pragma once

// Where the species dialog's resizable controls go for the dialog's outer size, all in twips.
// Below the limits the list keeps its last size, so it never shrinks to nothing.
struct SpeciesDialogLayout
{
    int listWidth = 0;
    int listHeight = 0;
    int buttonLeft = 0;
    int columns = 1; // newspaper columns of the species list

    // What the window frame adds to the client area at design size.
    static constexpr int FrameWidth = 120;
    static constexpr int FrameHeight = 405;

    static SpeciesDialogLayout forOuterSize(int outerWidth, int outerHeight, int lastListWidth,
                                            int lastListHeight);
};
