#include "x11/frameextents.h"

#include "x11/xcbreplies.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
XcbReply<xcb_get_property_reply_t> property(xcb_connection_t *c, xcb_window_t window, xcb_atom_t name,
                                         xcb_atom_t type, uint32_t length)
{
    return XcbReply<xcb_get_property_reply_t>(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, length), nullptr));
}

// A question put to the window manager on a stand-in window of its own.
struct Question
{
    xcb_connection_t *connection = nullptr;
    xcb_window_t probe = XCB_WINDOW_NONE;
    xcb_atom_t extentsAtom = XCB_ATOM_NONE;
    QSize screen;
};

Question ask()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c)
        return {};
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t root = screen->root;

    const auto [supportedAtom, requestAtom, extentsAtom] = internAtoms(
        c, std::array<const char *, 3>{"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS"});

    const auto supported = property(c, root, supportedAtom, XCB_ATOM_ATOM, 1024);
    if (!supported)
        return {};
    const auto *list = static_cast<const xcb_atom_t *>(xcb_get_property_value(supported.get()));
    const int count = xcb_get_property_value_length(supported.get()) / int(sizeof(xcb_atom_t));
    if (std::find(list, list + count, requestAtom) == list + count)
        return {};

    // A stand-in of fixed size, as the game's windows are: a window manager
    // leaves the resize handle off such a frame.
    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    std::array<uint32_t, 18> sizeHints{};
    sizeHints[0] = (1u << 4) | (1u << 5); // PMinSize | PMaxSize
    sizeHints[5] = sizeHints[6] = sizeHints[7] = sizeHints[8] = 1;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, probe, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32,
                        uint32_t(sizeHints.size()), sizeHints.data());
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = probe;
    request.type = requestAtom;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&request));
    xcb_flush(c);
    return {c, probe, extentsAtom, QSize(screen->width_in_pixels, screen->height_in_pixels)};
}

// The answer comes as a property; a window manager answers within
// milliseconds, and one that never does costs a tenth of a second once.
QMargins answerTo(const Question &question)
{
    if (!question.connection)
        return {};
    xcb_connection_t *c = question.connection;
    QMargins extents;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    while (std::chrono::steady_clock::now() < deadline) {
        const auto answer = property(c, question.probe, question.extentsAtom, XCB_ATOM_CARDINAL, 4);
        if (answer && xcb_get_property_value_length(answer.get()) == 4 * int(sizeof(uint32_t))) {
            const auto *value = static_cast<const uint32_t *>(xcb_get_property_value(answer.get()));
            extents = plausibleFrameExtents({value[0], value[1], value[2], value[3]}, question.screen);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    xcb_destroy_window(c, question.probe);
    xcb_flush(c);
    return extents;
}

const Question &question()
{
    static const Question asked = ask();
    return asked;
}
} // namespace

void askForFrameExtents()
{
    (void)question();
}

QMargins frameExtentsOfNewWindows()
{
    static const QMargins extents = answerTo(question());
    return extents;
}

QMargins plausibleFrameExtents(const std::array<uint32_t, 4> &extents, QSize screen)
{
    const auto [left, right, top, bottom] = extents;
    if (qint64(left) + right >= screen.width() || qint64(top) + bottom >= screen.height())
        return {};
    return QMargins(int(left), int(top), int(right), int(bottom));
}
