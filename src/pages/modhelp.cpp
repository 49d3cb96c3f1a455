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

void openPage(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

void OpenHomePage() { openPage(homePageUrl()); }
void OpenHelpPage() { openPage(helpPageUrl()); }
void OpenDownloadPage() { openPage(downloadPageUrl()); }
void OpenCataloguePage() { openPage(cataloguePageUrl()); }
void OpenDonatePage() { openPage(donatePageUrl()); }
void OpenCoBrandPage() { openPage(coBrandPageUrl()); }
void OpenFullBrandPage() { openPage(fullBrandPageUrl()); }

} // namespace modHelp
