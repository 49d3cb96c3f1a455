#include "support/urlcatcher.h"

#include <QDesktopServices>

UrlCatcher::UrlCatcher()
{
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
}

UrlCatcher::~UrlCatcher()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

QStringList UrlCatcher::addresses() const
{
    QStringList result;
    for (const QUrl &url : urls)
        result << QString::fromLatin1(url.toEncoded());
    return result;
}
