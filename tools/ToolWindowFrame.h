#pragma once

class QAbstractButton;
class QWidget;

namespace trellon {

// What every tool window does alike: its size and place on the screen, its keys and the order
// Tab walks its fields in.

// Bounds the window's size by the available area of its owner's screen (the primary screen
// without an owner), room for the title bar and frame included, and moves it over its owner,
// wholly on that screen. Call before showing.
void placeOnScreen(QWidget& window, const QWidget* owner);

// Places the window on screen, then shows it in front with the focus.
void bringForward(QWidget& window, const QWidget* owner);

// Enter (either key) clicks `run` (when there is one) while it is enabled, wherever the focus is in
// the window, and Esc closes the window. Tab walks the window's fields row by row, left to right,
// as the layout shows them.
void bindToolWindowKeys(QWidget& window, QAbstractButton* run);

// Chains the focus of the window's fields in the order the layout shows them: row by row from
// the top, left to right within a row. Call again after the layout changes.
void orderTabsByLayout(QWidget& window);

// Marks a part of a window (a panel beside other fields) whose fields Tab walks together, in
// their own rows, after the window's other fields.
void walkTabsAsOneGroup(QWidget& part);

}  // namespace trellon
