#pragma once

#include <QMargins>

// The frame the window manager puts around a new top-level window (title bar
// and borders, in device pixels), asked of it (_NET_REQUEST_FRAME_EXTENTS)
// once per run, before any window of the game is shown: a window placed
// before it is framed can then be placed frame and all. Null where no window
// manager answers, or off X11.
QMargins frameExtentsOfNewWindows();

// Puts the question early, so that the answer is there, without a wait, by
// the time the first window is placed.
void askForFrameExtents();
