#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

// Receives what the program hands to QDesktopServices::openUrl for http
// addresses, instead of a browser.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher();
    ~UrlCatcher() override;

    QList<QUrl> urls;
    QStringList addresses() const;
    // Called with each address as it arrives, to look at the program's state then.
    std::function<void(const QUrl &)> onOpen;

public Q_SLOTS:
    void open(const QUrl &url)
    {
        urls << url;
        if (onOpen)
            onOpen(url);
    }
};
