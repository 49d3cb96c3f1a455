#pragma once

class QWidget;

// Enter (Return or the keypad's Enter) presses the command button that has
// the focus, in every window, as on the desktop the windows were designed
// for. A window's default button still answers Enter typed elsewhere; a check
// box drawn as a button is no command button.
void pressFocusedButtonOnEnter(QWidget *window);
