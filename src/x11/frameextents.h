#pragma once

#include <QMargins>
#include <QSize>

#include <array>
#include <cstdint>

// The frame the window manager puts around a new top-level window (title bar
// and borders, in device pixels), asked of it (_NET_REQUEST_FRAME_EXTENTS)
// once per run, before any window of the game is shown: a window placed
// before it is framed can then be placed frame and all. Null where no window
// manager answers, or answers with a frame no screen could hold, or off X11.
QMargins frameExtentsOfNewWindows();

// Puts the question early, so that the answer is there, without a wait, by
// the time the first window is placed.
void askForFrameExtents();

// The frame a window manager states in _NET_FRAME_EXTENTS (left, right, top,
// bottom), or none where such a frame would not fit on a screen of `screen`'s
// size: the values are any other client's to set.
QMargins plausibleFrameExtents(const std::array<uint32_t, 4> &extents, QSize screen);
