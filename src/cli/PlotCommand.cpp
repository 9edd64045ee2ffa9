#include "Commands.h"
#include "FactorCommands.h"
#include "core/curves/CurvesController.h"
#include "core/data/SafeFileWrite.h"
#include "core/draw/DisplayList.h"
#include "core/draw/PlotSvg.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"
#include "core/text/TextEncoding.h"

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

PlotSize SizeFromText(const std::string& text) {
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
void WritePicture(const DisplayList& plot, PlotSize size, const std::string& path) {
#ifdef YARROW_CLI_IO
    const auto png = [&](const std::string& file, std::string& error) {
        QString why;
        const bool saved = SavePlot(plot, size.width, size.height, QString::fromStdString(file), &why);
        error = why.toStdString();
        return saved;
    };
#else
    const PngWriter png;
#endif
    WritePictureFile(path, [&] { return PlotSvg(plot, size.width, size.height); }, png);
}

} // namespace

PlotSize PlotSizeOption(const CommandOptions& opts, const std::string& out, PlotSize fallback) {
    if (!EndsWith(out, ".svg") && !EndsWith(out, ".png"))
        throw UsageError{"--out names a .svg or a .png file"};
    return opts.Value("--size") ? SizeFromText(*opts.Value("--size")) : fallback;
}

void WritePictureFile(const std::string& path, const std::function<std::string()>& svg, const PngWriter& png) {
    if (EndsWith(path, ".svg")) {
        const std::string why = WriteFileReplacing(path, svg());
        if (!why.empty())
            throw InputError{"cannot write '" + PrintableText(path) + "': " + why};
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
    std::string error;
    if (!png || !png(path, error))
        throw InputError{error};
#else
    (void)png;
    throw InputError{"this yarrow-cli was built without Qt: write the plot as .svg"};
#endif
}

void WritePlotFile(const DisplayList& plot, PlotSize size, const std::string& path) {
    WritePicture(plot, size, path);
}

int CmdPlot(CliContext& ctx, CliDialogs& dialogs, const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (IsShockPicture(a))
            return CmdPlotShock(ctx, dialogs, args);
    if (const std::optional<int> lesson = PlotLesson(ctx, args))
        return *lesson;
    if (IsFactorPlot(args)) {
        std::vector<std::string> valued = FactorPlotOptions();
        valued.insert(valued.end(), {"--out", "--size"});
        const CommandOptions opts(args, valued, {});
        const std::optional<std::string> out = opts.Value("--out");
        if (!out)
            throw UsageError{"plot needs --out FILE.svg or FILE.png"};
        const PlotSize size = PlotSizeOption(opts, *out);
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
    const PlotSize size = PlotSizeOption(opts, *out);
    Session& s = ctx.session;
    CurvesController curves(s);
    curves.compFreq = CompoundingOption(opts.Value("--compounding").value_or("continuous"));
    curves.stepIndex = StepOption(opts.Value("--step").value_or("monthly"));
    curves.leftSlopeText = opts.Value("--left").value_or("0");
    curves.rightSlopeText = opts.Value("--right").value_or("0");
    const char* parameterNames[] = {"--level", "--slope", "--curve"};
    for (size_t i = 0; i < 3; ++i)
        if (const auto text = opts.Value(parameterNames[i]))
            curves.nelsonSiegelTexts[i] = *text;
    // A slope beyond single precision stops the command before the table is built.
    EndSlope(curves.leftSlopeText);
    EndSlope(curves.rightSlopeText);

    ctx.LoadBondTable(dialogs);
    GridModel listing;
    FillCurvesListing(s, listing);
    DisplayList picture;
    CountingDialogs reports(dialogs);
    curves.AttachPlot(
        picture, {&picture.BoundSink(0), &picture.BoundSink(1), &picture.BoundSink(2), &picture.BoundSink(3)},
        &reports);
    // The curve the option buttons would show; the spline and the model replot it first.
    auto replot = [&] {
        if (curves.chosen)
            curves.PlotChosen(listing);
    };
    for (const std::string& layer : layers) {
        if (layer == "clear") {
            picture.Clear();
        } else if (layer == "ns") {
            NelsonSiegelParameters p;
            if (opts.Flag("--fit")) {
                curves.chosen = CurveType::Zero;
                replot();
                p = curves.Fit();
            } else {
                p = curves.NelsonSiegel();
            }
            const Array1<float> model = curves.Model(p);
            curves.chosen = CurveType::Zero;
            replot();
            curves.Plot().DrawNelsonSiegel(model);
        } else if (layer == "spline") {
            // With no curve chosen yet the spline goes through the zero curve, as `spline` does.
            if (!curves.chosen)
                curves.chosen = CurveType::Zero;
            replot();
            curves.DrawSpline();
        } else {
            curves.chosen = CurveOption(layer);
            replot();
        }
        if (reports.messages > 0)
            return 1;
    }
    WritePicture(picture, size, *out);
    return 0;
}

} // namespace yarrow
