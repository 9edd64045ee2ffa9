#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace yarrow {

// The course pages, all under one site root (the bundled site by default).
struct PageAddresses {
    QString HomePageURL;   // the course home page
    QString HelpPageURL;   // .../public/qalmodhtm/howtouse.htm
    QString ModulePageURL; // .../public/qalmodhtm/ (the module folder until start-up completes it)
    QString ForumURL;      // the student forum
    QString ForumAdminURL; // the forum set-up page for instructors
    QString MakerHomeURL;  // the site's home "/"
    QString LinksURL;      // .../links.htm
    QString BloombergURL;  // the address-box entries beside the home page
    QString FederalReserveURL;
};

// The addresses under siteRoot. A root that is a local folder has no server to answer "/" with
// its index page, so there the home page is index.html itself.
PageAddresses SitePageAddresses(const QUrl& siteRoot);

// The module's start page: when the module folder differs from the help page, "qalYarrow" and
// "/page1.htm" are appended to it; otherwise it is left as it is.
QString CompleteModulePageURL(const QString& modulePageUrl, const QString& helpPageUrl);

} // namespace yarrow
