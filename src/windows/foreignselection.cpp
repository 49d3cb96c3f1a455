#include "windows/foreignselection.h"

#include "windows/selectionrequestor.h"

#include <QGuiApplication>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <utility>

namespace {
using Atom = SelectionRequestor::Atom;

xcb_window_t selectionOwner(xcb_connection_t *c, xcb_atom_t selection)
{
    const XcbReply<xcb_get_selection_owner_reply_t> reply(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr));
    return reply ? reply->owner : xcb_window_t(XCB_NONE);
}

xcb_atom_t clipboardAtom(xcb_connection_t *c)
{
    return internAtoms(c, std::array<const char *, 1>{"CLIPBOARD"})[0];
}

bool gameHolds(QClipboard::Mode mode)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return mode == QClipboard::Clipboard ? clipboard->ownsClipboard() : clipboard->ownsSelection();
}

} // namespace

std::optional<QString> foreignSelectionText(QClipboard::Mode mode, qsizetype length)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") || gameHolds(mode))
        return {};
    if (length <= 0)
        return QString();
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *qt = x11 ? x11->connection() : nullptr;
    if (!qt)
        return {};
    SelectionRequestor::awaitEarlierAnswer();
    auto *requestor = new SelectionRequestor(qApp);
    const auto finish = qScopeGuard([requestor] { requestor->finish(); });
    if (!requestor->connected())
        return {};
    const bool primary = mode == QClipboard::Selection;
    const xcb_atom_t selection = primary ? xcb_atom_t(XCB_ATOM_PRIMARY) : requestor->atom(Atom::Clipboard);
    // Qt may have been given another display than DISPLAY names; the same
    // owner seen through both connections tells that they reach one server.
    const xcb_window_t owner = selectionOwner(requestor->connection(), selection);
    const xcb_atom_t qtSelection = primary ? xcb_atom_t(XCB_ATOM_PRIMARY) : clipboardAtom(qt);
    if (qtSelection == XCB_ATOM_NONE || selectionOwner(qt, qtSelection) != owner)
        return {};
    if (owner == XCB_NONE)
        return QString();

    const auto offered = requestor->convert(selection, requestor->atom(Atom::Targets), 4096);
    if (!offered)
        return QString();
    if (!offered->whole)
        return {};
    const auto *targets = reinterpret_cast<const xcb_atom_t *>(offered->data.constData());
    const auto *targetsEnd = targets + offered->data.size() / qsizetype(sizeof(xcb_atom_t));
    // Qt's order for plain text, and whether it reads each as UTF-8 or Latin-1.
    const std::array<std::pair<xcb_atom_t, bool>, 5> kinds{{{requestor->atom(Atom::Utf8String), true},
                                                            {XCB_ATOM_STRING, false},
                                                            {requestor->atom(Atom::Text), false},
                                                            {requestor->atom(Atom::PlainUtf8), true},
                                                            {requestor->atom(Atom::Plain), true}}};
    const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const auto &k) {
        return std::find(targets, targetsEnd, k.first) != targetsEnd;
    });
    if (kind == kinds.end())
        return {};
    const bool utf8 = kind->second;

    // Each UTF-16 unit takes at most three bytes of UTF-8. A cut-off read
    // holds at least as many as asked, so a character cut short at its end
    // (at most three bytes) decodes past what is kept.
    auto fetched = requestor->convert(selection, kind->first, utf8 ? 3 * length + 4 : length);
    if (!fetched)
        return QString();
    QByteArray &bytes = fetched->data;
    if (fetched->whole && bytes.endsWith('\0'))
        bytes.chop(1);
    return (utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes)).left(length);
}
