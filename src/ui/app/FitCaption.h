#pragma once

class QLabel;

// The layout was measured for a narrower dialog font: a caption that does not fit its label
// is drawn narrower rather than cut off.
void fitCaption(QLabel* label);
