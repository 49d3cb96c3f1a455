#include "windows/modtellafriend.h"

#include "pages/modhelp.h"
#include "widgets/messagebox.h"

#include <QUrl>

namespace modTellAFriend {
namespace {
bool missing(const QString &value, const QString &placeholder)
{
    return value.isEmpty() || value == placeholder;
}

// Only letters, digits and "-._~" stay as they are: "&", "=", "+", "#",
// blanks and line breaks would otherwise reach the page as something else.
QByteArray encoded(const QString &value)
{
    return QUrl::toPercentEncoding(value);
}

QByteArray requestAddress(const ReferValues &values)
{
    return modHelp::mainSiteAddress("/zelk-refer-a-friend.php").toUtf8()
        + "?taf1=" + encoded(values.name)
        + "&taf2=" + encoded(values.email)
        + "&taf3=" + encoded(values.message)
        + "&taf4=" + encoded(values.friendName)
        + "&taf5=" + encoded(values.friendEmail)
        + "&taf6=" + encoded(modHelp::mainSiteAddress("/numensight/"));
}
} // namespace

ReferValues &referValues()
{
    static ReferValues values;
    return values;
}

void ReferFriend()
{
    const ReferValues &values = referValues();
    const struct
    {
        const QString &value;
        const QString &placeholder;
        const char *message;
    } checks[] = {
        {values.name, NamePlaceholder, "Please Enter Your Name"},
        {values.email, EmailPlaceholder, "Please Enter Your Email"},
        {values.message, MessagePlaceholder, "Please Enter Your Message"},
        {values.friendName, FriendNamePlaceholder, "Please Enter Your Friend's Name"},
        {values.friendEmail, FriendEmailPlaceholder, "Please Enter Your Friend's Email"},
    };
    for (const auto &check : checks) {
        if (missing(check.value, check.placeholder)) {
            showMessage(QString::fromLatin1(check.message), QMessageBox::Critical);
            return;
        }
    }
    if (!modHelp::openPage(QUrl::fromEncoded(requestAddress(values), QUrl::StrictMode)))
        showMessage(QStringLiteral("What You Have Entered Is Too Long To Send"), QMessageBox::Critical);
}

} // namespace modTellAFriend
