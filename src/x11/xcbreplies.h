#pragma once

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

// Replies and events from the X protocol library, which the caller frees.
struct XcbFree
{
    void operator()(void *reply) const { std::free(reply); }
};
template<class T>
using XcbReply = std::unique_ptr<T, XcbFree>;

// The server's atoms for `names`, asked for in one round trip; XCB_ATOM_NONE
// where it gave none.
template<std::size_t N>
std::array<xcb_atom_t, N> internAtoms(xcb_connection_t *c, const std::array<const char *, N> &names)
{
    std::array<xcb_intern_atom_cookie_t, N> cookies;
    for (std::size_t i = 0; i < N; ++i)
        cookies[i] = xcb_intern_atom(c, 0, uint16_t(std::strlen(names[i])), names[i]);
    std::array<xcb_atom_t, N> atoms{};
    for (std::size_t i = 0; i < N; ++i) {
        const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    return atoms;
}
