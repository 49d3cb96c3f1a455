#pragma once

#include <QUrl>

// The publisher's pages. Each operation hands one fixed address to the
// desktop's browser and returns at once; whether a browser opened is not
// examined.
namespace modHelp {

// The full address of a page on the main site, as text, for callers that
// build a query of their own onto it.
QString mainSiteAddress(const char *path);

// False, and nothing opened, where the address is too long to hand to a
// browser; otherwise whether a browser opened is not examined.
bool openPage(const QUrl &url);

void OpenHomePage();
void OpenHelpPage();
void OpenDownloadPage();
void OpenCataloguePage();
void OpenDonatePage();
void OpenCoBrandPage();
void OpenFullBrandPage();

} // namespace modHelp
