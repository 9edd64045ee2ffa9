#pragma once

#include <QString>
#include <QUrl>

namespace yarrow {

// Where the bundled course site and the bundled H.15 snapshot live, and how to point elsewhere.
// Order of precedence: an explicit value (command-line option), then the environment variable,
// then the bundled copy (see ResourceFolder: beside the binary, the build's source tree, the
// install prefix).
//   YARROW_RESOURCES     the resources folder as a whole
//   YARROW_SITE_ROOT     the course site root (a folder or a URL)
//   YARROW_FRB_DATA_URL  the series folder (a folder or a URL ending in /FRBData/)
QString ResourceRoot();
QUrl SiteRootUrl(const QString& explicitValue = {});
QUrl FrbDataUrl(const QString& explicitValue = {});

// The Treasury history file: the compact form the build makes (beside the executable's
// ../resources, or in the build tree), else the text in the resources folder. With
// YARROW_RESOURCES set, only that folder is searched (compact first, then text).
QString CmtHistoryPath();

// A folder path or URL text as a URL that ends in '/'.
QUrl FolderUrl(const QString& pathOrUrl);

} // namespace yarrow
