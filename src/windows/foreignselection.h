#pragma once

#include <QClipboard>
#include <QString>

#include <optional>

// The first `length` characters of the text another program holds in the
// clipboard or the primary selection, as Qt's clipboard would give them, but
// read over an X connection of the game's own that stops once it has them:
// Qt's clipboard fetches a selection whole, however large, before a box cuts
// it to its length. Empty when no one holds the selection, or its owner
// refuses or gives nothing within the 5 seconds Qt's clipboard waits.
// Nothing off X11, when the game holds the selection itself, when the owner
// offers text in none of the plain forms (Qt may make text of its links), or
// when a connection of the game's own cannot reach it: Qt's clipboard serves
// then.
std::optional<QString> foreignSelectionText(QClipboard::Mode mode, qsizetype length);
