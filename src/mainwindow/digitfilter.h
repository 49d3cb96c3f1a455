#pragma once

class QKeyEvent;

// The entry fields judge each typed character by its code, as the key
// arrives and before the field acts on it.
namespace DigitFilter {

// The character code a key press would type, with Ctrl+letter giving its
// control character (Ctrl+A is 1, Ctrl+V 22); -1 for keys that type nothing
// (arrows, Home, End, the Delete key, Tab moving the focus, Alt shortcuts).
int KeyAsciiOf(const QKeyEvent &event);

// Digits, Backspace (8) and the ASCII delete character (127) pass.
bool Accepts(int keyAscii);

} // namespace DigitFilter
