#pragma once

class QWidget;

// Each one-line box of the window reads no more of a selection that another
// program holds than the box can still take, however the player pastes: the
// paste keys (Ctrl+V, Shift+Insert, and Ctrl+Shift+Insert for the primary
// selection), the Paste of its context menu, and a middle click. What is
// pasted is what Qt's own paste would insert. The multi-line boxes
// (textboxes.h) bound their own pastes; dropped text stays Qt's affair.
void boundPastes(QWidget *window);
