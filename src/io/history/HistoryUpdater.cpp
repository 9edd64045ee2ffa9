#include "io/history/HistoryUpdater.h"

#include "core/data/TreasuryHistory.h"
#include "io/ResourcePaths.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <memory>

namespace yarrow {

namespace {

constexpr const char* kTreasuryDefault =
    "https://home.treasury.gov/resource-center/data-chart-center/interest-rates/daily-treasury-rates.csv";
constexpr const char* kFredDefault = "https://fred.stlouisfed.org/graph/fredgraph.csv";
// The largest file accepted: a FRED series from 1962 is under half a megabyte.
constexpr qint64 kMaxFileBytes = 16 << 20;
// Disagreements listed one by one before the rest are counted.
constexpr int kListedDisagreements = 10;

QString Us(Date d) {
    return QString::fromStdString(FormatDate(d, "mm/dd/yyyy"));
}

bool Offline(QNetworkReply::NetworkError e) {
    switch (e) {
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
        return true;
    default:
        return false;
    }
}

} // namespace

QString HistoryBaseUrl(HistorySource source, const QString& explicitBase) {
    if (!explicitBase.isEmpty())
        return explicitBase;
    const QString env = qEnvironmentVariable(source == HistorySource::Fred ? "YARROW_FRED_URL" : "YARROW_TREASURY_URL");
    if (!env.isEmpty())
        return env;
    return source == HistorySource::Fred ? kFredDefault : kTreasuryDefault;
}

HistoryUpdater::HistoryUpdater(HistoryUpdateOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)), net_(new QNetworkAccessManager(this)), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] {
        timedOut_ = true;
        if (reply_)
            reply_->abort();
    });
}

HistoryUpdater::~HistoryUpdater() {
    if (reply_) {
        reply_->disconnect(this); // no report from an object being destroyed
        reply_->abort();
    }
}

QString HistoryUpdater::What(const File& f) const {
    return options_.source == HistorySource::Fred ? "FRED's series " + f.label : "the Treasury's file for " + f.label;
}

void HistoryUpdater::Start() {
    const QString bundled = options_.bundledFile.isEmpty() ? CmtHistoryPath() : options_.bundledFile;
    const QString user =
        options_.userFile.isEmpty() ? QString::fromStdString(UserHistoryFile()) : options_.userFile;
    options_.bundledFile = bundled;
    options_.userFile = user;
    try {
        held_ = LoadTreasuryHistory(bundled.toStdString(), user.toStdString());
        held_.Last();
    } catch (const CmtHistoryError& e) {
        result_.messages << QString("The history held cannot be read: %1").arg(e.what());
        faulted_ = true;
        QTimer::singleShot(0, this, &HistoryUpdater::Finish);
        return;
    }
    const QString base = HistoryBaseUrl(options_.source, options_.base);
    if (options_.source == HistorySource::Fred) {
        for (std::string_view code : {"DGS1MO", "DGS3MO", "DGS6MO", "DGS1", "DGS2", "DGS3", "DGS5", "DGS7", "DGS10",
                                      "DGS20", "DGS30"}) {
            const QString id = QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size()));
            files_.push_back({id, QUrl(base + "?id=" + id)});
        }
    } else {
        const int last = options_.lastYear > 0 ? options_.lastYear : QDate::currentDate().year();
        for (int year = Year(held_.Last()); year <= last; ++year) {
            const QString y = QString::number(year);
            files_.push_back(
                {y, QUrl(base + "/" + y + "/all?type=daily_treasury_yield_curve&field_tdr_date_value=" + y +
                         "&page&_format=csv")});
        }
    }
    QTimer::singleShot(0, this, &HistoryUpdater::FetchNext);
}

void HistoryUpdater::Cancel() {
    if (finished_)
        return;
    cancelled_ = true;
    if (reply_)
        reply_->abort();
    else
        QTimer::singleShot(0, this, &HistoryUpdater::Finish);
}

void HistoryUpdater::FetchNext() {
    if (finished_)
        return;
    if (cancelled_ || next_ == files_.size()) {
        Finish();
        return;
    }
    const File& f = files_[next_];
    QNetworkRequest request(f.url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    request.setHeader(QNetworkRequest::UserAgentHeader, "yarrow");
    timedOut_ = false;
    abortReason_.clear();
    reply_ = net_->get(request);
    const QString scheme = f.url.scheme();
    connect(reply_, &QNetworkReply::redirected, reply_, [this, scheme](const QUrl& to) {
        if (to.scheme() == scheme) {
            emit reply_->redirectAllowed();
        } else {
            abortReason_ = "it was redirected from " + scheme + " to " + to.toString();
            reply_->abort();
        }
    });
    connect(reply_, &QNetworkReply::downloadProgress, reply_, [this](qint64 received, qint64) {
        if (received > kMaxFileBytes && reply_) {
            abortReason_ = QString("it is larger than %1 MB").arg(kMaxFileBytes >> 20);
            reply_->abort();
        }
    });
    connect(reply_, &QNetworkReply::finished, this, &HistoryUpdater::OnReply);
    timer_->start(options_.timeoutSeconds * 1000);
}

void HistoryUpdater::OnReply() {
    timer_->stop();
    QNetworkReply* reply = reply_;
    reply_.clear();
    if (!reply)
        return;
    reply->deleteLater();
    if (finished_)
        return;
    const File& f = files_[next_];
    if (cancelled_) {
        Finish();
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    if (timedOut_) {
        Stop(QString("%1 did not answer within %2 s.").arg(What(f)).arg(options_.timeoutSeconds));
        return;
    }
    if (!abortReason_.isEmpty()) {
        Stop(QString("%1 was not fetched: %2.").arg(What(f), abortReason_));
        return;
    }
    if (status >= 400) {
        Stop(QString("%1 could not be fetched: HTTP %2 %3.")
                 .arg(What(f))
                 .arg(status)
                 .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        if (Offline(reply->error())) {
            Stop(QString("Cannot reach %1 (%2). The bundled history is still there, to %3.")
                     .arg(f.url.host(), reply->errorString(), Us(held_.Last())));
            return;
        }
        Stop(QString("%1 could not be fetched: %2.").arg(What(f), reply->errorString()));
        return;
    }
    if (body.size() > kMaxFileBytes) {
        Stop(QString("%1 is larger than %2 MB.").arg(What(f)).arg(kMaxFileBytes >> 20));
        return;
    }
    try {
        const bool fred = options_.source == HistorySource::Fred;
        const std::string name = ((fred ? "FRED " : "Treasury ") + f.label).toStdString();
        const std::string_view text(body.constData(), static_cast<size_t>(body.size()));
        RatesFile file = fred ? ParseFredSeries(text, name, f.label.toStdString()) : ParseTreasuryRates(text, name);
        for (const std::string& note : file.notes)
            result_.messages << QString::fromStdString(note);
        emit FileFetched(static_cast<int>(next_ + 1), FileCount(),
                         QString("Fetched %1: %2 days, %3").arg(f.label).arg(file.records.size()).arg(f.url.toString()));
        if (file.truncated) {
            // What followed the cut is missing: days after it would leave a gap that later
            // updates never fill. Newest first (or of an order one day cannot tell), the missing
            // days are the file's oldest.
            if (file.newestFirst || file.records.size() < 2 || options_.source == HistorySource::Fred) {
                Stop(QString("The days of %1 are not added: its older days are missing.").arg(What(f)));
                return;
            }
            read_.push_back(std::move(file));
            ++next_;
            Stop(QString("The files after %1 are not fetched.").arg(What(f)));
            return;
        }
        read_.push_back(std::move(file));
    } catch (const RatesFileError& e) {
        Stop(QString::fromStdString(e.what()) + ".");
        return;
    }
    ++next_;
    FetchNext();
}

void HistoryUpdater::Stop(const QString& fault) {
    faulted_ = true;
    result_.messages << fault.left(1).toUpper() + fault.mid(1);
    if (next_ < files_.size() && options_.source == HistorySource::Treasury && !read_.empty())
        result_.messages << QString("The years before %1 are kept.").arg(files_[next_].label);
    if (options_.source == HistorySource::Fred)
        read_.clear(); // a day of some series only would stay so: all or nothing
    files_.resize(next_);
    Finish();
}

void HistoryUpdater::Finish() {
    if (finished_)
        return;
    finished_ = true;
    if (cancelled_) {
        result_.messages << "The update was cancelled; the history is as it was.";
        read_.clear();
    }
    if (held_.Size() == 0) {
        emit Finished(result_);
        return;
    }
    const HistoryMerge merge = MergeNewDays(held_, JoinSeries(read_));
    if (!merge.disagreements.empty()) {
        QString list;
        for (size_t k = 0; k < merge.disagreements.size() && k < size_t(kListedDisagreements); ++k)
            list += (k ? "; " : "") + QString::fromStdString(merge.disagreements[k]);
        if (merge.disagreements.size() > size_t(kListedDisagreements))
            list += QString("; and %1 more").arg(merge.disagreements.size() - size_t(kListedDisagreements));
        result_.messages << QString("The source disagrees with %1 value(s) held, which are kept: %2.")
                                .arg(merge.disagreements.size())
                                .arg(list);
    }
    bool written = true;
    if (!merge.added.empty()) {
        written = false;
        QString error;
        try {
            QByteArray previous;
            QFile old(options_.userFile);
            if (old.exists()) {
                if (!old.open(QIODevice::ReadOnly))
                    throw CmtHistoryError("cannot read " + options_.userFile.toStdString());
                previous = old.readAll();
            }
            const std::string text = UserHistoryText(
                std::string_view(previous.constData(), static_cast<size_t>(previous.size())), merge.added);
            QDir().mkpath(QFileInfo(options_.userFile).absolutePath());
            QSaveFile out(options_.userFile);
            if (!out.open(QIODevice::WriteOnly) ||
                out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
                !out.commit())
                error = out.errorString();
            else
                written = true;
        } catch (const CmtHistoryError& e) {
            error = QString::fromStdString(e.what());
        }
        if (!written)
            result_.messages << QString("The history file %1 was not written (%2); nothing was added.")
                                    .arg(QDir::toNativeSeparators(options_.userFile), error);
    }
    result_.added = written ? static_cast<int>(merge.added.size()) : 0;
    result_.summary = written ? QString::fromStdString(AddedSummary(merge)) : QString();
    if (merge.added.empty() && (faulted_ || cancelled_))
        result_.summary = "Added no days; the history still ends on " + Us(held_.Last()) + ".";
    result_.complete = written && !faulted_ && !cancelled_;
    emit Finished(result_);
}

HistoryUpdateResult HistoryUpdater::Run(const HistoryUpdateOptions& options,
                                        const std::function<void(const QString&)>& onFile) {
    static int argc = 1;
    static char name[] = "yarrow";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QCoreApplication>(argc, argv);
    HistoryUpdater updater(options);
    HistoryUpdateResult result;
    QEventLoop loop;
    connect(&updater, &HistoryUpdater::FileFetched, &loop,
            [&](int, int, const QString& line) { onFile(line); });
    connect(&updater, &HistoryUpdater::Finished, &loop, [&](const HistoryUpdateResult& r) {
        result = r;
        loop.quit();
    });
    updater.Start();
    loop.exec();
    return result;
}

} // namespace yarrow
