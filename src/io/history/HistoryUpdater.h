#pragma once

#include "core/data/CmtHistory.h"
#include "core/data/TreasuryRates.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace yarrow {

enum class HistorySource { Treasury, Fred };

struct HistoryUpdateOptions {
    HistorySource source = HistorySource::Treasury;
    // Empty: YARROW_TREASURY_URL or YARROW_FRED_URL, else the source's own address.
    QString base;
    int timeoutSeconds = 30; // for each request
    QString bundledFile;     // empty: CmtHistoryPath()
    QString userFile;        // empty: UserHistoryFile()
    int lastYear = 0;        // the Treasury's last year to fetch; 0: this year
};

struct HistoryUpdateResult {
    bool complete = false; // every file fetched and read, the user file written when there was news
    int added = 0;
    QString summary;       // "Added 356 days, 07/14/2025 to 12/08/2026."
    QStringList messages;  // faults, dropped lines and disagreements, one a line
};

// The Treasury's default and what the environment says instead.
QString HistoryBaseUrl(HistorySource source, const QString& explicitBase = {});

// Fetches the Treasury's yearly files (from the year of the newest day held to lastYear) or the
// eleven FRED series, one request at a time, merges the days after the newest held into the user
// history file (through a temporary file and a rename) and reports. A fault stops the fetching:
// the Treasury's years before the failed one are kept; FRED's series are all or nothing.
class HistoryUpdater : public QObject {
    Q_OBJECT
public:
    explicit HistoryUpdater(HistoryUpdateOptions options, QObject* parent = nullptr);
    ~HistoryUpdater() override;

    void Start();
    void Cancel();
    int FileCount() const { return static_cast<int>(files_.size()); }

    // The whole update in a local event loop; `onFile` hears one line per file fetched. Makes a
    // QCoreApplication when the process has none (the command line).
    static HistoryUpdateResult Run(const HistoryUpdateOptions& options, const std::function<void(const QString&)>& onFile);

signals:
    void FileFetched(int done, int total, const QString& line);
    void Finished(const yarrow::HistoryUpdateResult& result);

private:
    struct File {
        QString label; // "2025" or "DGS10"
        QUrl url;
    };
    void FetchNext();
    void OnReply();
    void Stop(const QString& fault);
    void Finish();
    QString What(const File& f) const;

    HistoryUpdateOptions options_;
    QNetworkAccessManager* net_;
    QTimer* timer_;
    QPointer<QNetworkReply> reply_;
    std::vector<File> files_;
    std::vector<RatesFile> read_;
    size_t next_ = 0;
    bool timedOut_ = false;
    bool cancelled_ = false;
    bool finished_ = false;
    bool faulted_ = false;
    QString abortReason_; // why this program stopped the request
    CmtHistory held_;
    HistoryUpdateResult result_;
};

} // namespace yarrow
