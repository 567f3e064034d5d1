#pragma once

class QLineEdit;

namespace trellon {

// The width a line edit leaves for its text: inside its frame and text margins, less the two
// pixels it keeps free at each side. A wider text scrolls, and part of it is hidden.
int lineEditTextRoom(const QLineEdit* field);

}  // namespace trellon
