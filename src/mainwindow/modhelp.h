#pragma once

#include <QUrl>

// The publisher's pages. Each operation hands one fixed address to the
// desktop's browser and returns at once; whether a browser opened is not
// examined.
namespace modHelp {

QUrl HomePageUrl();
QUrl HelpPageUrl();
QUrl DownloadPageUrl();
QUrl CataloguePageUrl();
QUrl DonatePageUrl();
QUrl CoBrandPageUrl();
QUrl FullBrandPageUrl();

// The full address of a page on the main site, as text, for callers that
// build a query of their own onto it.
QString MainSiteAddress(const char *path);

void OpenPage(const QUrl &url);

void OpenHomePage();
void OpenHelpPage();
void OpenDownloadPage();
void OpenCataloguePage();
void OpenDonatePage();
void OpenCoBrandPage();
void OpenFullBrandPage();

} // namespace modHelp
