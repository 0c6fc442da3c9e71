#include "designer/LabelCanvas.h"

#include "barcode/Ean.h"
#include "designer/BarcodeView.h"
#include "designer/CanvasTestSupport.h"
#include "designer/Ruler.h"
#include "designer/Sizer.h"
#include "document/FontDescriptor.h"
#include "document/TemplateSchema.h"
#include "support/Named.h"
#include "support/ScriptedModal.h"
#include "tablestore/StoreTable.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace etikor {
namespace {

using test::TempDir;

class LabelCanvasTest : public testing::Test {
protected:
    LabelCanvasTest() {
        test::WriteBmp(dir_.file("kep.bmp"), 8, 6);
        test::WriteFixtureTemplate(dir_.file("fixture.ctv"), dir_.file("kep.bmp"));
        elemek_.SetTableName(dir_.file("fixture.ctv"));
        elemek_.SetIndexFieldNames("Elemnev");
        elemek_.Open();
    }

    // The canvas of the template as the table now holds it.
    TCanvasBuild Build(int zoom) {
        canvas_.SetZoom(zoom);
        template_.Load();
        return canvas_.Build(template_, settings_);
    }
    QRect Geometry(const char* name) { return canvas_.View(QString::fromLatin1(name))->geometry(); }

    TempDir dir_;
    TStoreTable elemek_;
    TLabelTemplate template_{elemek_};
    TSettings settings_;
    TLabelCanvas canvas_{nullptr};
};

// One view per element row, named after it, of its kind; the label of 62.5 x 38.1 mm.
TEST_F(LabelCanvasTest, BuildsOneViewPerElement) {
    const TCanvasBuild build = Build(1);
    EXPECT_FALSE(build.SetupRowAdded);
    EXPECT_EQ(test::Named<QWidget>(canvas_, "Cimke")->size(), QSize(234, 147));
    ASSERT_EQ(canvas_.Views().size(), 4u);
    EXPECT_TRUE(qobject_cast<TRotateLabel*>(canvas_.View(QStringLiteral("Szoveg_1"))));
    EXPECT_TRUE(qobject_cast<TBarcodeView*>(canvas_.View(QStringLiteral("Vkod_1"))));
    EXPECT_TRUE(qobject_cast<TPictureView*>(canvas_.View(QStringLiteral("Kep_1"))));
    EXPECT_TRUE(qobject_cast<TMyShape*>(canvas_.View(QStringLiteral("Rajz_1"))));
    for (TElemKind kind :
         {TElemKind::ekText, TElemKind::ekBarcode, TElemKind::ekPicture, TElemKind::ekDrawing})
        EXPECT_EQ(template_.Namer().Counter(kind), 1);
    // The template is back on its first row.
    EXPECT_EQ(elemek_.RecNo(), 1);
}

// The edge cases of the canvas build: right alignment, the sample value, the placeholder and
// the circle at zoom 2.
TEST_F(LabelCanvasTest, ElementViewsTakeTheirRows) {
    const TCanvasBuild build = Build(2);
    EXPECT_EQ(test::Named<QWidget>(canvas_, "Cimke")->size(), QSize(469, 293));
    auto* text = qobject_cast<TRotateLabel*>(canvas_.View(QStringLiteral("Szoveg_1")));
    EXPECT_EQ(text->Alignment(), TAlignment::taRightJustify);
    ASSERT_TRUE(build.LastAlignment);
    EXPECT_EQ(*build.LastAlignment, TAlignment::taRightJustify);
    EXPECT_EQ(text->Text(), QStringLiteral("Jobbra"));
    EXPECT_EQ(text->pos(), QPoint(20, 20));
    auto* barcode = qobject_cast<TBarcodeView*>(canvas_.View(QStringLiteral("Vkod_1")));
    EXPECT_EQ(barcode->Value(), QStringLiteral("12345678"));
    EXPECT_EQ(barcode->geometry(), QRect(20, 80, 300, 100));
    auto* picture = qobject_cast<TPictureView*>(canvas_.View(QStringLiteral("Kep_1")));
    EXPECT_TRUE(picture->IsPlaceholder()); // no Forras, although FErtek names a real file
    EXPECT_EQ(picture->Picture().size(), QSize(23, 23));
    auto* shape = qobject_cast<TMyShape*>(canvas_.View(QStringLiteral("Rajz_1")));
    EXPECT_EQ(shape->Shape(), stCircle);
    EXPECT_EQ(shape->size(), QSize(120, 120));
}

// A centred or right-aligned text shows in its stored box where the print puts it; a
// left-aligned one fits its text.
TEST_F(LabelCanvasTest, AlignedTextShowsInItsBoxAsItPrints) {
    const struct {
        const char* Name;
        const char* Alignment;
        int InkFrom; // the leftmost ink lies at or right of this share of the box (percent)
        int InkTo;   // and left of this one
    } rows[] = {
        {"Szoveg_2", "J", 60, 100},
        {"Szoveg_3", "K", 25, 50},
        {"Szoveg_4", "B", 0, 10},
    };
    int top = 100; // below the barcode
    for (const auto& row : rows) {
        elemek_.Last();
        test::AppendFixtureRow(elemek_, {row.Name, {10, top, 150, 12}, "Mezo", "AB", 0, row.Alignment});
        top += 15;
    }
    Build(1);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        auto* text = canvas_.View(QString::fromLatin1(row.Name));
        ASSERT_NE(text, nullptr);
        const bool keepsBox = QByteArray(row.Alignment) != "B";
        EXPECT_EQ(text->width() == 150, keepsBox) << text->width();
        // The view on the white label, as the canvas shows it.
        const QImage image = test::Named<QWidget>(canvas_, "Cimke")->grab(text->geometry()).toImage();
        int ink = -1;
        for (int x = 0; x < image.width() && ink < 0; ++x)
            for (int y = 0; y < image.height(); ++y)
                if (qGray(image.pixel(x, y)) < 128) {
                    ink = x;
                    break;
                }
        ASSERT_GE(ink, 0);
        EXPECT_GE(ink, 150 * row.InkFrom / 100) << ink;
        EXPECT_LT(ink, 150 * row.InkTo / 100) << ink;
    }
}

// A picture with a source loads its file; a missing file is the placeholder, not an error.
TEST_F(LabelCanvasTest, PictureWithSourceLoadsItsFile) {
    ASSERT_TRUE(elemek_.Locate("Elemnev", TVariant(std::string("Kep_1")), 0));
    elemek_.Edit();
    elemek_.FieldByName("Forras").SetAsString("kep");
    elemek_.Post();
    Build(1);
    auto* picture = qobject_cast<TPictureView*>(canvas_.View(QStringLiteral("Kep_1")));
    EXPECT_FALSE(picture->IsPlaceholder());
    EXPECT_EQ(picture->Picture().size(), QSize(8, 6));
    QFile::remove(QString::fromStdString(dir_.file("kep.bmp")));
    Build(1);
    EXPECT_TRUE(qobject_cast<TPictureView*>(canvas_.View(QStringLiteral("Kep_1")))->IsPlaceholder());
}

// The barcode engine takes the element's font as it is stored: the colour type is the same on
// both sides, a system colour included, and the size grows with the zoom.
TEST_F(LabelCanvasTest, BarcodeTakesTheElementFont) {
    ASSERT_TRUE(elemek_.Locate("Elemnev", TVariant(std::string("Vkod_1")), 0));
    elemek_.Edit();
    elemek_.FieldByName("Betu").SetAsString("Courier New,9,B,0,clRed,238");
    elemek_.Post();
    Build(2);
    const TEan& ean = qobject_cast<TBarcodeView*>(canvas_.View(QStringLiteral("Vkod_1")))->Ean();
    EXPECT_EQ(ean.Font().Color, clRed);
    EXPECT_EQ(ean.Font().Name, "Courier New");
    EXPECT_EQ(ean.Font().Size, 18);
    EXPECT_TRUE(ean.Font().Bold);
    elemek_.Edit();
    elemek_.FieldByName("Betu").SetAsString(std::string(kDefaultFontDescriptor));
    elemek_.Post();
    Build(1);
    EXPECT_EQ(qobject_cast<TBarcodeView*>(canvas_.View(QStringLiteral("Vkod_1")))->Ean().Font().Color,
              clWindowText);
}

// An element the template removes loses its view, selected or not.
TEST_F(LabelCanvasTest, RemovedElementLosesItsView) {
    Build(1);
    canvas_.Attach(canvas_.View(QStringLiteral("Rajz_1")));
    ASSERT_TRUE(template_.Remove(QStringLiteral("Rajz_1")));
    EXPECT_EQ(canvas_.View(QStringLiteral("Rajz_1")), nullptr);
    EXPECT_EQ(canvas_.Selected(), nullptr);
    EXPECT_EQ(canvas_.SelectedFlag(), 0);
    ASSERT_TRUE(template_.Remove(QStringLiteral("Kep_1")));
    EXPECT_EQ(canvas_.Views().size(), 2u);
}

// Zoom 3 and back to 1 puts every element at its stored position again.
TEST_F(LabelCanvasTest, ZoomAndBackRestoresPositions) {
    Build(1);
    const QRect barcode = Geometry("Vkod_1");
    const QRect shape = Geometry("Rajz_1");
    Build(3);
    EXPECT_EQ(Geometry("Rajz_1"), QRect(510, 180, 180, 180));
    EXPECT_EQ(canvas_.VonalzoX->Scale(), 300);
    Build(1);
    EXPECT_EQ(Geometry("Vkod_1"), barcode);
    EXPECT_EQ(Geometry("Rajz_1"), shape);
    EXPECT_EQ(canvas_.VonalzoY->Scale(), 100);
}

// A template without a page-setup row shows the settings' default label and gains the row.
TEST_F(LabelCanvasTest, MissingPageSetupComesFromTheSettings) {
    ASSERT_TRUE(LocatePageSetup(elemek_));
    elemek_.Delete();
    settings_.Page.LabelWidthMm = 40;
    settings_.Page.LabelHeightMm = 20;
    const TCanvasBuild build = Build(1);
    EXPECT_TRUE(build.SetupRowAdded);
    EXPECT_EQ(test::Named<QWidget>(canvas_, "Cimke")->size(), QSize(150, 77));
    TStoreTable reread;
    reread.SetTableName(dir_.file("fixture.ctv"));
    reread.Open();
    ASSERT_TRUE(LocatePageSetup(reread));
    EXPECT_DOUBLE_EQ(ReadPageSetup(reread).LabelWidthMm, 40);
}

// Storing a view's geometry writes millimetres and stored pixels to its row and the file; a
// too narrow unrotated barcode gives the warning.
TEST_F(LabelCanvasTest, StoreGeometryWritesTheRowAndTheFile) {
    Build(2);
    TElementView* shape = canvas_.View(QStringLiteral("Rajz_1"));
    shape->move(41, 61);
    EXPECT_FALSE(canvas_.StoreGeometry(*shape));
    const TLabelElement row = test::StoredElement(dir_.file("fixture.ctv"), "Rajz_1");
    EXPECT_EQ(row.Px.Left, 20); // 41 / 2 = 20.5 -> 20
    EXPECT_EQ(row.Px.Top, 30);  // 61 / 2 = 30.5 -> 30
    EXPECT_EQ(row.Px.Width, 60);
    EXPECT_NEAR(row.Mm.Left, 41 * 25.4 / 192, 1e-9);

    TElementView* barcode = canvas_.View(QStringLiteral("Vkod_1"));
    barcode->resize(8, barcode->height());
    const std::optional<QString> warning = canvas_.StoreGeometry(*barcode);
    ASSERT_TRUE(warning);
    EXPECT_TRUE(warning->startsWith(QStringLiteral("Nem megfelelő vonalkód szélesség! (4px./")));
}

// The sizing frame: arrow keys move by one pixel, Shift+arrows resize, never below 2 x 2;
// each step reports its end.
TEST_F(LabelCanvasTest, SizerKeysMoveAndResize) {
    Build(1);
    TElementView* shape = canvas_.View(QStringLiteral("Rajz_1"));
    canvas_.Attach(shape);
    int ended = 0;
    QObject::connect(&canvas_, &TLabelCanvas::GeometryEnded, [&](TElementView*) { ++ended; });
    QTest::keyClick(canvas_.Sizer, Qt::Key_Right);
    QTest::keyClick(canvas_.Sizer, Qt::Key_Down);
    EXPECT_EQ(shape->pos(), QPoint(171, 61));
    QTest::keyClick(canvas_.Sizer, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(shape->size(), QSize(59, 60));
    shape->resize(2, 2);
    QTest::keyClick(canvas_.Sizer, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(shape->size(), QSize(2, 2));
    EXPECT_EQ(ended, 4);
    EXPECT_EQ(canvas_.SelectedFlag(), 1);
    canvas_.Detach();
    EXPECT_EQ(canvas_.SelectedFlag(), 0);
    EXPECT_FALSE(canvas_.Sizer->isVisibleTo(test::Named<QWidget>(canvas_, "Cimke")));
}

// Dragging inside the frame moves the view; a corner handle resizes it.
TEST_F(LabelCanvasTest, SizerDragMovesAndResizes) {
    Build(1);
    canvas_.resize(600, 400);
    canvas_.show();
    TElementView* shape = canvas_.View(QStringLiteral("Rajz_1"));
    canvas_.Attach(shape);
    const QPoint inside(30, 30);
    QTest::mousePress(canvas_.Sizer, Qt::LeftButton, {}, inside);
    QTest::mouseMove(canvas_.Sizer, inside + QPoint(5, 3));
    QTest::mouseRelease(canvas_.Sizer, Qt::LeftButton, {}, inside + QPoint(5, 3));
    EXPECT_EQ(shape->pos(), QPoint(175, 63));
    const QPoint corner = canvas_.Sizer->rect().bottomRight() - QPoint(1, 1);
    QTest::mousePress(canvas_.Sizer, Qt::LeftButton, {}, corner);
    QTest::mouseMove(canvas_.Sizer, corner + QPoint(10, 4));
    QTest::mouseRelease(canvas_.Sizer, Qt::LeftButton, {}, corner + QPoint(10, 4));
    EXPECT_EQ(shape->size(), QSize(70, 64));
}

// A double click on a barcode view, or on the frame over the selected one, asks for the setup
// dialog on that view (the editor runs it and writes what it changed); a disabled editor asks
// for nothing.
TEST_F(LabelCanvasTest, DoubleClickAsksForTheBarcodeSetup) {
    Build(1);
    canvas_.resize(600, 400);
    canvas_.show();
    auto* view = qobject_cast<TBarcodeView*>(canvas_.View(QStringLiteral("Vkod_1")));
    ASSERT_NE(view, nullptr);
    std::vector<TBarcodeView*> asked;
    QObject::connect(&canvas_, &TLabelCanvas::BarcodeSetupRequested,
                     [&](TBarcodeView* v) { asked.push_back(v); });
    QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(5, 5));
    canvas_.Attach(view);
    QTest::mouseDClick(canvas_.Sizer, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(asked, (std::vector<TBarcodeView*>{view, view}));

    view->Ean().SetDisableEditor(true);
    QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(asked.size(), 2u);
}

// The label panel is white behind its views.
TEST_F(LabelCanvasTest, LabelIsWhite) {
    Build(1);
    canvas_.resize(600, 400);
    canvas_.show();
    const QImage image = test::Named<QWidget>(canvas_, "Cimke")->grab().toImage();
    EXPECT_EQ(image.pixelColor(230, 140), QColor(Qt::white));
    const QImage whole = canvas_.grab().toImage();
    const QPoint corner = test::Named<QWidget>(canvas_, "Cimke")->mapTo(&canvas_, QPoint(230, 140));
    EXPECT_EQ(whole.pixelColor(corner), QColor(Qt::white));
}

// Rulers draw navy ticks on silver.
TEST_F(LabelCanvasTest, RulersAreNavyOnSilver) {
    Build(1);
    const QImage image = canvas_.VonalzoX->grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(0xC0, 0xC0, 0xC0));
    bool navy = false;
    for (int x = 0; x < image.width() && !navy; ++x)
        navy = image.pixelColor(x, image.height() - 1) == QColor(0x00, 0x00, 0x80);
    EXPECT_TRUE(navy);
}

// The rulers stay at the view's edges and span it; a label larger than the view scrolls and
// the rulers' zero follows the label's edge.
TEST_F(LabelCanvasTest, ScrollingLabelWithRulersAlongside) {
    canvas_.resize(400, 300);
    canvas_.show();
    Build(8);
    QWidget* cimke = test::Named<QWidget>(canvas_, "Cimke");
    EXPECT_EQ(cimke->size(), QSize(1875, 1173));
    EXPECT_EQ(canvas_.VonalzoX->Scale(), 800);
    const QRect view = canvas_.viewport()->geometry();
    EXPECT_EQ(canvas_.VonalzoX->geometry(), QRect(view.left(), view.top() - 20, view.width(), 20));
    EXPECT_EQ(canvas_.VonalzoY->geometry(), QRect(view.left() - 20, view.top(), 20, view.height()));
    EXPECT_EQ(canvas_.VonalzoX->Origin(), TLabelCanvas::kMargin);
    ASSERT_GT(canvas_.horizontalScrollBar()->maximum(), 1000);
    ASSERT_GT(canvas_.verticalScrollBar()->maximum(), 500);
    canvas_.horizontalScrollBar()->setValue(1000);
    canvas_.verticalScrollBar()->setValue(500);
    EXPECT_EQ(canvas_.VonalzoX->Origin(), TLabelCanvas::kMargin - 1000);
    EXPECT_EQ(canvas_.VonalzoY->Origin(), TLabelCanvas::kMargin - 500);
    EXPECT_EQ(cimke->mapTo(canvas_.viewport(), QPoint(0, 0)),
              QPoint(TLabelCanvas::kMargin - 1000, TLabelCanvas::kMargin - 500));
    // The rulers stay where they are.
    EXPECT_EQ(canvas_.VonalzoX->geometry().top(), view.top() - 20);
    // The axes say which millimetre is under a point of the view.
    EXPECT_NEAR(canvas_.AxisX().ViewToMm(0, 8), ScreenToMm(1000 - TLabelCanvas::kMargin, 8), 1e-9);
    // A larger view: no scrolling at 1x, and the content fills the view.
    Build(1);
    canvas_.resize(900, 700);
    EXPECT_EQ(canvas_.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(canvas_.widget()->size(), canvas_.viewport()->size());
    EXPECT_EQ(canvas_.VonalzoX->width(), canvas_.viewport()->width());
    EXPECT_EQ(canvas_.FitZoom(), 3); // 703 x 440 fits 900 - 40 - 12 across, 700 - 40 - 12 down
}

// Ctrl+wheel asks for the next step around the pointer; a plain wheel scrolls.
TEST_F(LabelCanvasTest, CtrlWheelAsksForZoomAroundThePointer) {
    canvas_.resize(400, 300);
    canvas_.show();
    Build(2);
    std::vector<std::pair<int, QPointF>> asked;
    QObject::connect(&canvas_, &TLabelCanvas::ZoomAtRequested,
                     [&](int zoom, const QPointF& at) { asked.emplace_back(zoom, at); });
    QWidget* cimke = test::Named<QWidget>(canvas_, "Cimke");
    // Over the label: a wheel event the label leaves goes on to the view (sent ones do not
    // travel up by themselves).
    const QPointF at = cimke->mapTo(canvas_.viewport(), QPointF(50, 40));
    auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(at, canvas_.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas_.viewport(), &event);
    };
    wheel(120, Qt::ControlModifier);
    wheel(-240, Qt::ControlModifier);
    wheel(60, Qt::ControlModifier); // half a notch: nothing yet
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].first, 3);
    EXPECT_EQ(asked[1].first, 1);
    EXPECT_EQ(asked[0].second, at);
    const int before = canvas_.verticalScrollBar()->value();
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_GT(canvas_.verticalScrollBar()->value(), before);
}

// At a device pixel ratio of 2 the rulers' ticks and the element views land on whole device
// pixels at twice their logical place: sharp, not smeared over neighbours.
TEST_F(LabelCanvasTest, SharpAtDevicePixelRatioTwo) {
    canvas_.resize(500, 400);
    canvas_.show();
    Build(2);
    QImage ruler(canvas_.VonalzoX->size() * 2, QImage::Format_RGB32);
    ruler.setDevicePixelRatio(2);
    canvas_.VonalzoX->render(&ruler);
    const QColor navy(0x00, 0x00, 0x80), silver(0xC0, 0xC0, 0xC0);
    // 10 mm at zoom 2: 75.59 -> 76 logical pixels from the label's edge.
    const int tick = 2 * (canvas_.VonalzoX->Origin() + 76);
    const int y = ruler.height() - 2;
    EXPECT_EQ(ruler.pixelColor(tick, y), navy);
    EXPECT_EQ(ruler.pixelColor(tick + 1, y), navy);
    EXPECT_EQ(ruler.pixelColor(tick - 1, y), silver);
    EXPECT_EQ(ruler.pixelColor(tick + 2, y), silver);

    QWidget* cimke = test::Named<QWidget>(canvas_, "Cimke");
    QImage label(cimke->size() * 2, QImage::Format_RGB32);
    label.setDevicePixelRatio(2);
    cimke->render(&label);
    const QImage logical = cimke->grab().toImage();
    // Every logical pixel is the same two by two device pixels.
    int differing = 0;
    for (int ly = 0; ly < logical.height(); ly += 3)
        for (int lx = 0; lx < logical.width(); lx += 3) {
            const QColor c = logical.pixelColor(lx, ly);
            const bool white = c == QColor(Qt::white);
            if (white != (label.pixelColor(2 * lx, 2 * ly) == QColor(Qt::white)))
                ++differing;
        }
    EXPECT_LT(differing, logical.width() * logical.height() / 9 / 50) << "views out of place at 2x";
}

} // namespace
} // namespace etikor
