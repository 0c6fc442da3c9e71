// Building the label canvas from a template with 200 elements of all four kinds, at zoom 1
// and 3, redrawing it at 1x and 8x, and the main window from its creation through start-up to
// the first painted frame.

#include "app/MainForm.h"
#include "designer/LabelCanvas.h"
#include "document/DataModule.h"
#include "document/ShippedFiles.h"
#include "document/TemplateSchema.h"
#include "services/AppPaths.h"
#include "services/Modal.h"
#include "tablestore/StoreTable.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

namespace etikor {
namespace {

// 200 elements: 50 of each kind, spread over the label, with texts in four rotations, the
// barcode list's symbologies and every drawing shape; one picture in four with a real file.
void WriteTemplate(const std::string& path, const QString& picture) {
    TStoreTable t;
    t.FieldDefs = ElemekFieldDefs();
    t.Open();
    AppendPageSetupRow(t, TPageSetup{});
    const TShapeCode shapes[] = {stRectangle, stEllipse, stCircle};
    for (int i = 0; i < 50; ++i) {
        const TPixelRect px{(i * 7) % 200, (i * 11) % 120, 40, 20};
        const std::string n = std::to_string(i + 1);
        AppendElementRow(t, TElemKind::ekText, "Szoveg_" + n, px);
        t.Edit();
        t.FieldByName("FErtek").SetAsString("Szöveg " + n);
        t.FieldByName("Forgat").SetAsInteger(i % 4);
        t.Post();
        AppendElementRow(t, TElemKind::ekBarcode, "Vkod_" + n, {px.Left, px.Top, 120, 40});
        t.Edit();
        t.FieldByName("Vk_index").SetAsInteger(i % kBarcodeListSize);
        t.Post();
        AppendElementRow(t, TElemKind::ekPicture, "Kep_" + n, px);
        if (i % 4 == 0) {
            t.Edit();
            t.FieldByName("Forras").SetAsString("kep");
            t.FieldByName("FErtek").SetAsString(picture.toStdString());
            t.Post();
        }
        AppendElementRow(t, TElemKind::ekDrawing, "Rajz_" + n, {px.Left, px.Top, 30, 30}, shapes[i % 3]);
    }
    t.SaveTable(path);
}

// The 200-element template in a temporary folder, its rows and a shown canvas of 800 x 600.
struct TCanvas200 {
    QTemporaryDir Dir;
    TStoreTable Elemek;
    TLabelTemplate Template{Elemek};
    TSettings Settings;
    TLabelCanvas Canvas{nullptr};
    QWidget* Label = nullptr;

    TCanvas200() {
        const QString picture = Dir.filePath(QStringLiteral("kep.jpg"));
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        image.save(picture, "JPEG");
        const std::string path = Dir.filePath(QStringLiteral("sablon.ctv")).toStdString();
        WriteTemplate(path, picture);
        Elemek.SetTableName(path);
        Elemek.SetIndexFieldNames("Elemnev");
        Elemek.Open();
        Canvas.resize(800, 600);
        Canvas.show();
        Label = Canvas.findChild<QWidget*>(QStringLiteral("Cimke"));
    }
};

void BM_BuildCanvas200(benchmark::State& state) {
    TCanvas200 c;
    c.Canvas.SetZoom(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // Reading the rows again, as after opening a template, then the views.
        c.Template.Load();
        c.Canvas.Build(c.Template, c.Settings);
        // Painting is part of what the user waits for.
        c.Label->repaint();
        QCoreApplication::processEvents();
    }
    state.counters["views"] = static_cast<double>(c.Canvas.Views().size());
}
BENCHMARK(BM_BuildCanvas200)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

// Redrawing the whole built label (every view, not only the part in sight) at a zoom and a
// device pixel ratio: what a scroll, a zoom-free repaint or an uncovered window costs at most.
// Target: under 30 ms at 8x.
void BM_RedrawCanvas200(benchmark::State& state) {
    TCanvas200 c;
    const int zoom = static_cast<int>(state.range(0));
    const int ratio = static_cast<int>(state.range(1));
    c.Canvas.SetZoom(zoom);
    c.Template.Load();
    c.Canvas.Build(c.Template, c.Settings);
    QCoreApplication::processEvents();
    QImage image(c.Label->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        c.Label->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["views"] = static_cast<double>(c.Canvas.Views().size());
    state.counters["width"] = c.Label->width();
}
BENCHMARK(BM_RedrawCanvas200)->Args({1, 1})->Args({8, 1})->Args({8, 2})->Unit(benchmark::kMillisecond);

// Creation of the main window, start-up on the shipped default set, and its first paint.
void BM_MainWindowToFirstPaint(benchmark::State& state) {
    QTemporaryDir work;
    QTemporaryDir program;
    SetAppPaths({work.path(), program.path()});
    TSettings settings;
    settings.AutoSugo = false;
    WriteDefaultSet(AppPaths().SeriesFolder(), settings);
    TSettingsFile(program.path()).Write(settings);
    TUnattendedModal modal(false);
    for (auto _ : state) {
        TDM dm;
        TMainForm form(dm, modal);
        form.show();
        form.repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.StartedUp());
        // Shutdown (settings written) is not part of start-up.
        state.PauseTiming();
        form.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowToFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace etikor

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
