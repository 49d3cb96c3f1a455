#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

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

public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};
