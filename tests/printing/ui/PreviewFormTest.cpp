// The preview window driven by its components' names: pages prepared in steps with print and
// printer set-up disabled meanwhile, page navigation by buttons and keys, the status panels,
// the printer set-up's range used by Print, saved pages that load back unchanged.

#include "printing/ui/PreviewForm.h"

#include "MemDataSet.h"
#include "pageengine/PreparedFile.h"
#include "support/HungarianText.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <set>

namespace etikor {
namespace {

using test::MemDataSet;
using test::ScriptedModal;
using test::TempDir;

// A one-column report, `perPage` labels a page, a data-bound text on each.
struct Fixture {
    explicit Fixture(int records, int perPage = 3) {
        std::vector<std::vector<TVariant>> rows;
        for (int i = 1; i <= records; ++i)
            rows.push_back({TVariant("R" + std::to_string(i))});
        Data = std::make_unique<MemDataSet>(TFieldDefs{{"Kod", TFieldType::ftString, 10}}, std::move(rows));
        Data->Open();
        Report.Page.PageWidthMm = 100;
        Report.Page.PageLengthMm = 30.0 * perPage;
        Report.Page.TopMarginMm = Report.Page.BottomMarginMm = 0;
        Report.Page.LeftMarginMm = Report.Page.RightMarginMm = 0;
        Report.Page.Columns = 1;
        Report.Page.LabelHeightMm = 30;
        Report.BandFrame = true;
        auto text = std::make_shared<TDataTextItem>();
        text->FieldName = "Kod";
        text->RectMm = QRectF(2, 2, 40, 6);
        Report.Items.push_back(text);
        auto barcode = std::make_shared<TBarcodeItem>();
        barcode->FieldName = "Kod";
        barcode->Barcode.SetTypBarCode(TTypBarCode::bcCode128);
        barcode->Barcode.Left = 45;
        barcode->Barcode.Top = 2;
        barcode->Barcode.Width = 50;
        barcode->Barcode.Height = 20;
        barcode->SyncRect();
        Report.Items.push_back(barcode);
        auto ellipse = std::make_shared<TShapeItem>(TItemKind::ikEllipse);
        ellipse->RectMm = QRectF(2, 10, 30, 15);
        Report.Items.push_back(ellipse);
    }
    std::unique_ptr<MemDataSet> Data;
    TReport Report;
    ScriptedModal Prompts;
};

template <typename T = QToolButton>
T* Child(QWidget& form, const char* name) {
    T* child = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

QString PagePanel(QWidget& form) {
    return Child<QLabel>(form, "PagePanel")->text();
}

void FinishPreparing(TPreviewForm& form) {
    for (int i = 0; i < 10000 && form.Preparing(); ++i)
        QTest::qWait(1);
    ASSERT_FALSE(form.Preparing());
}

TEST(PreviewForm, NamedControlsAndTheirTexts) {
    Fixture f(3);
    TPreviewForm form(f.Report, f.Data.get(), {}, {}, f.Prompts);
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Nyomtatási kép"));
    const struct {
        const char* name;
        const char* text;
    } rows[] = {
        {"ZoomFit", "Egy lap"},     {"Zoom100", "100% nagyítás"},      {"ZoomToWidth", "Nagyítás sz."},
        {"FirstPage", "Első lap"},  {"PreviousPage", "Előző lap"},     {"ToolButton2", "Következő lap"},
        {"LastPage", "Utolsó lap"}, {"PrintSetup", "Nyomtató beáll."}, {"Print", "Nyomtatás"},
        {"PrintPage", "Ez a lap"},  {"SaveReport", "Mentés"},          {"LoadReport", "Betöltés"},
        {"ExitButton", "&Bezár"}};
    for (const auto& row : rows)
        EXPECT_EQ(Child(form, row.name)->text(), QString::fromUtf8(row.text)) << row.name;
    EXPECT_EQ(Child(form, "PrintSetup")->toolTip(), QString::fromUtf8("Nyomtató beállítása"));
    EXPECT_TRUE(Child(form, "ZoomToWidth")->isChecked());
    EXPECT_EQ(form.Zoom(), TPreviewForm::TZoom::zmWidth);
}

TEST(PreviewForm, SpeaksEnglish) {
    test::EnglishTexts english;
    ASSERT_TRUE(english.Ok());
    Fixture f(3);
    TPreviewForm form(f.Report, f.Data.get(), {}, {}, f.Prompts);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Print preview"));
    EXPECT_EQ(test::HungarianTexts(form), QStringList());
}

TEST(PreviewForm, ThreeLabelsOnOnePageAndNextChangesNothing) {
    Fixture f(3);
    TPreviewForm form(f.Report, f.Data.get(), {}, {}, f.Prompts);
    FinishPreparing(form);
    EXPECT_EQ(PagePanel(form), "Page 1 of 1");
    Child(form, "ToolButton2")->click();
    EXPECT_EQ(form.CurrentPage(), 1);
    EXPECT_EQ(PagePanel(form), "Page 1 of 1");
}

TEST(PreviewForm, PrintingWaitsUntilEveryPageIsPrepared) {
    Fixture f(300);
    TPreviewForm form(f.Report, f.Data.get(), {}, {}, f.Prompts);
    form.RecordsPerStep = 30;
    form.show();
    EXPECT_TRUE(form.Preparing());
    EXPECT_FALSE(Child(form, "Print")->isEnabled());
    EXPECT_FALSE(Child(form, "PrintSetup")->isEnabled());
    // The count grows step by step while the window answers (a pass of the event loop runs a
    // step; a wait of a millisecond could run them all).
    std::vector<int> counts;
    std::vector<int> shown; // the progress panel's percentages, each 5 points above the last
    while (form.Preparing()) {
        QCoreApplication::processEvents();
        counts.push_back(form.PageCount());
        const QString progress = Child<QLabel>(form, "ProgressPanel")->text();
        if (!progress.isEmpty() && (shown.empty() || progress != QString::number(shown.back()) + '%')) {
            ASSERT_TRUE(progress.endsWith('%')) << progress.toStdString();
            shown.push_back(progress.chopped(1).toInt());
        }
        if (form.Preparing()) {
            EXPECT_FALSE(Child(form, "Print")->isEnabled());
        }
    }
    EXPECT_GT(std::set<int>(counts.begin(), counts.end()).size(), 2u);
    ASSERT_FALSE(shown.empty());
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_GE(shown[i] - shown[i - 1], 5);
    EXPECT_EQ(form.PageCount(), 100);
    EXPECT_TRUE(Child(form, "Print")->isEnabled());
    EXPECT_TRUE(Child(form, "PrintSetup")->isEnabled());
    EXPECT_EQ(Child<QLabel>(form, "ProgressPanel")->text(), "");
}

TEST(PreviewForm, PagesByButtonsAndKeys) {
    Fixture f(12); // 4 pages
    TPreviewForm form(f.Report, f.Data.get(), {}, {}, f.Prompts);
    FinishPreparing(form);
    struct Step {
        std::function<void()> act;
        int page;
    };
    const std::vector<Step> steps = {
        {[&] { Child(form, "LastPage")->click(); }, 4},
        {[&] { QTest::keyClick(&form, Qt::Key_PageDown); }, 4}, // on the last page: nothing
        {[&] { QTest::keyClick(&form, Qt::Key_PageUp); }, 3},
        {[&] { Child(form, "PreviousPage")->click(); }, 2},
        {[&] { QTest::keyClick(&form, Qt::Key_End); }, 4},
        {[&] { QTest::keyClick(&form, Qt::Key_PageUp, Qt::ControlModifier); }, 1},
        {[&] { QTest::keyClick(&form, Qt::Key_PageDown, Qt::ControlModifier); }, 4},
        {[&] { QTest::keyClick(&form, Qt::Key_Home); }, 1},
        {[&] { Child(form, "ToolButton2")->click(); }, 2},
        {[&] { Child(form, "FirstPage")->click(); }, 1},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        steps[i].act();
        EXPECT_EQ(form.CurrentPage(), steps[i].page) << i;
        EXPECT_EQ(PagePanel(form), QString("Page %1 of 4").arg(steps[i].page)) << i;
    }
}

// The window keeps the page it shows and where every page starts: any page of a long run is
// laid out when it is asked for, also while the index is still growing.
TEST(PreviewForm, AnyPageOfALongRunIsShownFromTheIndex) {
    Fixture f(3000); // 1,000 pages
    Fixture whole(3000);
    const TPreparedReport prepared = Prepare(whole.Report, whole.Data.get());
    TPreviewForm form(f.Report, f.Data.get(), {}, {}, f.Prompts);
    form.RecordsPerStep = 3; // a page a step: far from done when page 300 is found
    form.show();
    auto* view = form.findChild<QWidget*>(QStringLiteral("PreviewPage"));
    ASSERT_NE(view, nullptr);
    auto expectShown = [&](int page) {
        EXPECT_EQ(form.CurrentPage(), page);
        const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, RenderPage(prepared, page - 1, form.PageDpi())) << "page " << page;
    };
    // Mid-way: the pages found so far can be reached.
    while (form.PageCount() < 300 && form.Preparing())
        QCoreApplication::processEvents();
    ASSERT_TRUE(form.Preparing());
    form.GoToPage(250);
    expectShown(250);
    FinishPreparing(form);
    EXPECT_EQ(PagePanel(form), "Page 250 of 1000");
    for (int page : {731, 1000, 2, 731}) {
        form.GoToPage(page);
        expectShown(page);
    }
    Child(form, "PreviousPage")->click();
    expectShown(730);
}

// The free zoom: Ctrl++ / Ctrl+- and Ctrl+wheel in steps of 1.25 within 10%..800%, the page
// point under the pointer kept in place; Ctrl+0 shows the whole page again.
TEST(PreviewForm, FreeZoomAroundThePointer) {
    Fixture f(30);
    TPreviewForm form(f.Report, f.Data.get(), {}, {}, f.Prompts);
    form.setWindowState(Qt::WindowNoState);
    form.resize(700, 500);
    form.show();
    QCoreApplication::processEvents();
    const double screenDpi = form.logicalDpiX();
    const double width = form.PageDpi();
    QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(form.Zoom(), TPreviewForm::TZoom::zmFree);
    EXPECT_DOUBLE_EQ(form.PageDpi(), width * 1.25);
    for (const char* name : {"ZoomFit", "Zoom100", "ZoomToWidth"})
        EXPECT_FALSE(Child(form, name)->isChecked()) << name;
    QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(form.PageDpi(), width);

    auto* scroll = form.findChild<QScrollArea*>(QStringLiteral("PreviewScroll"));
    auto* page = form.findChild<QWidget*>(QStringLiteral("PreviewPage"));
    QWidget* viewport = scroll->viewport();
    // Zoomed in (the view is as wide as the tool bar needs) and scrolled to the middle, so that
    // the page can move every way.
    while (page->width() <= 2 * viewport->width() && form.PageDpi() < screenDpi * 8)
        QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    const double zoomedIn = form.PageDpi();
    ASSERT_GT(page->width(), 2 * viewport->width());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum() / 2);
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum() / 2);
    for (int delta : {-120, -120, 120, -120, 240}) {
        const QPointF at(viewport->width() * 0.6, viewport->height() * 0.4);
        const QPointF mmBefore = (at - QPointF(page->pos())) / form.PageDpi() * 25.4;
        QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        const QPointF mmAfter = (at - QPointF(page->pos())) / form.PageDpi() * 25.4;
        const double pixelMm = 25.4 / form.PageDpi();
        EXPECT_NEAR(mmAfter.x(), mmBefore.x(), pixelMm) << delta;
        EXPECT_NEAR(mmAfter.y(), mmBefore.y(), pixelMm) << delta;
    }
    EXPECT_NEAR(form.PageDpi(), zoomedIn, 1e-9);
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(form.PageDpi(), screenDpi * 8);
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(form.PageDpi(), screenDpi * 0.1);
    QTest::keyClick(&form, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(form.Zoom(), TPreviewForm::TZoom::zmFit);
    EXPECT_TRUE(Child(form, "ZoomFit")->isChecked());
    EXPECT_LE(page->height(), viewport->height());
}

// Zoomed in, a scrolled part of the page is painted as the same part of the whole page; at a
// device pixel ratio of 2 the page is rendered at twice the resolution, not enlarged.
TEST(PreviewForm, ZoomedPartsAndHiDpiMatchTheWholePage) {
    Fixture f(3);
    Fixture whole(3);
    const TPreparedReport prepared = Prepare(whole.Report, whole.Data.get());
    TPreviewForm form(f.Report, f.Data.get(), {}, {}, f.Prompts);
    form.setWindowState(Qt::WindowNoState);
    form.resize(500, 400);
    form.show();
    FinishPreparing(form);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    auto* page = form.findChild<QWidget*>(QStringLiteral("PreviewPage"));
    const QImage full = RenderPage(prepared, 0, form.PageDpi());
    const QRect part(page->width() / 3, page->height() / 4, 120, 90);
    const QImage shown = page->grab(part).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, full.copy(part));

    QImage sharp(page->size() * 2, QImage::Format_RGB32);
    sharp.setDevicePixelRatio(2);
    page->render(&sharp);
    QImage expected = RenderPage(prepared, 0, form.PageDpi() * 2);
    const QRect common = QRect(QPoint(), sharp.size()).intersected(expected.rect());
    int differing = 0;
    for (int y = 0; y < common.height(); y += 2)
        for (int x = 0; x < common.width(); x += 2)
            differing += sharp.pixel(x, y) != expected.pixel(x, y);
    EXPECT_LT(differing, common.width() * common.height() / 4 / 100);
}

TEST(PreviewForm, PrintUsesTheRangeOfThePrinterSetup) {
    Fixture f(12);
    std::vector<TPrintRange> printed;
    TPreviewForm form(
        f.Report, f.Data.get(), TPrintRange{2, 0, 0, true},
        [&](TPageSource& pages, const TPrintRange& range) {
            EXPECT_EQ(pages.PageCount(), 4);
            printed.push_back(range);
        },
        f.Prompts);
    FinishPreparing(form);
    Child(form, "Print")->click(); // the run's own choice first
    ScriptedModal& modal = f.Prompts;
    TPrintChoice choice;
    choice.FromPage = 2;
    choice.ToPage = 3;
    choice.Copies = 3;
    modal.ExpectPrinter(choice);
    Child(form, "PrintSetup")->click();
    Child(form, "Print")->click();
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].Copies, 2);
    EXPECT_EQ(printed[1].Copies, 3);
    EXPECT_EQ(printed[1].FirstPage, 2);
    EXPECT_EQ(printed[1].LastPage, 3);
    // The page on screen alone, with the set-up's copies.
    form.GoToPage(4);
    Child(form, "PrintPage")->click();
    ASSERT_EQ(printed.size(), 3u);
    EXPECT_EQ(printed[2].Copies, 3);
    EXPECT_EQ(printed[2].FirstPage, 4);
    EXPECT_EQ(printed[2].LastPage, 4);
}

TEST(PreviewForm, SavedPagesLoadBackUnchanged) {
    TempDir dir;
    const QString file = QString::fromStdString(dir.file("lapok.qrp"));
    Fixture f(7);
    TPreviewForm form(f.Report, f.Data.get(), {}, {}, f.Prompts);
    FinishPreparing(form);
    {
        ScriptedModal& modal = f.Prompts;
        modal.ExpectSaveFile(file);
        Child(form, "SaveReport")->click();
        modal.Verify();
    }
    const std::optional<TPreparedReport> loaded = LoadPrepared(file);
    ASSERT_TRUE(loaded);
    TPageSource& original = form.Pages();
    ASSERT_EQ(static_cast<int>(loaded->Pages.size()), original.PageCount());
    for (int p = 0; p < original.PageCount(); ++p) {
        const TPreparedPage& page = original.Page(p);
        const TPreparedPage& back = loaded->Pages[static_cast<size_t>(p)];
        ASSERT_EQ(back.Items.size(), page.Items.size());
        for (size_t i = 0; i < page.Items.size(); ++i) {
            EXPECT_EQ(back.Items[i].RectMm, page.Items[i].RectMm);
            EXPECT_EQ(back.Items[i].Value, page.Items[i].Value);
            EXPECT_EQ(back.Items[i].Kind, page.Items[i].Kind);
        }
        EXPECT_EQ(RenderPage(*loaded, p, 100),
                  RenderPage(page, original.PageWidthMm(), original.PageLengthMm(), 100));
    }

    // Loading: page 1 of the loaded pages, Print enabled, the set-up not.
    Child(form, "LastPage")->click();
    {
        ScriptedModal& modal = f.Prompts;
        modal.ExpectOpenFile(QString::fromStdString(dir.file("nincs.qrp")));
        modal.ExpectMessageStartingWith("H", QString::fromUtf8("A fájl nem található"));
        Child(form, "LoadReport")->click();
        modal.Verify();
    }
    EXPECT_EQ(form.CurrentPage(), 3);
    {
        ScriptedModal& modal = f.Prompts;
        modal.ExpectOpenFile(file);
        Child(form, "LoadReport")->click();
        modal.Verify();
    }
    EXPECT_EQ(form.CurrentPage(), 1);
    EXPECT_EQ(PagePanel(form), "Page 1 of 3");
    EXPECT_TRUE(Child(form, "Print")->isEnabled());
    EXPECT_FALSE(Child(form, "PrintSetup")->isEnabled());
}

} // namespace
} // namespace etikor
