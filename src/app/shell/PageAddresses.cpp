#include "shell/PageAddresses.h"

namespace yarrow {

PageAddresses SitePageAddresses(const QUrl& siteRoot) {
    QString root = siteRoot.toString();
    if (!root.endsWith('/'))
        root += '/';
    PageAddresses a;
    a.MakerHomeURL = siteRoot.isLocalFile() ? root + "index.html" : root;
    a.HomePageURL = a.MakerHomeURL;
    a.HelpPageURL = root + "public/qalmodhtm/howtouse.htm";
    a.ModulePageURL = root + "public/qalmodhtm/";
    a.ForumURL = root + "forum/index.htm";
    a.ForumAdminURL = root + "forum/admin.htm";
    a.LinksURL = root + "links.htm";
    a.BloombergURL = "https://www.bloomberg.com/markets/treasury.html";
    a.FederalReserveURL = "https://www.federalreserve.gov/Releases/H15/update/";
    return a;
}

QString CompleteModulePageURL(const QString& modulePageUrl, const QString& helpPageUrl) {
    if (modulePageUrl == helpPageUrl)
        return modulePageUrl;
    QString url = modulePageUrl;
    url += "qalYarrow";
    url += "/page1.htm";
    return url;
}

} // namespace yarrow
