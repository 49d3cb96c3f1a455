#pragma once

#include <QClipboard>
#include <QString>

#include <optional>

// The first `length` characters of the text another program holds in the
// clipboard or the primary selection, as Qt's clipboard would give them, but
// read over an X connection of the game's own that stops once it has them:
// Qt's clipboard fetches a selection whole, however large, before a box cuts
// it to its length. Empty when the owner offers no text or gives none within
// the 5 seconds Qt's clipboard waits. Nothing off X11, when the game holds the
// selection itself, or when no connection of its own can reach the owner:
// Qt's clipboard serves then.
std::optional<QString> foreignSelectionText(QClipboard::Mode mode, qsizetype length);
