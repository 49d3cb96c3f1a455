#include "windows/selectionrequestor.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <poll.h>

#include <algorithm>
#include <chrono>

namespace {
// Qt's clipboard waits as long for each answer of an owner.
constexpr std::chrono::milliseconds kAnswerTimeout{5000};

constexpr std::array<const char *, SelectionRequestor::AtomCount> kAtomNames{
    "CLIPBOARD", "TARGETS", "INCR", "UTF8_STRING", "TEXT", "text/plain;charset=utf-8", "text/plain",
    "_NUMENSIGHT_PASTE"};

// The one requestor still taking in an answer: a new request waits for it.
QPointer<SelectionRequestor> s_answering;
} // namespace

SelectionRequestor::SelectionRequestor(QObject *parent)
    : QObject(parent)
    , m_c(xcb_connect(nullptr, nullptr))
{
    if (xcb_connection_has_error(m_c))
        return;
    m_atoms = internAtoms(m_c, kAtomNames);
    m_window = xcb_generate_id(m_c);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_c, 0, m_window, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_EVENT_MASK, &events);
}

SelectionRequestor::~SelectionRequestor()
{
    delete m_socket;
    if (m_window != XCB_NONE && !xcb_connection_has_error(m_c))
        xcb_destroy_window(m_c, m_window);
    xcb_disconnect(m_c);
}

bool SelectionRequestor::connected() const
{
    return !xcb_connection_has_error(m_c)
        && std::none_of(m_atoms.begin(), m_atoms.end(), [](xcb_atom_t a) { return a == XCB_ATOM_NONE; });
}

std::optional<SelectionRequestor::Bytes> SelectionRequestor::convert(xcb_atom_t selection, xcb_atom_t target,
                                                                   qsizetype limit)
{
    if (m_inPieces)
        return {};
    xcb_convert_selection(m_c, m_window, selection, target, atom(Destination), XCB_CURRENT_TIME);
    xcb_flush(m_c);
    const Event answer = waitFor([&](const xcb_generic_event_t *event) {
        const auto *notify = reinterpret_cast<const xcb_selection_notify_event_t *>(event);
        return (event->response_type & 0x7f) == XCB_SELECTION_NOTIFY && notify->requestor == m_window
            && notify->selection == selection;
    });
    if (!answer || reinterpret_cast<const xcb_selection_notify_event_t *>(answer.get())->property == XCB_NONE)
        return {};
    const PropertyReply first = property(limit);
    if (!first)
        return {};
    if (first->type == atom(Incr)) {
        m_inPieces = true;
        return readPieces(limit);
    }
    xcb_delete_property(m_c, m_window, atom(Destination));
    xcb_flush(m_c);
    return Bytes{QByteArray(static_cast<const char *>(xcb_get_property_value(first.get())),
                            xcb_get_property_value_length(first.get())),
                 first->bytes_after == 0};
}

SelectionRequestor::PropertyReply SelectionRequestor::property(qsizetype limit)
{
    const auto words = uint32_t((limit + 3) / 4);
    return PropertyReply(xcb_get_property_reply(
        m_c, xcb_get_property(m_c, 0, m_window, atom(Destination), XCB_GET_PROPERTY_TYPE_ANY, 0, words), nullptr));
}

bool SelectionRequestor::isNewPiece(const xcb_generic_event_t *event) const
{
    const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event);
    return (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && notify->window == m_window
        && notify->atom == atom(Destination) && notify->state == XCB_PROPERTY_NEW_VALUE;
}

// In an INCR transfer each deletion of the property takes in a piece and asks
// for the next; an empty piece ends the transfer.
void SelectionRequestor::acknowledgePiece()
{
    xcb_delete_property(m_c, m_window, atom(Destination));
    xcb_flush(m_c);
}

std::optional<SelectionRequestor::Bytes> SelectionRequestor::readPieces(qsizetype limit)
{
    Bytes read;
    for (;;) {
        acknowledgePiece();
        if (!waitFor([this](const xcb_generic_event_t *event) { return isNewPiece(event); }))
            return {};
        const PropertyReply piece = property(limit - read.data.size());
        if (!piece)
            return {};
        const int length = xcb_get_property_value_length(piece.get());
        if (length == 0 && piece->bytes_after == 0) {
            acknowledgePiece();
            m_inPieces = false;
            read.whole = true;
            return read;
        }
        read.data.append(static_cast<const char *>(xcb_get_property_value(piece.get())),
                         std::min<qsizetype>(length, limit - read.data.size()));
        if (read.data.size() >= limit)
            return read;
    }
}

void SelectionRequestor::finish()
{
    if (!m_inPieces || xcb_connection_has_error(m_c)) {
        deleteLater();
        return;
    }
    s_answering = this;
    m_socket = new QSocketNotifier(xcb_get_file_descriptor(m_c), QSocketNotifier::Read);
    connect(m_socket, &QSocketNotifier::activated, this, &SelectionRequestor::dropPieces);
    // An owner that stops sending is given up as Qt's clipboard gives it up.
    m_silence = new QTimer(this);
    m_silence->setSingleShot(true);
    connect(m_silence, &QTimer::timeout, this, &SelectionRequestor::stopDropping);
    m_silence->start(kAnswerTimeout);
    acknowledgePiece();
    dropPieces();
}

void SelectionRequestor::awaitEarlierAnswer()
{
    SelectionRequestor *earlier = s_answering;
    if (!earlier || !earlier->m_inPieces)
        return;
    while (earlier->waitFor([earlier](const xcb_generic_event_t *event) { return earlier->isNewPiece(event); })
           && earlier->dropPiece()) {
    }
    earlier->stopDropping();
}

// Drops the piece just announced, unread; false once it was the empty last one.
bool SelectionRequestor::dropPiece()
{
    m_silence->start(kAnswerTimeout);
    const PropertyReply piece = property(0);
    acknowledgePiece();
    return piece && piece->bytes_after > 0;
}

void SelectionRequestor::dropPieces()
{
    while (m_inPieces) {
        const Event event{xcb_poll_for_event(m_c)};
        if (!event)
            break;
        if (isNewPiece(event.get()) && !dropPiece())
            stopDropping();
    }
    if (m_inPieces && xcb_connection_has_error(m_c))
        stopDropping();
}

void SelectionRequestor::stopDropping()
{
    m_inPieces = false;
    m_socket->setEnabled(false);
    m_silence->stop();
    deleteLater();
}

template<class Match>
SelectionRequestor::Event SelectionRequestor::waitFor(Match matches)
{
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTimeout;
    for (;;) {
        while (Event event{xcb_poll_for_event(m_c)}) {
            if (matches(event.get()))
                return event;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (xcb_connection_has_error(m_c) || left.count() <= 0)
            return {};
        pollfd socket{xcb_get_file_descriptor(m_c), POLLIN, 0};
        poll(&socket, 1, int(left.count()) + 1);
    }
}
