#pragma once

class EntryFields;
class QWidget;

// Binds the entry boxes of a window to its fields, finding each box by the object name its
// field table gives (a field without a one-line box there is the window's own affair). Typing
// goes through the field's checks and the box shows what they leave, caret included; other
// changes of the box (a dialog filling it) are set as the program's; every change of a field
// shows in its box. The fields enforce the length, so a longer value the program sets shows
// whole.
namespace EntryFieldBinding {

void bind(QWidget* window, EntryFields& fields);

} // namespace EntryFieldBinding
