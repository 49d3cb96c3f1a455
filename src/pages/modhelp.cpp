#include "pages/modhelp.h"

#include "pages/publisherhosts.h"

#include <QDesktopServices>

namespace modHelp {
namespace {
QUrl onMainSite(const char *path)
{
    return QUrl(mainSiteAddress(path));
}

QUrl onHelpSite(const char *path)
{
    return QUrl(QStringLiteral("http://") + PublisherHosts::helpHost() + QLatin1String(path));
}

// One program argument holds at most 128 KiB, its terminating zero included.
constexpr qsizetype MaxAddressLength = 128 * 1024 - 1;

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}
} // namespace

QString mainSiteAddress(const char *path)
{
    return QStringLiteral("http://") + PublisherHosts::mainHost() + QLatin1String(path);
}

// Qt would say on the error output that a browser could not start, address
// and all, and an address may carry what the player typed into the
// refer-a-friend form: Qt's messages about opening a page are dropped.
bool openPage(const QUrl &url)
{
    if (url.toEncoded().size() > MaxAddressLength)
        return false;
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    QDesktopServices::openUrl(url);
    qInstallMessageHandler(previous);
    return true;
}

void OpenHomePage() { openPage(onMainSite("")); }
void OpenHelpPage() { openPage(onMainSite("/numensight/numensight-help.html")); }
void OpenDownloadPage() { openPage(onMainSite("/numensight/download-numensight.html")); }
void OpenCataloguePage() { openPage(onMainSite("/gladesoftwares")); }
void OpenDonatePage() { openPage(onHelpSite("/donate.html")); }
void OpenCoBrandPage() { openPage(onHelpSite("/co-brand.html")); }
void OpenFullBrandPage() { openPage(onHelpSite("/fully-branded.html")); }

} // namespace modHelp
