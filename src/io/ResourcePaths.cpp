#include "ResourcePaths.h"

#include "core/data/ResourceFolder.h"

#include <QDir>

namespace yarrow {

QString ResourceRoot() {
    return QString::fromStdString(ResourceFolder());
}

QUrl FolderUrl(const QString& pathOrUrl) {
    QUrl url = QUrl::fromUserInput(pathOrUrl, QDir::currentPath(), QUrl::AssumeLocalFile);
    QString path = url.path();
    if (!path.endsWith('/')) {
        path += '/';
        url.setPath(path);
    }
    return url;
}

static QUrl Choose(const QString& explicitValue, const char* envName, const QString& bundled) {
    if (!explicitValue.isEmpty())
        return FolderUrl(explicitValue);
    const QString fromEnv = qEnvironmentVariable(envName);
    if (!fromEnv.isEmpty())
        return FolderUrl(fromEnv);
    return FolderUrl(bundled);
}

QString CmtHistoryPath() {
    return QString::fromStdString(CmtHistoryFile());
}

QUrl SiteRootUrl(const QString& explicitValue) {
    return Choose(explicitValue, "YARROW_SITE_ROOT", ResourceRoot() + "/site");
}

QUrl FrbDataUrl(const QString& explicitValue) {
    return Choose(explicitValue, "YARROW_FRB_DATA_URL", ResourceRoot() + "/FRBData");
}

} // namespace yarrow
