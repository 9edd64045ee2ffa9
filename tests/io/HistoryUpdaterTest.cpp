// The history update against a real HTTP server on 127.0.0.1: the Treasury's yearly files, FRED's
// series in both layouts, and each fault ending in a message with nothing lost.

#include "io/history/HistoryUpdater.h"
#include "support/LocalHttpServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace yarrow {
namespace {

const QString kBundled = QStringLiteral(YARROW_SOURCE_DIR "/resources/history/treasury-cmt-daily-1962-2025.tsv");

// The Treasury's layout: quoted headings with columns we do not keep, MM/DD/YYYY, newest first.
const QByteArray kHeading = "Date,\"1 Mo\",\"1.5 Mo\",\"2 Mo\",\"3 Mo\",\"4 Mo\",\"6 Mo\",\"1 Yr\",\"2 Yr\",\"3 Yr\","
                            "\"5 Yr\",\"7 Yr\",\"10 Yr\",\"20 Yr\",\"30 Yr\"\r\n";
QByteArray TreasuryRow(const char* date, const char* tenYear) {
    return QByteArray(date) + ",4.36,4.36,4.37,4.41,4.38,4.31,4.09,3.90,3.86,3.99,4.19," + tenYear + ",4.96,4.96\r\n";
}
const QByteArray k2025 = kHeading + TreasuryRow("07/16/2025", "4.45") + TreasuryRow("07/15/2025", "4.44") +
                         TreasuryRow("07/14/2025", "4.42") + TreasuryRow("07/11/2025", "4.43");
const QByteArray k2026 = kHeading + TreasuryRow("01/05/2026", "4.50") + TreasuryRow("01/02/2026", "4.48");

// The server's process needs the application object first.
struct Application {
    Application() {
        static int argc = 1;
        static char name[] = "io_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv); // lives as long as the test program
    }
};

class Served : Application {
public:
    Served() : server_(dir_.path()) {
        Write("treasury/2025/all", k2025);
        Write("treasury/2026/all", k2026);
    }
    void Write(const QString& path, const QByteArray& content) {
        QDir(dir_.path()).mkpath(QFileInfo(path).path());
        QFile f(dir_.path() + "/" + path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
    }
    void Remove(const QString& path) { QFile::remove(dir_.path() + "/" + path); }
    HistoryUpdateOptions Options(HistorySource source = HistorySource::Treasury) const {
        HistoryUpdateOptions o;
        o.source = source;
        o.base = server_.Url(source == HistorySource::Fred ? "/fred/graph.csv" : "/treasury");
        o.bundledFile = kBundled;
        o.userFile = user_.path() + "/yarrow/treasury-cmt-daily.tsv";
        o.lastYear = 2026;
        o.timeoutSeconds = 10;
        return o;
    }
    QByteArray UserFile() const {
        QFile f(Options().userFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    bool Running() const { return server_.IsRunning(); }
    QString Url(const QString& path) const { return server_.Url(path); }

private:
    QTemporaryDir dir_, user_;
    test::LocalHttpServer server_;
};

HistoryUpdateResult Update(const HistoryUpdateOptions& o, QStringList* lines = nullptr) {
    return HistoryUpdater::Run(o, [&](const QString& l) {
        if (lines)
            *lines << l;
    });
}

TEST(HistoryUpdater, TreasuryYearsAddedOnce) {
    Served s;
    ASSERT_TRUE(s.Running());
    // A redirect within the scheme is followed.
    s.Remove("treasury/2026/all");
    s.Write("moved/2026.csv", k2026);
    s.Write("treasury/2026/all.redirect", s.Url("/moved/2026.csv").toUtf8());
    QStringList lines;
    const HistoryUpdateResult r = Update(s.Options(), &lines);
    EXPECT_TRUE(r.complete) << r.messages.join("\n").toStdString();
    EXPECT_EQ(r.summary, "Added 5 days, 07/14/2025 to 01/05/2026.");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("Fetched 2025: 4 days, " + s.Url("/treasury/2025/all?type="))) << lines[0].toStdString();
    const QByteArray file = s.UserFile();
    EXPECT_TRUE(file.startsWith("DATE\tDGS1\tDGS10\tDGS1MO\tDGS2\tDGS20\tDGS3\tDGS30\tDGS3MO\tDGS5\tDGS6MO\tDGS7\n"
                                "2025-07-14\t4.09\t4.42\t4.36\t3.90\t4.96\t3.86\t4.96\t4.41\t3.99\t4.31\t4.19\n"));
    EXPECT_TRUE(file.endsWith("2026-01-05\t4.09\t4.50\t4.36\t3.90\t4.96\t3.86\t4.96\t4.41\t3.99\t4.31\t4.19\n"));

    // The second time from the year of the newest day held: nothing new, the file as it was.
    const HistoryUpdateResult again = Update(s.Options(), &lines);
    EXPECT_TRUE(again.complete);
    EXPECT_EQ(again.summary, "Added no days: the history already holds every day to 01/05/2026.");
    EXPECT_EQ(lines.size(), 3);
    EXPECT_EQ(s.UserFile(), file);
}

TEST(HistoryUpdater, FredSeriesInBothLayouts) {
    Served s;
    int k = 0;
    for (const char* code :
         {"DGS1MO", "DGS3MO", "DGS6MO", "DGS1", "DGS2", "DGS3", "DGS5", "DGS7", "DGS10", "DGS20", "DGS30"}) {
        const QByteArray head = (k++ % 2 ? "DATE," : "observation_date,") + QByteArray(code) + "\n";
        s.Write(QString("fred/graph.csv/") + code,
                head + "2025-07-10,4.35\n2025-07-11,4.43\n2025-07-14,.\n2025-07-15,4.40\n2025-07-16,\n");
    }
    const HistoryUpdateResult r = Update(s.Options(HistorySource::Fred));
    EXPECT_EQ(r.summary, "Added 1 day, 07/15/2025.");
    // Only the 10-year agrees with the file on 07/11; the rest are reported and kept as held.
    ASSERT_EQ(r.messages.size(), 1);
    EXPECT_TRUE(r.messages[0].startsWith("The source disagrees with 18 value(s) held, which are kept: 07/10/2025"));
    EXPECT_TRUE(s.UserFile().endsWith("2025-07-15\t4.40\t4.40\t4.40\t4.40\t4.40\t4.40\t4.40\t4.40\t4.40\t4.40\t4.40\n"));
}

// Each fault ends in a message; the years before a failed one are kept, nothing else is written.
TEST(HistoryUpdater, FaultsEndInAMessageWithNothingLost) {
    struct Case {
        const char* name;
        QString path;         // file of the server to replace
        QByteArray content;   // its content (a status, a URL for .status and .redirect)
        int timeout;
        std::vector<QString> messages; // starts of the messages in order
        QString summary;
    };
    const QByteArray truncated = kHeading + TreasuryRow("01/05/2026", "4.50") + "01/02/2026,4.36,4.";
    const Case cases[] = {
        {"HTTP error", "treasury/2026/all.status", "500", 10,
         {"The Treasury's file for 2026 could not be fetched: HTTP 500", "The years before 2026 are kept."},
         "Added 3 days, 07/14/2025 to 07/16/2025."},
        {"HTML", "treasury/2025/all", "<!DOCTYPE html>\n<html><body>Maintenance</body></html>\n", 10,
         {"Treasury 2025 is an HTML page, not CSV."}, ""},
        {"truncated", "treasury/2026/all", truncated, 10,
         {"Treasury 2026: the file ends in a partial line, dropped: '01/02/2026,4.36,4.'",
          "The days of the Treasury's file for 2026 are not added: its older days are missing.",
          "The years before 2026 are kept."},
         "Added 3 days, 07/14/2025 to 07/16/2025."},
        {"no answer", "treasury/2026/all.hang", "", 1, {"The Treasury's file for 2026 did not answer within 1 s.", "The years before 2026 are kept."},
         "Added 3 days, 07/14/2025 to 07/16/2025."},
        {"other layout", "treasury/2025/all", "Date,Yield,Term\n07/15/2025,4.4,10\n", 10,
         {"Treasury 2025 has another layout; its headings are 'Date', 'Yield', 'Term'."}, ""},
        {"refused value", "treasury/2025/all", kHeading + TreasuryRow("07/14/2025", "44.2"), 10,
         {"Treasury 2025 row 2: '44.2' under '10 Yr' is outside -1 % to 30 %."}, ""},
        {"redirect to another scheme", "treasury/2025/all.redirect", "https://127.0.0.1:9/x", 10,
         {"The Treasury's file for 2025 was not fetched: it was redirected from http to https://127.0.0.1:9/x."},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Served s;
        if (c.path.endsWith(".status") || c.path.endsWith(".redirect") || c.path.endsWith(".hang"))
            s.Remove(c.path.section('.', 0, 0));
        s.Write(c.path, c.content);
        HistoryUpdateOptions o = s.Options();
        o.timeoutSeconds = c.timeout;
        const HistoryUpdateResult r = Update(o);
        EXPECT_FALSE(r.complete);
        ASSERT_EQ(r.messages.size(), qsizetype(c.messages.size())) << r.messages.join("\n").toStdString();
        for (size_t k = 0; k < c.messages.size(); ++k)
            EXPECT_TRUE(r.messages[qsizetype(k)].startsWith(c.messages[k])) << r.messages[qsizetype(k)].toStdString();
        const QString none = "Added no days; the history still ends on 07/11/2025.";
        EXPECT_EQ(r.summary, c.summary.isEmpty() ? none : c.summary);
        EXPECT_EQ(s.UserFile().startsWith("DATE"), !c.summary.isEmpty());
    }
}

TEST(HistoryUpdater, OfflineSaysTheBundledHistoryRemains) {
    Served s;
    QTcpServer closed; // a port nobody answers on once closed
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    HistoryUpdateOptions o = s.Options();
    o.base = QString("http://127.0.0.1:%1/treasury").arg(port);
    const HistoryUpdateResult r = Update(o);
    EXPECT_FALSE(r.complete);
    ASSERT_EQ(r.messages.size(), 1);
    EXPECT_EQ(r.messages[0], "Cannot reach 127.0.0.1 (Connection refused). The bundled history is still there, "
                             "to 07/11/2025.");
    EXPECT_EQ(s.UserFile(), "<none>");
}

} // namespace
} // namespace yarrow
