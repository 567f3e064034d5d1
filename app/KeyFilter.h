#pragma once

class QKeyEvent;

namespace trellon {

enum class KeyVerdict {
    Accept,     // the character reaches the field
    Discard,    // the character is dropped
    NextField,  // Enter: the focus moves on along the input chain
};

// Fo, Ld, Cs, Rd and dF: digits, "," "." and Backspace; Enter moves on.
KeyVerdict crystalFieldKey(const QKeyEvent& key);

// The level: digits, "," "-" "." and Backspace; Enter is dropped.
KeyVerdict levelFieldKey(const QKeyEvent& key);

}  // namespace trellon
