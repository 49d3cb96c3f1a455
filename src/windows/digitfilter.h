#pragma once

// The numeric entry fields take digits and the two editing characters,
// Backspace (8) and the ASCII delete character (127), and nothing else.
namespace DigitFilter {

bool accepts(int keyAscii);

} // namespace DigitFilter
