// yarrow-cli update-history against a server on 127.0.0.1, and what the history readers see after.

#include "CliRunner.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#ifdef YARROW_CLI_IO
#include "support/LocalHttpServer.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#endif

namespace {

using namespace yarrow::testing;

TEST(CliUpdateHistory, UsageIsChecked) {
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"update-history", "--source", "ftp"}, "--source takes treasury or fred"},
        {{"update-history", "--timeout", "0"}, "--timeout takes whole seconds"},
        {{"update-history", "--timeout", "2.5"}, "--timeout takes whole seconds"},
        {{"update-history", "2025"}, "takes no arguments"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunArgs(c.args);
        EXPECT_EQ(r.code, 2) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

#ifndef YARROW_CLI_IO
TEST(CliUpdateHistory, RefusedWithoutQt) {
    const CliResult r = RunArgs({"update-history"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "yarrow-cli: update-history downloads with Qt Network, and this yarrow-cli was built without Qt\n");
}
#else
// The data folder of this test, restored afterwards.
class UserData {
public:
    UserData() {
        if (const char* v = std::getenv("XDG_DATA_HOME"))
            saved_ = v;
        setenv("XDG_DATA_HOME", dir_.path().toUtf8().constData(), 1);
    }
    ~UserData() {
        if (saved_.empty())
            unsetenv("XDG_DATA_HOME");
        else
            setenv("XDG_DATA_HOME", saved_.c_str(), 1);
        unsetenv("YARROW_TREASURY_URL");
    }

private:
    QTemporaryDir dir_;
    std::string saved_;
};

TEST(CliUpdateHistory, AddsTheNewDaysEveryReaderSees) {
    static int argc = 1;
    static char name[] = "cli_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv); // the server's process needs it; lives to the end
    QTemporaryDir root;
    // One day a year from 2025 to this year, newest first in each file.
    const int thisYear = QDate::currentDate().year();
    for (int y = 2025; y <= thisYear; ++y) {
        QDir(root.path()).mkpath(QString("treasury/%1").arg(y));
        QFile f(root.path() + QString("/treasury/%1/all").arg(y));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Date,\"1 Mo\",\"1.5 Mo\",\"3 Mo\",\"6 Mo\",\"1 Yr\",\"2 Yr\",\"3 Yr\",\"5 Yr\",\"7 Yr\",\"10 Yr\","
                "\"20 Yr\",\"30 Yr\"\n");
        f.write(QString("12/01/%1,4.01,4.02,4.03,4.04,4.05,4.06,4.07,4.08,4.09,4.10,4.11,4.12\n").arg(y).toUtf8());
    }
    yarrow::test::LocalHttpServer server(root.path());
    ASSERT_TRUE(server.IsRunning());
    UserData user;

    const CliResult r = RunArgs({"update-history", "--url", server.Url("/treasury").toStdString(), "--timeout", "5"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    const auto lines = Lines(r.err);
    ASSERT_EQ(lines.size(), size_t(thisYear - 2025 + 2)) << r.err;
    EXPECT_EQ(lines[0].rfind("Fetched 2025: 1 days, http://127.0.0.1:", 0), 0u) << lines[0];
    const std::string last = "12/01/" + std::to_string(thisYear);
    EXPECT_EQ(lines.back(), thisYear == 2025 ? "Added 1 day, 12/01/2025."
                                             : "Added " + std::to_string(thisYear - 2024) + " days, 12/01/2025 to " +
                                                   last + ".");

    // The history ends on the newest day; --history-date reads it.
    const CliResult h = RunArgs({"history", "--from", "2025-11-30"});
    EXPECT_EQ(Lines(h.out).back(), std::to_string(thisYear) + "-12-01\t4.03\t4.04\t4.05\t4.06\t4.07\t4.08\t4.09\t4.10\t4.11\t4.12");
    const CliResult b = RunArgs({"--history-date", "2025-12-01", "bonds"});
    EXPECT_EQ(b.code, 0) << b.err;
    EXPECT_NE(b.out.find("4.1200"), std::string::npos) << b.out;

    // Through the environment, a second time: nothing more.
    setenv("YARROW_TREASURY_URL", server.Url("/treasury").toUtf8().constData(), 1);
    const CliResult again = RunArgs({"update-history"});
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(Lines(again.err).back(), "Added no days: the history already holds every day to " + last + ".");
}
#endif

} // namespace
