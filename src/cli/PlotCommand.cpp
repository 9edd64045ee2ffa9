#include "Commands.h"
#include "FactorCommands.h"
#include "core/curves/CurvesPlot.h"
#include "core/draw/DisplayList.h"
#include "core/draw/PlotSvg.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"

#include <cstdio>
#include <fstream>
#include <optional>

#ifdef YARROW_CLI_IO
#include "io/plot/PlotPainter.h"

#include <QGuiApplication>
#endif

namespace yarrow {

namespace {

// Reports go on to the command line's dialogs and are remembered: a plot that reported an error
// is not written.
class CountingDialogs : public Dialogs {
public:
    explicit CountingDialogs(Dialogs& inner) : inner_(inner) {}
    void Message(const std::string& text, const std::string& title, MessageIcon icon) override {
        ++messages;
        inner_.Message(text, title, icon);
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        return inner_.AskYesNo(text, title);
    }
    int messages = 0;

private:
    Dialogs& inner_;
};

struct PictureSize {
    int width = 640;
    int height = 480;
};

PictureSize SizeFromText(const std::string& text) {
    int w = 0, h = 0;
    char x = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &extra) != 3 || (x != 'x' && x != 'X') || w < 16 ||
        h < 16 || w > 8000 || h > 8000)
        throw UsageError{"--size takes WIDTHxHEIGHT in pixels, 16 to 8000 each, not '" + text + "'"};
    return {w, h};
}

bool EndsWith(std::string s, const std::string& tail) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsLayer(const std::string& a) {
    return a == "ytm" || a == "zero" || a == "forward" || a == "ns" || a == "spline" || a == "clear";
}

// Writes the picture; a file that cannot be written is an input error (exit 1).
void WritePicture(const DisplayList& plot, PictureSize size, const std::string& path) {
    if (EndsWith(path, ".svg")) {
        const std::string svg = PlotSvg(plot, size.width, size.height);
        const std::string temp = path + ".part";
        bool written = false;
        {
            std::ofstream file(temp, std::ios::binary);
            written = static_cast<bool>(file << svg) && static_cast<bool>(file.flush());
        }
        if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
            std::remove(temp.c_str());
            throw InputError{"cannot write '" + path + "'"};
        }
        return;
    }
#ifdef YARROW_CLI_IO
    // Text on a PNG needs the fonts of a GUI application; none is shown.
    std::optional<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "yarrow-cli";
        static char* argv[] = {name, nullptr};
        app.emplace(argc, argv);
    } else if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        throw InputError{"PNG output needs a GUI application object"};
    }
    QString error;
    if (!SavePlot(plot, size.width, size.height, QString::fromStdString(path), &error))
        throw InputError{error.toStdString()};
#else
    throw InputError{"this yarrow-cli was built without Qt: write the plot as .svg"};
#endif
}

} // namespace

int CmdPlot(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    if (IsFactorPlot(args)) {
        std::vector<std::string> valued = FactorPlotOptions();
        valued.insert(valued.end(), {"--out", "--size"});
        const CommandOptions opts(args, valued, {});
        const std::optional<std::string> out = opts.Value("--out");
        if (!out || (!EndsWith(*out, ".svg") && !EndsWith(*out, ".png")))
            throw UsageError{"plot needs --out FILE.svg or FILE.png"};
        const PictureSize size = opts.Value("--size") ? SizeFromText(*opts.Value("--size")) : PictureSize{};
        WritePicture(FactorPlot(ctx, opts), size, *out);
        return 0;
    }
    CommandOptions opts(
        args,
        {"--out", "--size", "--compounding", "--level", "--slope", "--curve", "--step", "--left", "--right"},
        {"--fit"});
    const std::vector<std::string>& layers = opts.Positional();
    if (layers.empty())
        throw UsageError{"plot needs at least one of ytm, zero, forward, ns, spline, clear"};
    for (const std::string& layer : layers)
        if (!IsLayer(layer))
            throw UsageError{"unknown plot layer '" + layer + "' (ytm, zero, forward, ns, spline, clear)"};
    const std::optional<std::string> out = opts.Value("--out");
    if (!out)
        throw UsageError{"plot needs --out FILE.svg or FILE.png"};
    if (!EndsWith(*out, ".svg") && !EndsWith(*out, ".png"))
        throw UsageError{"--out names a .svg or a .png file"};
    const PictureSize size = opts.Value("--size") ? SizeFromText(*opts.Value("--size")) : PictureSize{};
    const int16_t freq = CompoundingFromName(opts.Value("--compounding").value_or("continuous"));
    const float step = InterpolationStep(StepIndexFromName(opts.Value("--step").value_or("monthly")));
    // End slopes are read as the boxes are: the leading number of the text, else 0.
    const float left = CSng(Val(opts.Value("--left").value_or("0")));
    const float right = CSng(Val(opts.Value("--right").value_or("0")));
    const std::string level = opts.Value("--level").value_or(".068");
    const std::string slope = opts.Value("--slope").value_or("-.04");
    const std::string curve = opts.Value("--curve").value_or(".005");

    ctx.LoadBondTable(dialogs);
    Session& s = ctx.session;
    GridModel listing;
    FillCurvesListing(s, listing);
    DisplayList picture;
    CountingDialogs reports(dialogs);
    CurvesPlot plot(
        s, picture,
        {&picture.BoundSink(0), &picture.BoundSink(1), &picture.BoundSink(2), &picture.BoundSink(3)},
        &reports);
    // The curve the option buttons would show; the spline and the model replot it first.
    std::optional<CurveType> chosen;
    auto replot = [&] {
        if (chosen)
            plot.PlotCurve(listing, *chosen, freq);
    };
    for (const std::string& layer : layers) {
        if (layer == "clear") {
            picture.Clear();
        } else if (layer == "ns") {
            NelsonSiegelParameters p;
            if (opts.Flag("--fit")) {
                chosen = CurveType::Zero;
                replot();
                p = FitNelsonSiegel(s);
                // The boxes show the fitted values, and the plot reads them back from there.
                p.level = SafeSingle(FormatNelsonSiegelParameter(p.level));
                p.slope = SafeSingle(FormatNelsonSiegelParameter(p.slope));
                p.curve = SafeSingle(FormatNelsonSiegelParameter(p.curve));
            } else {
                p = {StrictSingle(level), StrictSingle(slope), StrictSingle(curve)};
            }
            const Array1<float> model = NelsonSiegelAtBonds(s, p);
            chosen = CurveType::Zero;
            replot();
            plot.DrawNelsonSiegel(model);
        } else if (layer == "spline") {
            // With no curve chosen yet the spline goes through the zero curve, as `spline` does.
            if (!chosen)
                chosen = CurveType::Zero;
            replot();
            plot.DrawSpline(step, left, right);
        } else {
            chosen = CurveFromName(layer);
            replot();
        }
        if (reports.messages > 0)
            return 1;
    }
    WritePicture(picture, size, *out);
    return 0;
}

} // namespace yarrow
