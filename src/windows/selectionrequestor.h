#pragma once

#include "windows/xcbreplies.h"

#include <QByteArray>
#include <QObject>

#include <array>
#include <optional>

class QSocketNotifier;
class QTimer;

// An unmapped window of the game's own, on an X connection of its own, that
// asks the owner of a selection for it and reads no more of the answer than
// it needs. Its events are its own: waiting for them never takes events from
// Qt's connection, which Qt's event thread reads.
class SelectionRequestor : public QObject
{
public:
    enum Atom { Clipboard, Targets, Incr, Utf8String, Text, PlainUtf8, Plain, Destination, AtomCount };

    struct Bytes
    {
        QByteArray data;
        bool whole = false;
    };

    // On the display DISPLAY names.
    explicit SelectionRequestor(QObject *parent);
    ~SelectionRequestor() override;

    bool connected() const;
    xcb_connection_t *connection() const { return m_c; }
    xcb_atom_t atom(Atom name) const { return m_atoms[name]; }

    // What the owner of `selection` gives for `target`: its first `limit`
    // bytes, or all of them if fewer. Nothing if it refuses or does not
    // answer within the 5 seconds Qt's clipboard waits.
    std::optional<Bytes> convert(xcb_atom_t selection, xcb_atom_t target, qsizetype limit);

    // Deletes the requestor, once an owner still sending its answer in
    // pieces has sent them all, unread: some owners serve no one else until
    // then, even after the requestor's window is gone.
    void finish();

    // Waits for the rest of such an answer before a new request, as long as
    // for any answer.
    static void awaitEarlierAnswer();

private:
    using PropertyReply = XcbReply<xcb_get_property_reply_t>;
    using Event = XcbReply<xcb_generic_event_t>;

    PropertyReply property(qsizetype limit);
    bool isNewPiece(const xcb_generic_event_t *event) const;
    void acknowledgePiece();
    std::optional<Bytes> readPieces(qsizetype limit);
    bool dropPiece();
    void dropPieces();
    void stopDropping();
    template<class Match>
    Event waitFor(Match matches);

    xcb_connection_t *m_c;
    xcb_window_t m_window = XCB_NONE;
    std::array<xcb_atom_t, AtomCount> m_atoms{};
    bool m_inPieces = false;
    QSocketNotifier *m_socket = nullptr;
    QTimer *m_silence = nullptr;
};
