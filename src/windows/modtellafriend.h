#pragma once

#include <QString>

// The refer-a-friend request: the five texts of the exit window's form, kept
// from the press of "Refer A Friend Now" until the request is made, and the
// request that hands them to the publisher's refer-a-friend page.
namespace modTellAFriend {

struct ReferValues
{
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;
};

// The values of the last press; never written anywhere else.
ReferValues &referValues();

// The placeholders the boxes show while they hold nothing of the user's.
inline const QString NamePlaceholder = QStringLiteral("Your Name");
inline const QString EmailPlaceholder = QStringLiteral("Your Email Address");
inline const QString MessagePlaceholder = QStringLiteral("Your Message");
inline const QString FriendNamePlaceholder = QStringLiteral("Friend's Name");
inline const QString FriendEmailPlaceholder = QStringLiteral("Friend's Email Address");

// Checks the stored values in order; the first that is empty or still its
// placeholder is reported with a critical message and nothing is sent.
// Otherwise opens the request in the browser, or says that it is too long to
// hand to one.
void ReferFriend();

} // namespace modTellAFriend
