#pragma once

class QWidget;

// What every window gets once it is loaded from its definition, before it is
// first shown: the publisher's host where a caption names it, the desktop's
// colours where the definition asks for them, the size the definition gives
// it, Enter pressing the command button that has the focus (Return or the
// keypad's Enter, as on the desktop the windows were designed for; a check box
// drawn as a button is no command button), and a place in the middle of the
// screen it opens on.
void setUpWindow(QWidget *window);

// For a window without a cancel button: Escape does not close it.
void keepOpenOnEscape(QWidget *window);

// For a window the taskbar does not list; before it is first shown.
void keepOffTaskbar(QWidget *window);
