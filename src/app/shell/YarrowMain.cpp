#include "shell/YarrowMain.h"

#include "core/data/Session.h"
#include "data/ucYarrowData.h"
#include "io/ResourcePaths.h"
#include "base/AppContext.h"
#include "shell/AppEnvironment.h"
#include "shell/frmYarrow.h"
#include "widgets/QtClipboard.h"
#include "widgets/QtDialogs.h"
#include "widgets/ThrottledEvents.h"
#include "YarrowVersion.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QStringList>
#include <QTimer>
#include <cstdio>

namespace yarrow {

namespace {

// The timing run: the time shown, "Get Data" once and how long it took, on stdout.
void ScheduleTimingRun(frmYarrow& window, Session& session) {
    std::printf("shown_epoch_ms=%lld\n", QDateTime::currentMSecsSinceEpoch());
    std::fflush(stdout);
    QTimer::singleShot(0, &window, [&window, &session] {
        const qint64 start = QDateTime::currentMSecsSinceEpoch();
        window.DataPanel()->cmdGetData_Click();
        std::printf("get_data_ms=%lld\nbonds=%d\n", QDateTime::currentMSecsSinceEpoch() - start,
                    int(session.nBonds));
        std::fflush(stdout);
        QCoreApplication::exit(session.nBonds == 10 ? 0 : 1);
    });
}

} // namespace

int RunYarrow(int argc, char* argv[], ScreenshotTourFn tour) {
    QCommandLineParser parser;
    parser.setApplicationDescription("QAL Yarrow: Treasury yield curves and bond analytics.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption siteRoot(
        "site-root", "Course site folder or URL (else $YARROW_SITE_ROOT, else the bundled site).",
        "path-or-url");
    const QCommandLineOption frbDataUrl(
        "frb-data-url",
        "Folder or URL of the ten H.15 series files (else $YARROW_FRB_DATA_URL, else the bundled "
        "snapshot).",
        "path-or-url");
    const QCommandLineOption fetchTimeout(
        "fetch-timeout", "Seconds one series file may take to load (default 30).", "seconds", "30");
    const QCommandLineOption timingRun(
        "timing-run",
        "Print when the window is shown, run \"Get Data\" once, print how long it took, and quit.");
    const QCommandLineOption screenshots(
        "screenshots", "Save pictures of the window's main states into a folder, then quit.", "folder");
    parser.addOptions({siteRoot, frbDataUrl, fetchTimeout, timingRun});
    if (tour)
        parser.addOption(screenshots);
    parser.addPositionalArgument(
        "workbooks", "Workbooks (.xlsx, .xlsm, .ods, .csv) to open for \"Data from Excel\".", "[FILE...]");
    // --help and --version need no display (the manual page is made from them at build time): a
    // core application answers them before the GUI one exists.
    QStringList arguments;
    for (int k = 0; k < argc; ++k)
        arguments << QString::fromLocal8Bit(argv[k]);
    parser.parse(arguments);
    if (parser.isSet("help") || parser.isSet("version")) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName("yarrow");
        QCoreApplication::setApplicationVersion(YARROW_VERSION);
        if (parser.isSet("help"))
            parser.showHelp(0);
        parser.showVersion();
    }

    PrepareWebEngineEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName("QAL Yarrow");
    QApplication::setApplicationVersion(YARROW_VERSION);
    QGuiApplication::setDesktopFileName("org.qal_yarrow.yarrow");
    parser.process(app);

    Session session;
    QtDialogs dialogs;
    QtClipboard clipboard;
    ThrottledEvents events;
    session.dialogs = &dialogs;
    session.events = &events;

    AppContext context{session, dialogs, clipboard, events};
    context.siteRoot = SiteRootUrl(parser.value(siteRoot));
    context.frbDataUrl = FrbDataUrl(parser.value(frbDataUrl));
    const std::optional<int> timeoutMs = FetchTimeoutMs(parser.value(fetchTimeout));
    if (!timeoutMs) {
        std::fprintf(stderr,
                     "yarrow: --fetch-timeout takes a number of seconds from 0.001 to 2147483, not '%s'\n",
                     qPrintable(parser.value(fetchTimeout)));
        return 2;
    }
    context.fetchTimeoutMs = *timeoutMs;

    frmYarrow window(context);
    window.Load();
    for (const QString& path : parser.positionalArguments())
        window.DataPanel()->OpenWorkbook(path);

    if (tour && parser.isSet(screenshots)) {
        const QString folder = parser.value(screenshots);
        QTimer::singleShot(0, &window, [&window, folder, tour] {
            QCoreApplication::exit(tour(window, folder) == 0 ? 0 : 1);
        });
    } else if (parser.isSet(timingRun)) {
        ScheduleTimingRun(window, session);
    }
    return app.exec();
}

} // namespace yarrow
