// Editing the template in the main window: creating, stepping, page and label setup, element
// properties, undo and redo. Every change is read back from the template file.

#include "app/MainFormFixture.h"
#include "barcode/Ean.h"
#include "data/DateTime.h"
#include "designer/BarcodeView.h"
#include "designer/CanvasTestSupport.h"
#include "designer/ElementPanel.h"
#include "designer/ElementViews.h"
#include "designer/LabelCanvas.h"
#include "designer/SetupTabs.h"
#include "designer/Sizer.h"
#include "support/Moment.h"
#include "support/Named.h"

#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableWidget>

#include <set>

namespace etikor {
namespace {

class EditingTest : public test::MainFormTest {
protected:
    ~EditingTest() override { SetClock({}); }

    TElementView* View(const QString& name) { return Form().Canvas().View(name); }
    TElementView* View(const char* name) { return View(QString::fromLatin1(name)); }
    std::set<QString> Selected() {
        std::set<QString> names;
        for (const TElementView* view : Form().Canvas().Selection())
            names.insert(view->objectName());
        return names;
    }
    void Select(const char* name) { QTest::mouseClick(View(name), Qt::LeftButton); }
    TLabelElement Row(const char* name) { return test::StoredElement(SeriesPath("Sorozat0.ctv"), name); }
    bool Stored(const char* name) {
        TStoreTable t;
        t.SetTableName(SeriesPath("Sorozat0.ctv"));
        t.Open();
        return t.Locate("Elemnev", TVariant(std::string(name)), 0);
    }
    std::string StoredField(const char* name, const char* field) {
        TStoreTable t;
        t.SetTableName(SeriesPath("Sorozat0.ctv"));
        t.Open();
        EXPECT_TRUE(t.Locate("Elemnev", TVariant(std::string(name)), 0)) << name;
        return t.FieldByName(field).AsString();
    }
    QByteArray FileBytes() {
        QFile f(Series(QStringLiteral("Sorozat0.ctv")));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    TPageSetup StoredPage() {
        TStoreTable t;
        t.SetTableName(SeriesPath("Sorozat0.ctv"));
        t.Open();
        EXPECT_TRUE(LocatePageSetup(t));
        return ReadPageSetup(t);
    }
    TElementPanel& Panel() { return *Child<TElementPanel>("tsElemek"); }
    void WriteSeries(int records, int type = 10) {
        TStoreTable s;
        s.FieldDefs = SeriesFieldDefs();
        s.Open();
        for (int i = 0; i < records; ++i) {
            s.Append();
            s.FieldByName("Vonalkod1").SetAsString(std::to_string(5990001 + i));
            s.FieldByName("Tipus1").SetAsInteger(type);
            s.Post();
        }
        s.SaveTable(SeriesPath("Sorozat0.sor"));
    }
    void DrawingItem(const char* name) {
        Child<QToolButton>("RajzGomb")->click();
        auto* menu = Child<QMenu>("RajzMenu");
        ASSERT_NE(menu, nullptr);
        menu->findChild<QAction*>(QString::fromLatin1(name))->trigger();
        menu->hide();
    }
};

const QString kNoData = QStringLiteral("Nincs adatforrás!");

// At zoom 2 a new text sits at (10, 10) on screen and is stored at 5; the other kinds are stored
// at (10, 10) and shown at (20, 20). Each new element is selected and written at once.
TEST_F(EditingTest, CreationAtZoomTwo) {
    TMainForm& form = StartOnFixture();
    form.SetZoom(2);
    Child<QAction>("mSzoveg")->trigger();
    ASSERT_NE(View("Szoveg_2"), nullptr);
    EXPECT_EQ(View("Szoveg_2")->pos(), QPoint(10, 10));
    EXPECT_EQ(Row("Szoveg_2").Px.Left, 5);
    EXPECT_EQ(Row("Szoveg_2").Px.Top, 5);
    EXPECT_EQ(Row("Szoveg_2").Value, QStringLiteral("Szoveg_2"));
    EXPECT_NEAR(Row("Szoveg_2").Mm.Left, 10 * 25.4 / 192, 1e-9);
    EXPECT_EQ(StoredField("Szoveg_2", "Betu"), "Arial,8,,0,clWindowText,1");
    EXPECT_EQ(form.Canvas().Selected(), View("Szoveg_2"));
    EXPECT_TRUE(Child<QToolButton>("NyilGomb")->isChecked());

    Child<QToolButton>("KepGomb")->click();
    EXPECT_EQ(View("Kep_2")->geometry(), QRect(20, 20, 40, 40));
    EXPECT_EQ(Row("Kep_2").Px.Left, 10);
    EXPECT_EQ(Row("Kep_2").Px.Width, 20);

    const struct {
        const char* Item;
        const char* Name;
        int Shape;
        QSize Stored;
    } drawings[] = {
        {"mVVonal", "Rajz_2", stRectangle, {60, 1}},   {"mFVonal", "Rajz_3", stRectangle, {1, 60}},
        {"mNegyzet", "Rajz_4", stRectangle, {60, 60}}, {"mKor", "Rajz_5", stCircle, {60, 60}},
        {"mEllipszis", "Rajz_6", stEllipse, {60, 50}},
    };
    for (const auto& d : drawings) {
        SCOPED_TRACE(d.Item);
        DrawingItem(d.Item);
        ASSERT_NE(View(d.Name), nullptr);
        EXPECT_EQ(View(d.Name)->geometry(), QRect(QPoint(20, 20), d.Stored * 2));
        const TLabelElement row = Row(d.Name);
        EXPECT_EQ(row.TypeIndex, d.Shape);
        EXPECT_EQ(QSize(row.Px.Width, row.Px.Height), d.Stored);
        EXPECT_EQ(row.Px.Left, 10);
    }

    // Without data the barcode warns and keeps its sample value.
    modal_.ExpectMessage(QStringLiteral("F"), kNoData);
    Child<QToolButton>("VonalkodGomb")->click();
    modal_.Verify();
    const TLabelElement barcode = Row("Vkod_2");
    EXPECT_EQ(barcode.Value, QStringLiteral("12345678"));
    EXPECT_EQ(barcode.TypeIndex, 5);
    EXPECT_TRUE(barcode.ShowValue);
    EXPECT_TRUE(barcode.StartStop);
    EXPECT_EQ(barcode.Px.Left, 10);
    EXPECT_EQ(View("Vkod_2")->pos(), QPoint(20, 20));
}

// Names: the counter moves past names that are taken; after a rebuild it counts the rows.
TEST_F(EditingTest, NamesAfterDeletes) {
    StartOnFixture();
    Child<QToolButton>("KepGomb")->click();
    EXPECT_NE(View("Kep_2"), nullptr);
    Select("Kep_1");
    Child<QToolButton>("ElemTorlesGomb")->click();
    EXPECT_FALSE(Stored("Kep_1"));
    Child<QToolButton>("Nagyitas1")->click(); // a rebuild: one picture, counter 1
    Child<QToolButton>("KepGomb")->click();
    EXPECT_NE(View("Kep_3"), nullptr);
    EXPECT_TRUE(Stored("Kep_3"));
}

// A new barcode with a generated series as data source shows its first value and type.
TEST_F(EditingTest, NewBarcodeBindsToTheSeries) {
    WriteDefaults();
    WriteSeries(3);
    TSettings settings;
    settings.AutoSugo = false;
    WriteSettings(settings);
    TMainForm& form = Start();
    form.State().DataFlag = true;
    Child<QToolButton>("VonalkodGomb")->click();
    modal_.Verify();
    const TLabelElement row = Row("Vkod_1");
    EXPECT_EQ(row.Source, QStringLiteral("Vonalkod1"));
    EXPECT_EQ(row.Value, QStringLiteral("5990001"));
    EXPECT_EQ(row.TypeIndex, 10);
    auto* view = qobject_cast<TBarcodeView*>(View("Vkod_1"));
    ASSERT_NE(view, nullptr);
    // EAN-8 with its check digit added by the engine.
    EXPECT_TRUE(view->Value().startsWith(QStringLiteral("5990001")));
    // A value of its own that is not the series' current one makes it a fixed barcode.
    Select("Vkod_1");
    test::Named<QComboBox>(Panel(), "cb_VkTNev")->setCurrentIndex(5);
    Child<QLineEdit>("Ertek")->setText(QStringLiteral("5996"));
    Child<QToolButton>("SzRogzitoGomb")->click();
    EXPECT_EQ(Row("Vkod_1").Source, QString());
    EXPECT_EQ(Row("Vkod_1").Value, QStringLiteral("5996"));
    // The series' own value keeps the binding.
    Select("Vkod_1");
    Child<QToolButton>("EMezoGomb")->click();
    Child<QToolButton>("SzRogzitoGomb")->click();
    EXPECT_EQ(Row("Vkod_1").Source, QStringLiteral("Vonalkod1"));
}

// A series of QR Codes: the new barcode is a QR Code with the default settings and no text.
TEST_F(EditingTest, NewBarcodeFromATwoDimensionalSeriesHasNoText) {
    WriteDefaults();
    WriteSeries(2, 15);
    TSettings settings;
    settings.AutoSugo = false;
    WriteSettings(settings);
    TMainForm& form = Start();
    form.State().DataFlag = true;
    Child<QToolButton>("VonalkodGomb")->click();
    modal_.Verify();
    const TLabelElement row = Row("Vkod_1");
    EXPECT_EQ(row.Source, QStringLiteral("Vonalkod1"));
    EXPECT_EQ(row.TypeIndex, 15);
    EXPECT_FALSE(row.ShowValue);
    auto* view = qobject_cast<TBarcodeView*>(View("Vkod_1"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Ean().TypBarCode(), TTypBarCode::bcQRCode);
    EXPECT_FALSE(view->Ean().ShowLabels());
}

// "<" and ">" walk the rows in the table's order (by name): the page-setup row is stepped onto
// without changing the selection; nothing happens at either end.
TEST_F(EditingTest, SteppingThroughTheRows) {
    TMainForm& form = StartOnFixture();
    auto* back = Child<QToolButton>("Hatra");
    auto* next = Child<QToolButton>("Elore");
    // Kep_1, Oldalbeall, Rajz_1, Szoveg_1, Vkod_1.
    Select("Rajz_1");
    back->click();
    EXPECT_EQ(form.Canvas().Selected(), View("Rajz_1"));
    EXPECT_EQ(Child<QLineEdit>("ElemNev_edit")->text(), QStringLiteral("Oldalbeall"));
    back->click();
    EXPECT_EQ(form.Canvas().Selected(), View("Kep_1"));
    back->click();
    EXPECT_EQ(form.Canvas().Selected(), View("Kep_1"));
    next->click();
    next->click();
    EXPECT_EQ(form.Canvas().Selected(), View("Rajz_1"));
    next->click();
    next->click();
    EXPECT_EQ(form.Canvas().Selected(), View("Vkod_1"));
    next->click();
    EXPECT_EQ(form.Canvas().Selected(), View("Vkod_1"));
    // With nothing selected the page-setup row is current: ">" goes on to Rajz_1.
    Child<QToolButton>("NyilGomb")->click();
    next->click();
    EXPECT_EQ(form.Canvas().Selected(), View("Rajz_1"));
}

// Apply: the label panel rounds before the zoom, the page grows within its limits, the
// page-setup row is written.
TEST_F(EditingTest, PageAndLabelApply) {
    TMainForm& form = StartOnFixture();
    auto* page = Child<TPageTab>("tsOldal");
    auto* label = Child<TLabelTab>("tsCimke");
    form.SetZoom(2);
    EXPECT_EQ(test::Named<QWidget>(form.Canvas(), "Cimke")->width(), 469); // the build: round(468.75)
    test::Named<QDoubleSpinBox>(page, "OldalHossz")->setValue(50);
    test::Named<QDoubleSpinBox>(page, "Felsom")->setValue(13);
    test::Named<QDoubleSpinBox>(page, "Alsom")->setValue(10);
    test::Named<QDoubleSpinBox>(label, "CMagassag")->setValue(38.1);
    test::Named<QDoubleSpinBox>(label, "CSzeles")->setValue(200);
    test::Named<QDoubleSpinBox>(page, "Balm")->setValue(10);
    test::Named<QDoubleSpinBox>(page, "Jobbm")->setValue(10);
    test::Named<QPushButton>(label, "CimkeRGomb")->click();
    EXPECT_DOUBLE_EQ(test::Named<QDoubleSpinBox>(page, "OldalHossz")->value(), 61.1);
    EXPECT_DOUBLE_EQ(test::Named<QDoubleSpinBox>(page, "OldalSzel")->value(), 210); // 220 kept at the limit
    TPageSetup stored = StoredPage();
    EXPECT_DOUBLE_EQ(stored.PageLengthMm, 61.1);
    EXPECT_DOUBLE_EQ(stored.PageWidthMm, 210);
    EXPECT_DOUBLE_EQ(stored.LabelWidthMm, 200);
    EXPECT_DOUBLE_EQ(stored.LabelHeightMm, 38.1);
    EXPECT_EQ(test::Named<QWidget>(form.Canvas(), "Cimke")->width(), 750 * 2);

    test::Named<QDoubleSpinBox>(label, "CSzeles")->setValue(62.5);
    test::Named<QPushButton>(page, "OldalRGomb")->click();
    EXPECT_EQ(test::Named<QWidget>(form.Canvas(), "Cimke")->width(), 468); // round(234.375) x 2

    test::Named<QPushButton>(page, "A4Gomb")->click();
    EXPECT_EQ(StoredPage().PageLengthMm, 61.1); // nothing written before Apply
    test::Named<QPushButton>(page, "OldalRGomb")->click();
    stored = StoredPage();
    EXPECT_DOUBLE_EQ(stored.PageWidthMm, 210);
    EXPECT_DOUBLE_EQ(stored.PageLengthMm, 297);
}

// A label width of 15 mm in the template shows as 20 and is stored as 20 by Apply.
TEST_F(EditingTest, NarrowLabelIsClampedByItsControl) {
    WriteDefaults();
    {
        TStoreTable t;
        t.FieldDefs = ElemekFieldDefs();
        t.Open();
        TPageSetup setup;
        setup.LabelWidthMm = 15;
        AppendPageSetupRow(t, setup);
        t.SaveTable(SeriesPath("Sorozat0.ctv"));
    }
    TSettings settings;
    settings.AutoSugo = false;
    WriteSettings(settings);
    Start();
    auto* label = Child<TLabelTab>("tsCimke");
    EXPECT_DOUBLE_EQ(test::Named<QDoubleSpinBox>(label, "CSzeles")->value(), 20);
    test::Named<QPushButton>(label, "CimkeRGomb")->click();
    EXPECT_DOUBLE_EQ(StoredPage().LabelWidthMm, 20);
}

// The step list in the locale's own notation: "0,05" in Hungarian, "0.05" in English; both
// become a step of 0.05.
TEST_F(EditingTest, StepListFollowsTheLocale) {
    StartOnFixture();
    auto* label = Child<TLabelTab>("tsCimke");
    EXPECT_EQ(test::Named<QComboBox>(label, "Leptetes")->currentText(), QStringLiteral("1"));
    EXPECT_EQ(test::Named<QComboBox>(label, "Leptetes")->itemText(1), QStringLiteral("0,05"));
    test::Named<QComboBox>(label, "Leptetes")->setCurrentIndex(1);
    test::Named<QDoubleSpinBox>(label, "CSzeles")->setValue(62.5);
    test::Named<QDoubleSpinBox>(label, "CSzeles")->stepUp();
    EXPECT_DOUBLE_EQ(test::Named<QDoubleSpinBox>(label, "CSzeles")->value(), 62.55);

    SetFormatSettings(TFormatSettings::Invariant());
    TLabelTab english;
    EXPECT_EQ(test::Named<QComboBox>(english, "Leptetes")->itemText(1), QStringLiteral("0.05"));
    test::Named<QComboBox>(english, "Leptetes")->setCurrentIndex(1);
    EXPECT_DOUBLE_EQ(test::Named<QDoubleSpinBox>(english, "CSzeles")->singleStep(), 0.05);
}

// The date/time list applied at a fixed moment stores the formatted time and its code.
TEST_F(EditingTest, DateTimeAppliedAtTheMoment) {
    StartOnFixture();
    SetClock([] { return test::At(2026, 3, 9, 14, 5); });
    Select("Szoveg_1");
    Child<QToolButton>("DtGomb")->click();
    EXPECT_FALSE(test::Named<QListWidget>(Panel(), "DtLista")->isHidden());
    test::Named<QListWidget>(Panel(), "DtLista")->setCurrentRow(12);
    Child<QToolButton>("SzRogzitoGomb")->click();
    const TLabelElement row = Row("Szoveg_1");
    EXPECT_EQ(row.Value, QStringLiteral("14:05"));
    EXPECT_EQ(row.Source, QStringLiteral("[12]I: ÓÓ:PP (24)"));
    EXPECT_TRUE(test::Named<QListWidget>(Panel(), "DtLista")->isHidden());
    // A text with a date/time source may be aligned but not rotated.
    Select("Szoveg_1");
    EXPECT_TRUE(Child<QToolButton>("sbKozepre")->isEnabled());
    EXPECT_FALSE(Child<QComboBox>("cb_Elforgat")->isEnabled());
    Child<QToolButton>("sbKozepre")->click();
    EXPECT_EQ(StoredField("Szoveg_1", "Tajolas"), "K");
    // The aligned element stays selected for the next command.
    EXPECT_EQ(Form().Canvas().Selected(), View("Szoveg_1"));
    EXPECT_EQ(Form().Canvas().SelectedFlag(), 1);
}

// Apply with an empty value warns and writes nothing; a barcode value its type refuses becomes
// "1234"; the type list is set before the value is checked.
TEST_F(EditingTest, ApplyValueRefusals) {
    StartOnFixture();
    Select("Szoveg_1");
    const QByteArray before = FileBytes();
    Child<QLineEdit>("Ertek")->setText(QStringLiteral("  "));
    modal_.ExpectMessage(QStringLiteral("F"), QStringLiteral("Üres az érték mező!"));
    Child<QToolButton>("SzRogzitoGomb")->click();
    modal_.Verify();
    EXPECT_EQ(FileBytes(), before);

    Select("Vkod_1");
    test::Named<QComboBox>(Panel(), "cb_VkTNev")->setCurrentIndex(10); // Ean 8
    Child<QLineEdit>("Ertek")->setText(QStringLiteral("ABC"));
    modal_.ExpectMessage(QStringLiteral("F"), QStringLiteral("Nem megfelelő vonalkód érték!"));
    Child<QToolButton>("SzRogzitoGomb")->click();
    modal_.Verify();
    EXPECT_EQ(Row("Vkod_1").Value, QStringLiteral("1234"));
    EXPECT_EQ(Row("Vkod_1").TypeIndex, 10);

    Select("Vkod_1");
    test::Named<QComboBox>(Panel(), "cb_VkTNev")->setCurrentIndex(10);
    Child<QLineEdit>("Ertek")->setText(QStringLiteral("1234567"));
    Child<QToolButton>("SzRogzitoGomb")->click();
    EXPECT_EQ(Row("Vkod_1").Value, QStringLiteral("1234567"));
    EXPECT_EQ(static_cast<TBarcodeView*>(View("Vkod_1"))->Ean().TypBarCode(), TTypBarCode::bcEan8);

    // The field button without data.
    Select("Szoveg_1");
    modal_.ExpectMessage(QStringLiteral("F"), kNoData);
    Child<QToolButton>("EMezoGomb")->click();
    modal_.Verify();
}

// With a linked table the field button opens the field list; a double-click takes the field's
// first value (and for a barcode the series type); typing hides the list. A source the list
// does not hold is reported.
TEST_F(EditingTest, FieldListOfALinkedSource) {
    WriteDefaults();
    WriteSeries(2);
    TSettings settings;
    settings.AutoSugo = false;
    WriteSettings(settings);
    TMainForm& form = Start();
    form.State().DataFlag = true;
    form.State().LinkFlag = true;
    Child<QToolButton>("VonalkodGomb")->click(); // bound to nothing while linked
    modal_.Verify();
    Select("Vkod_1");
    Child<QToolButton>("EMezoGomb")->click();
    modal_.Verify();
    auto* list = test::Named<QTableWidget>(Panel(), "Mezok");
    EXPECT_FALSE(list->isHidden());
    EXPECT_FALSE(test::Named<QToolButton>(Panel(), "MezoKilepGomb")->isHidden());
    ASSERT_GT(list->rowCount(), 0);
    ASSERT_EQ(list->item(0, 0)->text(), QStringLiteral("Vonalkod1"));
    emit list->cellDoubleClicked(0, 0);
    EXPECT_EQ(Child<QLineEdit>("Ertek")->text(), QStringLiteral("5990001"));
    EXPECT_EQ(Panel().PendingSource().trimmed(), QStringLiteral("Vonalkod1"));
    EXPECT_EQ(test::Named<QComboBox>(Panel(), "cb_VkTNev")->currentIndex(), 10);
    QTest::keyClick(Child<QLineEdit>("Ertek"), Qt::Key_2);
    EXPECT_TRUE(list->isHidden());

    // A date/time source is no listed field.
    Select("Vkod_1");
    Child<QToolButton>("DtGomb")->click();
    Child<QToolButton>("SzRogzitoGomb")->click();
    EXPECT_TRUE(Row("Vkod_1").Source.startsWith(QStringLiteral("[00]")));
    Select("Vkod_1");
    modal_.ExpectMessage(QStringLiteral("F"), QStringLiteral("Hiányzik a beállított mezőnév!"));
    Child<QToolButton>("EMezoGomb")->click();
    modal_.Verify();
}

// Rotation stores its code and keeps the selection; a 90-degree barcode is never width-checked.
TEST_F(EditingTest, Rotation) {
    TMainForm& form = StartOnFixture();
    Select("Szoveg_1");
    auto* rotation = Child<QComboBox>("cb_Elforgat");
    rotation->setCurrentIndex(1);
    emit rotation->activated(1);
    EXPECT_EQ(Row("Szoveg_1").Rotation, 1);
    EXPECT_EQ(form.Canvas().Selected(), View("Szoveg_1"));
    EXPECT_EQ(form.Canvas().SelectedFlag(), 1);
    EXPECT_EQ(static_cast<TRotateLabel*>(View("Szoveg_1"))->Escapement(), 90);

    Select("Vkod_1");
    rotation->setCurrentIndex(1);
    emit rotation->activated(1);
    EXPECT_EQ(Row("Vkod_1").Rotation, 1);
    Select("Vkod_1");
    View("Vkod_1")->resize(10, View("Vkod_1")->height());
    form.Canvas().Sizer->Follow();
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Left, Qt::ShiftModifier);
    modal_.Verify(); // no width warning
    EXPECT_EQ(Row("Vkod_1").Px.Width, 9);
}

// A 12-point font chosen at zoom 3 is stored as 12 points and drawn three times as high; for a
// barcode it also switches "Auto betu" off for the run.
TEST_F(EditingTest, FontAtZoomThree) {
    TMainForm& form = StartOnFixture();
    form.SetZoom(3);
    QFont chosen(QStringLiteral("Arial"));
    chosen.setPointSize(12);
    for (const char* name : {"Szoveg_1", "Vkod_1"}) {
        SCOPED_TRACE(name);
        Select(name);
        modal_.ExpectFont(TFontChoice{chosen, Qt::black});
        Child<QToolButton>("BetuGomb")->click();
        modal_.Verify();
        EXPECT_EQ(StoredField(name, "Betu").substr(0, 9), "Arial,12,");
        EXPECT_EQ(Row(name).Font.Size(), 12);
        EXPECT_EQ(form.Canvas().Selected(), View(name));
        EXPECT_EQ(form.Canvas().SelectedFlag(), 1);
    }
    EXPECT_EQ(View("Szoveg_1")->font().pixelSize(), 16 * 3);
    EXPECT_EQ(static_cast<TBarcodeView*>(View("Vkod_1"))->Ean().Font().Size, 36);
    // Cancel changes nothing.
    Select("Szoveg_1");
    const QByteArray before = FileBytes();
    modal_.ExpectFont(std::nullopt);
    Child<QToolButton>("BetuGomb")->click();
    EXPECT_EQ(FileBytes(), before);
}

// After a dialog the selected element stays selected, even when the window manager hands the
// main window its activation back: Delete, the delete button and "original size" act on it.
TEST_F(EditingTest, SelectionSurvivesEveryDialog) {
    TMainForm& form = StartOnFixture();
    const auto dialogClosed = [&] {
        form.activateWindow();
        QApplication::setActiveWindow(&form);
        QEvent activation(QEvent::ActivationChange);
        QApplication::sendEvent(&form, &activation);
    };
    const QString picture = QString::fromStdString(work_.file("nagy.bmp"));
    test::WriteBmp(picture.toStdString(), 30, 12);
    Select("Kep_1");
    modal_.ExpectOpenPicture(picture);
    Child<QToolButton>("EFileGomb")->click();
    dialogClosed();
    modal_.Verify();
    Child<QToolButton>("NagyitoKep")->click();
    EXPECT_EQ(Row("Kep_1").Px.Width, 30);
    EXPECT_EQ(Row("Kep_1").Px.Height, 12);
    EXPECT_EQ(form.Canvas().Selected(), View("Kep_1"));

    Select("Szoveg_1");
    QFont chosen(QStringLiteral("Arial"));
    chosen.setPointSize(14);
    modal_.ExpectFont(TFontChoice{chosen, Qt::red});
    Child<QToolButton>("BetuGomb")->click();
    dialogClosed();
    modal_.Verify();
    ASSERT_EQ(form.Canvas().Selected(), View("Szoveg_1"));
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Delete);
    EXPECT_FALSE(Stored("Szoveg_1"));

    Select("Kep_1");
    modal_.ExpectOpenPicture(std::nullopt);
    Child<QToolButton>("EFileGomb")->click();
    dialogClosed();
    Child<QToolButton>("ElemTorlesGomb")->click();
    EXPECT_FALSE(Stored("Kep_1"));
}

// F2 takes the keyboard to the value box (from any tab), Enter there applies the value to the
// selected element, which stays selected.
TEST_F(EditingTest, F2AndEnterInTheValueBox) {
    TMainForm& form = StartOnFixture();
    form.activateWindow();
    Select("Szoveg_1");
    Child<QTabWidget>("PageControl1")->setCurrentIndex(2);
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_F2);
    auto* value = Child<QLineEdit>("Ertek");
    EXPECT_EQ(Child<QTabWidget>("PageControl1")->currentWidget(), &Panel());
    EXPECT_TRUE(value->hasFocus() || QApplication::focusWidget() == value);
    value->setText(QStringLiteral("Uj felirat"));
    QTest::keyClick(value, Qt::Key_Return);
    EXPECT_EQ(Row("Szoveg_1").Value, QStringLiteral("Uj felirat"));
    EXPECT_EQ(form.Canvas().Selected(), View("Szoveg_1"));
    EXPECT_EQ(form.Canvas().SelectedFlag(), 1);
}

// The barcode setup dialog (a double click on a barcode) offers what the template keeps and
// writes what OK left into it as one step; Help opens its topic; Cancel writes nothing.
TEST_F(EditingTest, BarcodeSetupIsWrittenIntoTheTemplate) {
    TMainForm& form = StartOnFixture();
    Select("Vkod_1");
    const QByteArray before = FileBytes();
    modal_.ExpectModal(QStringLiteral("EANSetupFmt"), QDialog::Rejected);
    QTest::mouseDClick(View("Vkod_1"), Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    modal_.Verify();
    EXPECT_EQ(FileBytes(), before);

    const int ean13 = static_cast<int>(*BarcodeTypeForIndex(9));
    modal_.ExpectModal(QStringLiteral("EANSetupFmt"), QDialog::Accepted, [&](QObject& window) {
        auto& w = dynamic_cast<QWidget&>(window);
        auto* pages = w.findChild<QTabWidget*>(QStringLiteral("ZAL"));
        QStringList shown;
        for (int i = 0; i < pages->count(); ++i)
            if (pages->isTabVisible(i))
                shown << pages->widget(i)->objectName();
        EXPECT_EQ(shown, (QStringList{QStringLiteral("SH_MAIN"), QStringLiteral("TabSheet3"),
                                      QStringLiteral("SH_ABOUT")}));
        for (const char* hidden : {"SecurityZoom", "EAN_Width", "EAN_Height", "AddUp"})
            EXPECT_TRUE(w.findChild<QWidget*>(QString::fromLatin1(hidden))->isHidden()) << hidden;
        auto* types = w.findChild<QComboBox*>(QStringLiteral("CBTyp"));
        auto* model = qobject_cast<QStandardItemModel*>(types->model());
        int offered = 0;
        for (int i = 0; i < types->count(); ++i)
            offered += model->item(i)->isEnabled() ? 1 : 0;
        EXPECT_EQ(offered, kBarcodeListSize);
        modal_.ExpectHelp(12);
        w.findChild<QPushButton*>(QStringLiteral("BtnHelp"))->click();
        types->setCurrentIndex(ean13);
        w.findChild<QLineEdit*>(QStringLiteral("EANMEMO"))->setText(QStringLiteral("599000000001"));
        w.findChild<QCheckBox*>(QStringLiteral("ShowLabels"))->setChecked(false);
        w.findChild<QCheckBox*>(QStringLiteral("StartStopLines"))->setChecked(true);
        w.findChild<QSpinBox*>(QStringLiteral("EAN_ANGLE"))->setValue(90);
        w.findChild<QPushButton*>(QStringLiteral("BtnOk"))->click();
        return QDialog::Accepted;
    });
    QTest::mouseDClick(View("Vkod_1"), Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    modal_.Verify();
    const TLabelElement row = Row("Vkod_1");
    EXPECT_EQ(row.TypeIndex, 9);
    EXPECT_FALSE(row.ShowValue);
    EXPECT_TRUE(row.StartStop);
    EXPECT_EQ(row.Rotation, 1);
    EXPECT_TRUE(row.Value.startsWith(QStringLiteral("599000000001"))) << row.Value.toStdString();
    EXPECT_EQ(form.Canvas().Selected(), View("Vkod_1"));
    EXPECT_EQ(static_cast<TBarcodeView*>(View("Vkod_1"))->Ean().TypBarCode(), TTypBarCode::bcEan13);
    // One step back gives the file as it was.
    Child<QAction>("mVisszavonas")->trigger();
    EXPECT_EQ(FileBytes(), before);
}

// A two-dimensional type on the barcode panel: no text and no guard bars by default, its own
// settings lists, written into the stored type index and shown again on the next selection.
TEST_F(EditingTest, TwoDimensionalTypeWithItsSettings) {
    StartOnFixture();
    Select("Vkod_1");
    TElementPanel& p = Panel();
    const auto choose = [&](int position) {
        test::Named<QComboBox>(p, "cb_VkTNev")->setCurrentIndex(position);
        emit test::Named<QComboBox>(p, "cb_VkTNev")->activated(position);
    };
    test::Named<QCheckBox>(p, "cbVonalkodErtek")->setChecked(true);
    choose(15); // QR Code
    EXPECT_FALSE(test::Named<QCheckBox>(p, "cbVonalkodErtek")->isChecked());
    EXPECT_TRUE(test::Named<QCheckBox>(p, "cbStartStop")->isHidden());
    ASSERT_FALSE(test::Named<QComboBox>(p, "cb_VkOpcio")->isHidden());
    EXPECT_TRUE(test::Named<QComboBox>(p, "cb_VkOpcio2")->isHidden());
    EXPECT_EQ(test::Named<QComboBox>(p, "cb_VkOpcio")->count(), 4);
    EXPECT_EQ(test::Named<QComboBox>(p, "cb_VkOpcio")->currentText(), QStringLiteral("M (15 %)"));
    EXPECT_EQ(test::Named<QLabel>(p, "lbVkOpcio")->text(), QStringLiteral("&Hibajavítás:"));
    test::Named<QComboBox>(p, "cb_VkOpcio")->setCurrentIndex(3); // H
    Child<QToolButton>("VkRogzitGomb")->click();
    EXPECT_EQ(Row("Vkod_1").TypeIndex, 315);
    EXPECT_FALSE(Row("Vkod_1").ShowValue);
    TEan& qr = static_cast<TBarcodeView*>(View("Vkod_1"))->Ean();
    EXPECT_EQ(qr.TypBarCode(), TTypBarCode::bcQRCode);
    EXPECT_EQ(qr.MatrixOptions().QrEcc, TQrEcc::H);
    Select("Vkod_1");
    EXPECT_EQ(test::Named<QComboBox>(p, "cb_VkTNev")->currentText(), QStringLiteral("QR Code"));
    EXPECT_EQ(test::Named<QComboBox>(p, "cb_VkOpcio")->currentText(), QStringLiteral("H (30 %)"));

    // PDF417: columns and level.
    choose(17);
    ASSERT_FALSE(test::Named<QComboBox>(p, "cb_VkOpcio2")->isHidden());
    EXPECT_EQ(test::Named<QComboBox>(p, "cb_VkOpcio")->count(), 31);
    EXPECT_EQ(test::Named<QComboBox>(p, "cb_VkOpcio2")->count(), 10);
    EXPECT_EQ(test::Named<QComboBox>(p, "cb_VkOpcio")->currentText(), QStringLiteral("auto"));
    EXPECT_EQ(test::Named<QLabel>(p, "lbVkOpcio2")->text(), QStringLiteral("&Szint:"));
    test::Named<QComboBox>(p, "cb_VkOpcio")->setCurrentIndex(5);
    test::Named<QComboBox>(p, "cb_VkOpcio2")->setCurrentIndex(4); // level 3
    Child<QToolButton>("VkRogzitGomb")->click();
    EXPECT_EQ(Row("Vkod_1").TypeIndex, 17 + 100 * (5 + 31 * 4));

    // GS1 DataMatrix: the value is checked as a GS1 string when it is applied.
    Select("Vkod_1");
    choose(16);
    test::Named<QComboBox>(p, "cb_VkOpcio")->setCurrentIndex(2); // GS1 négyzet
    Child<QLineEdit>("Ertek")->setText(QStringLiteral("(01)09501101530004"));
    modal_.ExpectMessage(QStringLiteral("F"), QStringLiteral("Nem megfelelő vonalkód érték!"));
    Child<QToolButton>("SzRogzitoGomb")->click();
    modal_.Verify();
    Select("Vkod_1");
    choose(16);
    test::Named<QComboBox>(p, "cb_VkOpcio")->setCurrentIndex(2);
    Child<QLineEdit>("Ertek")->setText(QStringLiteral("(01)09501101530003(17)261231"));
    Child<QToolButton>("SzRogzitoGomb")->click();
    EXPECT_EQ(Row("Vkod_1").Value, QStringLiteral("(01)09501101530003(17)261231"));
    EXPECT_EQ(Row("Vkod_1").TypeIndex, 216);
    Select("Vkod_1");
    EXPECT_EQ(test::Named<QComboBox>(p, "cb_VkOpcio")->currentText(), QStringLiteral("GS1 négyzet"));

    // Back to a linear type: no settings, guard bars again.
    choose(9);
    EXPECT_TRUE(test::Named<QComboBox>(p, "cb_VkOpcio")->isHidden());
    EXPECT_FALSE(test::Named<QCheckBox>(p, "cbStartStop")->isHidden());
    Child<QToolButton>("VkRogzitGomb")->click();
    EXPECT_EQ(Row("Vkod_1").TypeIndex, 9);
}

// The barcode panel's Apply writes type and options and rebuilds; the bitmap copy goes through
// the save dialog; a picture file becomes value and source with its full path.
TEST_F(EditingTest, BarcodePanelAndPictureFile) {
    StartOnFixture();
    Select("Vkod_1");
    test::Named<QComboBox>(Panel(), "cb_VkTNev")->setCurrentIndex(9);
    test::Named<QCheckBox>(Panel(), "cbVonalkodErtek")->setChecked(false);
    test::Named<QCheckBox>(Panel(), "cbStartStop")->setChecked(true);
    Child<QToolButton>("VkRogzitGomb")->click();
    TLabelElement row = Row("Vkod_1");
    EXPECT_EQ(row.TypeIndex, 9);
    EXPECT_FALSE(row.ShowValue);
    EXPECT_TRUE(row.StartStop);
    EXPECT_EQ(static_cast<TBarcodeView*>(View("Vkod_1"))->Ean().TypBarCode(), TTypBarCode::bcEan13);

    // The rebuild made new views: the copy takes the barcode selected last.
    Select("Vkod_1");
    const QString bmp = QString::fromStdString(work_.file("kod.bmp"));
    modal_.ExpectSaveFile(bmp, [](const TFileDialogOptions& o) {
        EXPECT_EQ(o.Filter, QStringLiteral("Bitmap file|*.bmp"));
        EXPECT_TRUE(o.FileName.isEmpty());
    });
    Child<QToolButton>("Vk_bmp")->click();
    modal_.Verify();
    EXPECT_TRUE(QFileInfo::exists(bmp));

    const QString picture = QString::fromStdString(work_.file("masik.bmp"));
    test::WriteBmp(picture.toStdString(), 5, 7);
    Select("Kep_1");
    modal_.ExpectOpenPicture(picture, [&](const TFileDialogOptions& o) {
        EXPECT_EQ(o.Title, QStringLiteral("Kép file"));
        EXPECT_EQ(o.InitialDir, paths_.SeriesFolder());
        EXPECT_EQ(o.Filter, QStringLiteral("Kép fileok|*.bmp;*.jpg;*.jpeg;*.wmf;*.ico"));
    });
    Child<QToolButton>("EFileGomb")->click();
    modal_.Verify();
    row = Row("Kep_1");
    EXPECT_EQ(row.Value, picture);
    EXPECT_EQ(row.Source, picture);
    EXPECT_EQ(static_cast<TPictureView*>(View("Kep_1"))->Picture().size(), QSize(5, 7));

    // A file that is no picture is reported; the element stays as it was.
    const QString bad = QString::fromStdString(work_.file("rossz.bmp"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("nem kep");
    }
    Select("Kep_1");
    modal_.ExpectOpenPicture(bad).ExpectMessage(QStringLiteral("F"),
                                                QStringLiteral("A kép file nem olvasható!\r") + bad);
    Child<QToolButton>("EFileGomb")->click();
    modal_.Verify();
    EXPECT_EQ(Row("Kep_1").Value, picture);
}

// Ctrl and Shift clicks gather several elements; the one clicked last is primary (the element
// tab shows its row), a second Ctrl click drops one, a Ctrl click on the frame hands the primary
// role back. The arrow keys and a drag move them together, each move one step to undo.
TEST_F(EditingTest, SeveralElementsMoveTogether) {
    TMainForm& form = StartOnFixture();
    TLabelCanvas& canvas = form.Canvas();
    auto* undo = Child<QAction>("mVisszavonas");
    Select("Szoveg_1");
    QTest::mouseClick(View("Rajz_1"), Qt::LeftButton, Qt::ControlModifier);
    QTest::mouseClick(View("Kep_1"), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(canvas.Selected(), View("Kep_1"));
    EXPECT_EQ(Child<QLineEdit>("ElemNev_edit")->text(), QStringLiteral("Kep_1"));
    EXPECT_EQ(Selected(), (std::set<QString>{"Szoveg_1", "Kep_1", "Rajz_1"}));
    QTest::mouseClick(View("Rajz_1"), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_FALSE(canvas.IsSelected(View("Rajz_1")));
    QTest::mouseClick(canvas.Sizer, Qt::LeftButton, Qt::ControlModifier, canvas.Sizer->rect().center());
    EXPECT_EQ(canvas.Selected(), View("Szoveg_1"));
    EXPECT_EQ(Selected(), (std::set<QString>{"Szoveg_1"}));
    EXPECT_EQ(Child<QLineEdit>("ElemNev_edit")->text(), QStringLiteral("Szoveg_1"));

    QTest::mouseClick(View("Rajz_1"), Qt::LeftButton, Qt::ControlModifier);
    const TPixelRect text = Row("Szoveg_1").Px;
    const TPixelRect circle = Row("Rajz_1").Px;
    QTest::keyClick(canvas.Sizer, Qt::Key_Right);
    EXPECT_EQ(Row("Szoveg_1").Px.Left, text.Left + 1);
    EXPECT_EQ(Row("Rajz_1").Px.Left, circle.Left + 1);
    EXPECT_EQ(undo->toolTip(), QStringLiteral("Visszavonás: Áthelyezés, átméretezés"));

    const QPoint inside = canvas.Sizer->rect().center();
    QTest::mousePress(canvas.Sizer, Qt::LeftButton, {}, inside);
    QTest::mouseMove(canvas.Sizer, inside + QPoint(5, 3));
    QTest::mouseRelease(canvas.Sizer, Qt::LeftButton, {}, inside + QPoint(5, 3));
    EXPECT_EQ(Row("Szoveg_1").Px.Left, text.Left + 6);
    EXPECT_EQ(Row("Szoveg_1").Px.Top, text.Top + 3);
    EXPECT_EQ(Row("Rajz_1").Px.Left, circle.Left + 6);
    EXPECT_EQ(Row("Rajz_1").Px.Top, circle.Top + 3);
    // One undo takes the drag back from both.
    undo->trigger();
    EXPECT_EQ(Row("Szoveg_1").Px.Left, text.Left + 1);
    EXPECT_EQ(Row("Rajz_1").Px.Left, circle.Left + 1);
    EXPECT_EQ(Row("Rajz_1").Px.Top, circle.Top);
}

// A rubber band over the label selects the elements wholly inside it, the topmost primary;
// with Ctrl it adds to the selection. Deleting removes them all as one step, which one undo
// brings back.
TEST_F(EditingTest, RubberBandAndGroupDelete) {
    TMainForm& form = StartOnFixture();
    TLabelCanvas& canvas = form.Canvas();
    auto* label = test::Named<QWidget>(canvas, "Cimke");
    const auto band = [&](QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
        QTest::mousePress(label, Qt::LeftButton, modifiers, from);
        QTest::mouseMove(label, (from + to) / 2);
        QTest::mouseMove(label, to);
        QTest::mouseRelease(label, Qt::LeftButton, modifiers, to);
    };
    Select("Vkod_1");
    // Szoveg_1 and Kep_1 lie wholly inside, Vkod_1 only in part.
    band({2, 2}, {250, 45}, {});
    EXPECT_EQ(Selected(), (std::set<QString>{"Szoveg_1", "Kep_1"}));
    // The topmost of them is primary.
    EXPECT_EQ(canvas.Selected(), canvas.Selection().back());
    band({160, 50}, {250, 130}, Qt::ControlModifier);
    EXPECT_EQ(Selected(), (std::set<QString>{"Szoveg_1", "Kep_1", "Rajz_1"}));
    EXPECT_EQ(canvas.Selected(), View("Rajz_1"));
    EXPECT_EQ(Child<QLineEdit>("ElemNev_edit")->text(), QStringLiteral("Rajz_1"));
    // A click on the bare label clears it all.
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(250, 130));
    EXPECT_TRUE(canvas.Selection().empty());

    band({2, 2}, {250, 130}, {});
    ASSERT_EQ(canvas.Selection().size(), 4u);
    const QByteArray before = FileBytes();
    QTest::keyClick(canvas.Sizer, Qt::Key_Delete);
    for (const char* name : {"Szoveg_1", "Vkod_1", "Kep_1", "Rajz_1"}) {
        EXPECT_EQ(View(name), nullptr) << name;
        EXPECT_FALSE(Stored(name)) << name;
    }
    Child<QAction>("mVisszavonas")->trigger();
    EXPECT_EQ(FileBytes(), before);
    for (const char* name : {"Szoveg_1", "Vkod_1", "Kep_1", "Rajz_1"})
        EXPECT_NE(View(name), nullptr) << name;
}

// The arrange items (tool button and edit menu) line the selection up as one step each: several
// elements to their common box, one element to the label. Spacing evenly wants three.
TEST_F(EditingTest, ArrangeTheSelection) {
    TMainForm& form = StartOnFixture();
    auto* undo = Child<QAction>("mVisszavonas");
    auto* left = Child<QAction>("mIgazBalra");
    auto* spread = Child<QAction>("mElosztVizszintes");
    EXPECT_FALSE(Child<QToolButton>("ElrendezesGomb")->isEnabled());
    EXPECT_FALSE(left->isEnabled());
    ASSERT_NE(Child<QMenu>("Szerkesztes1"), nullptr);
    EXPECT_TRUE(
        Child<QMenu>("Szerkesztes1")->actions().contains(Child<QMenu>("ElrendezesMenu")->menuAction()));

    Select("Kep_1");
    EXPECT_TRUE(left->isEnabled());
    EXPECT_FALSE(spread->isEnabled());
    QTest::mouseClick(View("Rajz_1"), Qt::LeftButton, Qt::ControlModifier);
    QTest::mouseClick(View("Vkod_1"), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(spread->isEnabled());
    const TLabelElement barcode = Row("Vkod_1");
    left->trigger();
    EXPECT_EQ(undo->toolTip(), QStringLiteral("Visszavonás: Elrendezés"));
    // Vkod_1 starts at 10 pixels, the leftmost: the others join it, in millimetres as well.
    for (const char* name : {"Kep_1", "Rajz_1", "Vkod_1"}) {
        EXPECT_EQ(Row(name).Px.Left, 10) << name;
        EXPECT_DOUBLE_EQ(Row(name).Mm.Left, barcode.Mm.Left) << name;
    }
    EXPECT_EQ(form.Canvas().Sizer->geometry(), View("Vkod_1")->geometry().adjusted(-5, -5, 5, 5));
    undo->trigger();
    EXPECT_EQ(Row("Kep_1").Px.Left, 170);
    EXPECT_EQ(Row("Rajz_1").Px.Left, 170);

    // One element: centred on the label.
    Select("Rajz_1");
    Child<QAction>("mKozepVizszintes")->trigger();
    const int panel = form.Canvas().PanelSize().Width;
    EXPECT_EQ(Row("Rajz_1").Px.Left, (panel - 60) / 2);
    Child<QAction>("mIgazAlulra")->trigger();
    EXPECT_EQ(Row("Rajz_1").Px.Top, form.Canvas().PanelSize().Height - 60);
}

// A sequence of edits undone step by step gives back the original file byte for byte; redone,
// the edited file. The menu items follow what there is to undo, their hints name the edit.
TEST_F(EditingTest, UndoAndRedoByteForByte) {
    TMainForm& form = StartOnFixture();
    auto* undo = Child<QAction>("mVisszavonas");
    auto* redo = Child<QAction>("mMegis");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                      QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    const QByteArray original = FileBytes();

    Child<QAction>("mSzoveg")->trigger();                // creation
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Right); // move
    EXPECT_EQ(undo->toolTip(), QStringLiteral("Visszavonás: Áthelyezés, átméretezés"));
    Select("Rajz_1");
    // The fixture row had no millimetres: the selection wrote them.
    EXPECT_EQ(undo->toolTip(), QStringLiteral("Visszavonás: Elem helyének rögzítése"));
    Child<QToolButton>("ElemTorlesGomb")->click(); // delete
    Select("Szoveg_1");
    Child<QLineEdit>("Ertek")->setText(QStringLiteral("Új érték"));
    Child<QToolButton>("SzRogzitoGomb")->click(); // value
    test::Named<QDoubleSpinBox>(Child<TLabelTab>("tsCimke"), "CSzeles")->setValue(70);
    Child<QPushButton>("CimkeRGomb")->click(); // page and label
    const QByteArray edited = FileBytes();
    EXPECT_NE(edited, original);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->toolTip(), QStringLiteral("Visszavonás: Oldal és címke beállítása"));

    int steps = 0;
    while (undo->isEnabled() && steps < 20) {
        undo->trigger();
        ++steps;
    }
    // Five edits, and the first selections of Rajz_1 and Szoveg_1, which wrote the millimetres
    // the fixture rows lacked.
    EXPECT_EQ(steps, 7);
    EXPECT_EQ(FileBytes(), original);
    EXPECT_NE(View("Rajz_1"), nullptr);
    EXPECT_EQ(View("Szoveg_2"), nullptr);
    EXPECT_EQ(Child<QLineEdit>("ElemNev_edit")->text(), QStringLiteral("Oldalbeall"));
    EXPECT_TRUE(redo->isEnabled());
    EXPECT_EQ(redo->toolTip(), QStringLiteral("Mégis: Új szöveg elem"));

    while (redo->isEnabled())
        redo->trigger();
    EXPECT_EQ(FileBytes(), edited);
    EXPECT_EQ(View("Rajz_1"), nullptr);
    EXPECT_DOUBLE_EQ(test::Named<QDoubleSpinBox>(Child<TLabelTab>("tsCimke"), "CSzeles")->value(), 70);

    // A new edit after an undo forgets the redo side; opening a template forgets everything.
    undo->trigger();
    Select("Szoveg_1");
    Child<QToolButton>("ElemTorlesGomb")->click();
    EXPECT_FALSE(redo->isEnabled());
    modal_.ExpectOpenFile(Series(QStringLiteral("Sorozat0.ctv")));
    Child<QAction>("mMegnyit")->trigger();
    modal_.Verify();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

} // namespace
} // namespace etikor
