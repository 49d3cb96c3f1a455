#include "mainwindow/modhelp.h"

#include <QDesktopServices>

namespace modHelp {
namespace {
QUrl onMainSite(const char *path)
{
    return QUrl(MainSiteAddress(path));
}
QUrl onHelpSite(const char *path)
{
    return QUrl(QStringLiteral("http://" NUMENSIGHT_HELP_HOST) + QLatin1String(path));
}
} // namespace

QString MainSiteAddress(const char *path)
{
    return QStringLiteral("http://" NUMENSIGHT_MAIN_HOST) + QLatin1String(path);
}

QUrl HomePageUrl() { return onMainSite(""); }
QUrl HelpPageUrl() { return onMainSite("/numensight/numensight-help.html"); }
QUrl DownloadPageUrl() { return onMainSite("/numensight/download-numensight.html"); }
QUrl CataloguePageUrl() { return onMainSite("/gladesoftwares"); }
QUrl DonatePageUrl() { return onHelpSite("/donate.html"); }
QUrl CoBrandPageUrl() { return onHelpSite("/co-brand.html"); }
QUrl FullBrandPageUrl() { return onHelpSite("/fully-branded.html"); }

void OpenPage(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

void OpenHomePage() { OpenPage(HomePageUrl()); }
void OpenHelpPage() { OpenPage(HelpPageUrl()); }
void OpenDownloadPage() { OpenPage(DownloadPageUrl()); }
void OpenCataloguePage() { OpenPage(CataloguePageUrl()); }
void OpenDonatePage() { OpenPage(DonatePageUrl()); }
void OpenCoBrandPage() { OpenPage(CoBrandPageUrl()); }
void OpenFullBrandPage() { OpenPage(FullBrandPageUrl()); }

} // namespace modHelp
