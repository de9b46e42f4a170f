#pragma once

class QWidget;

// An entry box of a data window whose text the window logic checks and keeps.
namespace CheckedBox {

// Enabled: the usual background. Disabled: the grey of a switched-off field, with its text
// still readable, since a disabled box's value still counts.
void showEnabled(QWidget* box, bool enabled);

} // namespace CheckedBox
