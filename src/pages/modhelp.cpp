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
} // namespace

QString mainSiteAddress(const char *path)
{
    return QStringLiteral("http://") + PublisherHosts::mainHost() + QLatin1String(path);
}

QUrl homePageUrl() { return onMainSite(""); }
QUrl helpPageUrl() { return onMainSite("/numensight/numensight-help.html"); }
QUrl downloadPageUrl() { return onMainSite("/numensight/download-numensight.html"); }
QUrl cataloguePageUrl() { return onMainSite("/gladesoftwares"); }
QUrl donatePageUrl() { return onHelpSite("/donate.html"); }
QUrl coBrandPageUrl() { return onHelpSite("/co-brand.html"); }
QUrl fullBrandPageUrl() { return onHelpSite("/fully-branded.html"); }

namespace {
// One program argument holds at most 128 KiB, its terminating zero included.
constexpr qsizetype MaxAddressLength = 128 * 1024 - 1;

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}
} // namespace

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

void OpenHomePage() { openPage(homePageUrl()); }
void OpenHelpPage() { openPage(helpPageUrl()); }
void OpenDownloadPage() { openPage(downloadPageUrl()); }
void OpenCataloguePage() { openPage(cataloguePageUrl()); }
void OpenDonatePage() { openPage(donatePageUrl()); }
void OpenCoBrandPage() { openPage(coBrandPageUrl()); }
void OpenFullBrandPage() { openPage(fullBrandPageUrl()); }

} // namespace modHelp
