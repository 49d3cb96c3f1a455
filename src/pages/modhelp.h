#pragma once

#include <QUrl>

// The publisher's pages. Each operation hands one fixed address to the
// desktop's browser and returns at once; whether a browser opened is not
// examined.
namespace modHelp {

QUrl homePageUrl();
QUrl helpPageUrl();
QUrl downloadPageUrl();
QUrl cataloguePageUrl();
QUrl donatePageUrl();
QUrl coBrandPageUrl();
QUrl fullBrandPageUrl();

// The full address of a page on the main site, as text, for callers that
// build a query of their own onto it.
QString mainSiteAddress(const char *path);

// One program argument holds at most 128 KiB, its terminating zero included.
inline constexpr qsizetype MaxAddressLength = 128 * 1024 - 1;

void openPage(const QUrl &url);

void OpenHomePage();
void OpenHelpPage();
void OpenDownloadPage();
void OpenCataloguePage();
void OpenDonatePage();
void OpenCoBrandPage();
void OpenFullBrandPage();

} // namespace modHelp
