#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>

// Takes the http addresses the program hands to QDesktopServices::openUrl,
// in place of a browser.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

    QStringList addresses;
    // Called as each address arrives, to look at the program's state then.
    std::function<void()> onOpen;

public Q_SLOTS:
    void open(const QUrl &url)
    {
        addresses << QString::fromLatin1(url.toEncoded());
        if (onOpen)
            onOpen();
    }
};
