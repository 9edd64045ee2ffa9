#include "ResourcePaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace yarrow {

QString ResourceRoot() {
    const QString fromEnv = qEnvironmentVariable("YARROW_RESOURCES");
    if (!fromEnv.isEmpty())
        return QDir(fromEnv).absolutePath();
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath() + "/../resources";
        if (QFileInfo(beside + "/FRBData").isDir())
            return QDir(beside).absolutePath();
    }
    return QStringLiteral(YARROW_SOURCE_RESOURCES);
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
    const QString compact = QStringLiteral("/history/treasury-cmt-daily-1962-2018.ycmt");
    const QString text = QStringLiteral("/history/treasury-cmt-daily-1962-2018.tsv");
    QStringList candidates;
    if (qEnvironmentVariable("YARROW_RESOURCES").isEmpty()) {
        if (QCoreApplication::instance())
            candidates << QCoreApplication::applicationDirPath() + "/../resources" + compact;
        candidates << QStringLiteral(YARROW_BINARY_RESOURCES) + compact;
    }
    candidates << ResourceRoot() + compact << ResourceRoot() + text;
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(path);
    return QDir::cleanPath(candidates.back());
}

QUrl SiteRootUrl(const QString& explicitValue) {
    return Choose(explicitValue, "YARROW_SITE_ROOT", ResourceRoot() + "/site");
}

QUrl FrbDataUrl(const QString& explicitValue) {
    return Choose(explicitValue, "YARROW_FRB_DATA_URL", ResourceRoot() + "/FRBData");
}

} // namespace yarrow
