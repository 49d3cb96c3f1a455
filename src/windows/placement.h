#pragma once

class QWidget;

// Fixes a window at the size its definition gives it: a dialog's client
// area, or a main window's client area (held by its central widget's
// minimum and maximum size) below its menu bar.
void FixClientSize(QWidget *window);

// Centres a window that is not yet shown on the screen it will open on.
void CentreOnScreen(QWidget *window);
