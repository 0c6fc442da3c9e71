#include "app/MainFormFixture.h"
#include "data/Cp1250.h"
#include "designer/BarcodeView.h"
#include "designer/CanvasTestSupport.h"
#include "designer/ElementPanel.h"
#include "designer/ElementViews.h"
#include "designer/LabelCanvas.h"
#include "designer/Ruler.h"
#include "designer/Sizer.h"
#include "series/ManualEntry.h"
#include "series/ui/KeziForm.h"
#include "support/Named.h"
#include "ui/Icons.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QWheelEvent>

namespace etikor {
namespace {

class MainWindowTest : public test::MainFormTest {
protected:
    static void WriteFixtureSeries(const std::string& path, int records) {
        TStoreTable s;
        s.FieldDefs = SeriesFieldDefs();
        s.Open();
        for (int i = 0; i < records; ++i) {
            s.Append();
            s.FieldByName("Vonalkod1").SetAsString(std::to_string(100000 + i));
            s.FieldByName("Tipus1").SetAsInteger(5);
            s.Post();
        }
        s.SaveTable(path);
    }
    TElementView* View(const char* name) { return Form().Canvas().View(QString::fromLatin1(name)); }
    TLabelElement Row(const char* name) { return test::StoredElement(SeriesPath("Sorozat0.ctv"), name); }
};

// Every menu item: caption, component name, shortcut, and whether it is enabled (items whose
// behaviour is not built are disabled rather than doing nothing).
TEST_F(MainWindowTest, MenuItems) {
    StartOnFixture();
    struct Row {
        const char* Name;
        QString Caption;
        QKeySequence Shortcut;
        bool Enabled;
    } rows[] = {
        {"mUj", QStringLiteral("Új sorozat..."), QKeySequence(QStringLiteral("Ctrl+N")), true},
        {"mMegnyit", QStringLiteral("Megnyitás..."), QKeySequence(QStringLiteral("Ctrl+O")), true},
        {"mKezi", QStringLiteral("Kézi rögzítés"), {}, true},
        {"mMentes", QStringLiteral("Mentés másként..."), QKeySequence(QStringLiteral("Ctrl+S")), true},
        {"mAdatbongeszo", QStringLiteral("Adatböngésző"), {}, true},
        {"ImportlsExcel1", QStringLiteral("Importálás (Excel)"), {}, true},
        {"Excelfile1", QStringLiteral("Excel file"), {}, true},
        {"Kilps2", QStringLiteral("Kilépés"), {}, true},
        {"Belltsok1", QStringLiteral("&Beállítások"), {}, true},
        {"mKurzor", QStringLiteral("Kurzor"), {}, true},
        {"mSzoveg", QStringLiteral("Szöveg"), QKeySequence(QStringLiteral("Ctrl+T")), true},
        {"mVonalkod", QStringLiteral("Vonalkód"), QKeySequence(QStringLiteral("Ctrl+V")), true},
        {"mKep", QStringLiteral("Kép"), QKeySequence(QStringLiteral("Ctrl+K")), true},
        {"mRajz", QStringLiteral("Rajz"), QKeySequence(QStringLiteral("Ctrl+R")), true},
        // Nothing to undo or redo right after start-up.
        {"mVisszavonas", QStringLiteral("Visszavonás"), QKeySequence(QStringLiteral("Ctrl+Z")), false},
        {"mMegis", QStringLiteral("Mégis"), QKeySequence(QStringLiteral("Ctrl+Y")), false},
        {"mTorol", QStringLiteral("Elem törlése"), QKeySequence(QStringLiteral("Ctrl+D")), false},
        {"mEtikett", QStringLiteral("Nyomtat..."), QKeySequence(QStringLiteral("Ctrl+P")), true},
        {"mPreview", QStringLiteral("Nyomtatási kép"), QKeySequence(QStringLiteral("Ctrl+Shift+P")), true},
        {"mSugo", QStringLiteral("Segitség  F1"), {}, true},
        {"mOrsina", QStringLiteral("Orsina"), {}, true},
        {"Kilps1", QStringLiteral("&Kilépés"), {}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        QAction* action = Child<QAction>(row.Name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), row.Caption);
        EXPECT_EQ(action->shortcut(), row.Shortcut);
        EXPECT_EQ(action->isEnabled(), row.Enabled);
    }
    QStringList menus;
    for (QAction* a : Form().menuBar()->actions())
        menus << a->text();
    // Each top menu has its own Alt letter.
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&File"), QStringLiteral("&Beállítások"),
                                  QStringLiteral("&Szerkesztés"), QStringLiteral("&Nyomtatás"),
                                  QStringLiteral("Sú&gó"), QStringLiteral("&Kilépés")}));
}

// The settings dialog from the menu: help context 20 while it is open; Esc keeps a changed
// default label width but not an unticked box; "Rendben" writes the file with the open
// template's name.
TEST_F(MainWindowTest, SettingsDialogFromTheMenu) {
    StartOnFixture();
    auto field = [](QObject& w, const char* name) {
        return w.findChild<QDoubleSpinBox*>(QString::fromLatin1(name));
    };
    auto box = [](QObject& w, const char* name) {
        return w.findChild<QCheckBox*>(QString::fromLatin1(name));
    };
    modal_.ExpectModal(QStringLiteral("BeallitasForm"), 0, [&](QObject& w) {
        EXPECT_EQ(Form().HelpContext(), 20);
        field(w, "CSzelesseg")->setValue(50);
        box(w, "cbAutoBetu")->click();
        static_cast<QDialog&>(w).reject();
        return 0;
    });
    Child<QAction>("Belltsok1")->trigger();
    modal_.Verify();
    EXPECT_EQ(Form().HelpContext(), 10);
    EXPECT_EQ(Form().Settings().Page.LabelWidthMm, 50);
    EXPECT_TRUE(Form().Settings().AutoBetu);

    modal_.ExpectModal(QStringLiteral("BeallitasForm"), 0, [&](QObject& w) {
        EXPECT_EQ(field(w, "CSzelesseg")->value(), 50);
        EXPECT_TRUE(box(w, "cbAutoBetu")->isChecked());
        box(w, "cbAutoBetu")->click();
        box(w, "cbAOrsina")->click();
        w.findChild<QPushButton*>(QStringLiteral("RendbenGomb"))->click();
        return 1;
    });
    Child<QAction>("Belltsok1")->trigger();
    modal_.Verify();
    EXPECT_FALSE(Form().Settings().AutoBetu);
    EXPECT_TRUE(Child<QAction>("mOrsina")->isChecked());
    const TSettings written = TSettingsFile(paths_.ProgramFolder).Read();
    EXPECT_FALSE(written.AutoBetu);
    EXPECT_TRUE(written.AutoOrsina);
    EXPECT_EQ(written.Page.LabelWidthMm, 50);
    EXPECT_EQ(written.Utolso, QStringLiteral("Sorozat0.ctv"));
}

// The wizard from the menu: the main window's values in, a 10 mm label width limited to the
// label tab's 20 mm when Yes copies it back; unticking the start-up box clears the check mark
// and is saved.
TEST_F(MainWindowTest, WizardFromTheMenu) {
    WriteDefaults();
    test::WriteBmp(work_.file("kep.bmp"), 8, 6);
    test::WriteFixtureTemplate(SeriesPath("Sorozat0.ctv"), work_.file("kep.bmp"));
    WriteFixtureSeries(SeriesPath("Sorozat0.sor"), 2);
    TSettings settings;
    settings.AutoSugo = false;
    WriteSettings(settings);
    Start();
    const QString use = QStringLiteral("Felhasználod a beállított adatokat?");
    auto field = [](QObject& w, const char* name) {
        return w.findChild<QDoubleSpinBox*>(QString::fromLatin1(name));
    };
    Child<QAction>("mOrsina")->setChecked(true);
    Form().Settings().AutoOrsina = true;
    modal_.ExpectModal(QStringLiteral("OrsinaForm"), 0, [&](QObject& w) {
        EXPECT_EQ(field(w, "CSzelesseg")->value(), Child<QDoubleSpinBox>("CSzeles")->value());
        field(w, "CSzelesseg")->setValue(10);
        w.findChild<QCheckBox*>(QStringLiteral("cb_Varazslo"))->click();
        // "MS-Excel kapcsolat" links a worksheet through the program's own link.
        auto* radio = w.findChild<QAbstractButton*>(QStringLiteral("gr_Aforras_2"));
        EXPECT_TRUE(radio->isEnabled());
        radio->click();
        EXPECT_TRUE(Form().State().LinkFlag);
        static_cast<QDialog&>(w).reject();
        return 0;
    });
    modal_.ExpectOpenFile(Series(QStringLiteral("adatok.csv")));
    modal_.ExpectMessage(QStringLiteral("K"), use, false);
    {
        QFile sheet(Series(QStringLiteral("adatok.csv")));
        ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
        sheet.write("Cikkszam;Ar\n5990000000017;10\n");
    }
    Child<QAction>("mOrsina")->trigger();
    modal_.Verify();
    // No after linking in the wizard: the link is gone again, nothing stored.
    EXPECT_FALSE(Form().State().LinkFlag);
    EXPECT_EQ(dm_.StoredLink(), std::nullopt);
    EXPECT_FALSE(Child<QAction>("mOrsina")->isChecked());
    EXPECT_FALSE(TSettingsFile(paths_.ProgramFolder).Read().AutoOrsina);
    EXPECT_NE(Child<QDoubleSpinBox>("CSzeles")->value(), 10);

    // Yes with the series (records) chosen: the values reach the label tab within its limits.
    modal_.ExpectModal(QStringLiteral("OrsinaForm"), 0, [&](QObject& w) {
        field(w, "CSzelesseg")->setValue(10);
        static_cast<QDialog&>(w).accept();
        return 1;
    });
    modal_.ExpectMessage(QStringLiteral("K"), use, true);
    modal_.ExpectMessage(QStringLiteral("F"), QStringLiteral("Nincs, vagy üres az adatforrás!"));
    Child<QAction>("mOrsina")->trigger();
    modal_.Verify();
    EXPECT_NE(Child<QDoubleSpinBox>("CSzeles")->value(), 10) << "nothing chosen: nothing copied";

    // Hand entry chosen, the series has records: Yes copies and applies.
    modal_.ExpectModal(QStringLiteral("OrsinaForm"), 1, [&](QObject& w) {
        field(w, "CSzelesseg")->setValue(10);
        w.findChild<QAbstractButton*>(QStringLiteral("gr_Aforras_0"))->click();
        static_cast<QDialog&>(w).accept();
        return 1;
    });
    modal_.ExpectModal(QStringLiteral("KeziForm"), 0);
    modal_.ExpectMessage(QStringLiteral("K"), use, true);
    Child<QAction>("mOrsina")->trigger();
    modal_.Verify();
    EXPECT_EQ(Child<QDoubleSpinBox>("CSzeles")->value(), 20);
    EXPECT_EQ(dm_.Template.PageSetup().LabelWidthMm, 20) << "applied to the template";
}

// Buttons and controls with their hints or captions, and their state after start-up.
TEST_F(MainWindowTest, ButtonsAndControls) {
    StartOnFixture();
    struct Row {
        const char* Name;
        QString Hint;
        QString Caption; // empty: not checked
        bool Enabled;
    } rows[] = {
        {"UjFileGomb", QStringLiteral("Új..."), {}, true},
        {"MegnyitasGomb", QStringLiteral("Megnyitás"), {}, true},
        {"KeziGomb", QStringLiteral("Vonalkód-sorozat kézi rögzítése"), {}, true},
        {"NyomtatasGomb", QStringLiteral("Nyomtatás"), {}, true},
        {"ExcelImportGomb", QStringLiteral("Importálás MS-Excel táblából"), {}, true},
        {"SugoGomb", QStringLiteral("Súgó [F1]"), {}, true},
        {"NyilGomb", QStringLiteral("Kurzor"), {}, true},
        {"SzovegGomb", QStringLiteral("Szöveg elem"), {}, true},
        {"VonalkodGomb", QStringLiteral("Vonalkód elem"), {}, true},
        {"KepGomb", QStringLiteral("Kép elem"), {}, true},
        {"RajzGomb", QStringLiteral("Rajz elem"), {}, true},
        {"ElemTorlesGomb", QStringLiteral("Aktuális elem törlése"), {}, false},
        {"NagyitoKep", QStringLiteral("Kép elem eredeti méretének beállítása\nCímke frissítése."), {}, true},
        {"Nagyitas1", QStringLiteral("Nagyítás 100%"), QStringLiteral("1x"), true},
        {"Nagyitas2", QStringLiteral("Nagyítás 200%"), QStringLiteral("2x"), true},
        {"Nagyitas3", QStringLiteral("Nagyítás 300%"), QStringLiteral("3x"), true},
        {"Gen_Gomb", {}, QStringLiteral("&Generált adatbázis"), true},
        {"GNyit_Gomb", {}, QStringLiteral("Megnyitás"), true},
        {"Bongeszo_Gomb", {}, QStringLiteral("Adatböngésző"), true},
        {"General_Gomb", {}, QStringLiteral("Generálás"), true},
        {"ODBC_Gomb", {}, QStringLiteral("&ODBC adatforrás"), false},
        {"SzRogzitoGomb", {}, QStringLiteral("Alkalmaz"), true},
        {"EMezoGomb", QStringLiteral("Adatmező kiválasztása"), {}, false},
        {"DtGomb", QStringLiteral("Rendszer dátum vagy idő beszúrása"), {}, false},
        {"EFileGomb", QStringLiteral("Kép file kiválasztása"), {}, false},
        {"MezoKilepGomb", {}, QStringLiteral("Mégsem/Vissza"), true},
        {"sbBalra", QStringLiteral("Balra igazítás"), {}, false},
        {"sbKozepre", QStringLiteral("Középre igazítás"), {}, false},
        {"sbJobbra", QStringLiteral("Jobbra igazítás"), {}, false},
        {"cb_Elforgat", QStringLiteral("Elforgatás (fok)"), {}, false},
        {"BetuGomb", QStringLiteral("Betűtípus beállítása"), {}, true},
        {"ElemNev_edit", QStringLiteral("Elem belső azonosítója"), {}, true},
        {"Height_edit", QStringLiteral("Kiválasztott elem magassága [mm]"), {}, true},
        {"Hatra", QStringLiteral("Címke-elem kiválasztása"), QStringLiteral("<"), true},
        {"Elore", QStringLiteral("Címke-elem kiválasztása"), QStringLiteral(">"), true},
        {"cbVonalkodErtek", {}, QStringLiteral("Vonalkód érték látszik"), true},
        {"cbStartStop", {}, QStringLiteral("Start/Stop vonalak"), true},
        {"Vk_bmp", QStringLiteral("Kijelölt vonalkód .bmp file-ba másolása"), {}, true},
        {"VonalkodKilepGomb", QStringLiteral("Vonalkód panel elrejtése"), {}, true},
        {"KlonozasGomb", QStringLiteral("Kijelölt vonalkód értékének sokszorosítása (klónozás)"), {}, true},
        {"OldalSzel", QStringLiteral("Oldal szélessége"), {}, true},
        {"CTerkoz", QStringLiteral("Cimkék közötti térköz"), {}, true},
        {"A4Gomb", QStringLiteral("A4 -es oldal méret beállítása"), QStringLiteral("A4"), true},
        {"OldalRGomb", {}, QStringLiteral("Alkalmaz"), true},
        {"Leptetes", QStringLiteral("Méretek beállításának léptetési egysége"), {}, true},
        {"cb_Keret", {}, QStringLiteral("Keret a címkék körül"), true},
        {"CimkeRGomb", {}, QStringLiteral("Alkalmaz"), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        QWidget* w = Child<QWidget>(row.Name);
        ASSERT_NE(w, nullptr);
        if (!row.Hint.isEmpty()) {
            EXPECT_EQ(w->toolTip(), row.Hint);
        }
        if (!row.Caption.isEmpty()) {
            auto* button = qobject_cast<QAbstractButton*>(w);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), row.Caption);
        }
        EXPECT_EQ(w->isEnabled(), row.Enabled);
    }
    for (const char* name :
         {"tsAdatforras", "tsElemek",       "tsOldal",   "tsCimke", "Gen_doboz", "gbVonalkod",
          "DtLista",      "Mezok",          "PFejlec",   "PEszkoz", "ScrollB",   "VonalzoX",
          "VonalzoY",     "RsRulerCorner1", "Cimke",     "Sizer",   "AlapKep",   "Lablec",
          "Ertek",        "cb_VkTNev",      "COszlopok", "CSzeles", "CMagassag"})
        EXPECT_NE(Child<QWidget>(name), nullptr) << name;
    EXPECT_EQ(Child<QWidget>("RsRulerCorner1")->toolTip(), QStringLiteral("millimeter"));
    auto* pages = Child<QTabWidget>("PageControl1");
    QStringList tabs;
    for (int i = 0; i < pages->count(); ++i)
        tabs << pages->tabText(i);
    EXPECT_EQ(tabs, (QStringList{QStringLiteral("&Adatforrás"), QStringLiteral("&Elemek"),
                                 QStringLiteral("Oldal"), QStringLiteral("Cimke")}));
    // The data source toggle shows and hides its panel.
    Child<QToolButton>("Gen_Gomb")->click();
    EXPECT_FALSE(Child<QWidget>("Gen_doboz")->isVisible());
    Child<QToolButton>("Gen_Gomb")->click();
    EXPECT_TRUE(Child<QWidget>("Gen_doboz")->isVisible());
    // Status panels 80, 250, 250, and the record count's 50, wider where a count of millions
    // would be cut there (RecordCountWithANoBreakSpaceFitsItsPanel).
    const int widths[] = {80, 250, 250};
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(Child<QLabel>(QStringLiteral("Lablec%1").arg(i).toLatin1().constData())->width(),
                  widths[i - 1]);
    EXPECT_GE(Child<QLabel>("Lablec4")->width(), 50);
}

// Clicking an element view selects it: the frame, the named controls, the position readout
// with the locale's decimal comma.
TEST_F(MainWindowTest, SelectionFillsTheNamedControls) {
    TMainForm& form = StartOnFixture();
    QTest::mouseClick(View("Szoveg_1"), Qt::LeftButton);
    EXPECT_EQ(form.Canvas().SelectedFlag(), 1);
    EXPECT_EQ(form.Canvas().Sizer->Target(), View("Szoveg_1"));
    EXPECT_TRUE(Child<QToolButton>("ElemTorlesGomb")->isEnabled());
    EXPECT_TRUE(Child<QAction>("mTorol")->isEnabled());
    EXPECT_TRUE(Child<QToolButton>("SzovegGomb")->isChecked());
    EXPECT_TRUE(Child<QToolButton>("sbJobbra")->isChecked());
    // A fixed text may be rotated but not aligned.
    EXPECT_TRUE(Child<TElementPanel>("tsElemek")->RotationAllowed());
    EXPECT_FALSE(Child<TElementPanel>("tsElemek")->AlignmentAllowed());
    EXPECT_TRUE(Child<QComboBox>("cb_Elforgat")->isEnabled());
    EXPECT_FALSE(Child<QToolButton>("sbJobbra")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>("Ertek")->text(), QStringLiteral("Jobbra"));
    EXPECT_EQ(Child<QLineEdit>("ElemNev_edit")->text(), QStringLiteral("Szoveg_1"));
    EXPECT_EQ(Child<QLineEdit>("Left_edit")->text(), QStringLiteral("2,65")); // 10 px = 2.6458 mm
    EXPECT_EQ(form.Panel(1), QStringLiteral("(2,65; 2,65)"));

    QTest::mouseClick(View("Vkod_1"), Qt::LeftButton);
    EXPECT_FALSE(Child<QGroupBox>("gbVonalkod")->isHidden());
    EXPECT_TRUE(Child<QToolButton>("VonalkodGomb")->isChecked());
    EXPECT_EQ(Child<QComboBox>("cb_VkTNev")->currentIndex(), 5);
    EXPECT_EQ(form.CurrentBarcode(), View("Vkod_1"));
    EXPECT_FALSE(static_cast<TBarcodeView*>(View("Vkod_1"))->EngineAutoSize());

    QTest::mouseClick(View("Kep_1"), Qt::LeftButton);
    EXPECT_TRUE(Child<QGroupBox>("gbVonalkod")->isHidden());
    EXPECT_TRUE(Child<QLineEdit>("Ertek")->isReadOnly());
    EXPECT_FALSE(Child<TElementPanel>("tsElemek")->RotationAllowed());
    EXPECT_TRUE(Child<QToolButton>("KepGomb")->isChecked());

    // The arrow tool clears the selection and shows the page-setup row.
    Child<QToolButton>("NyilGomb")->click();
    EXPECT_EQ(form.Canvas().SelectedFlag(), 0);
    EXPECT_FALSE(Child<QToolButton>("ElemTorlesGomb")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>("ElemNev_edit")->text(), QStringLiteral("Oldalbeall"));
    EXPECT_EQ(Child<QLineEdit>("Ertek")->text(), QString());
}

// An arrow key moves the selected element by one pixel and rewrites its row and the file.
TEST_F(MainWindowTest, ArrowKeyMovesAnElementAndRewritesTheFile) {
    TMainForm& form = StartOnFixture();
    form.SetZoom(2);
    QTest::mouseClick(View("Rajz_1"), Qt::LeftButton);
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Right);
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Right);
    EXPECT_EQ(View("Rajz_1")->pos(), QPoint(342, 120));
    const TLabelElement row = Row("Rajz_1");
    EXPECT_EQ(row.Px.Left, 171);
    EXPECT_EQ(row.Px.Top, 60);
    EXPECT_NEAR(row.Mm.Left, 342 * 25.4 / 192, 1e-9);
    // The element tab shows the stored position as soon as it is written.
    EXPECT_EQ(Child<QLineEdit>("Left_edit")->text(), QStringLiteral("45,24"));
    // So does the readout: 342 and 120 screen pixels at zoom 2.
    EXPECT_EQ(form.Panel(1), QStringLiteral("(45,2; 15,9)"));
    // The pointer over the label shows its own position until the next resize.
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(10, 10), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(test::Named<QWidget>(form.Canvas(), "Cimke"), &move);
    EXPECT_EQ(form.Panel(1), QStringLiteral("(1,32; 1,32)"));
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(form.Panel(1), QStringLiteral("(45,2; 15,9)"));
    EXPECT_EQ(Row("Rajz_1").Px.Height, 60); // 121 / 2 = 60.5, ties to even
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Row("Rajz_1").Px.Height, 61); // 122 / 2
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Left);
    EXPECT_EQ(form.Panel(1), QStringLiteral("(45,1; 15,9)"));
}

// A barcode narrower than half its modules warns after its geometry is written.
TEST_F(MainWindowTest, NarrowBarcodeWarns) {
    TMainForm& form = StartOnFixture();
    QTest::mouseClick(View("Vkod_1"), Qt::LeftButton);
    auto* barcode = static_cast<TBarcodeView*>(View("Vkod_1"));
    const int needed = RoundHalfEven(barcode->MinimumWidth() / 2.0);
    barcode->resize(needed, barcode->height());
    form.Canvas().Sizer->Follow();
    modal_.ExpectMessage(QStringLiteral("F"), QStringLiteral("Nem megfelelő vonalkód szélesség! (") +
                                                  QString::number(needed - 1) + QStringLiteral("px./") +
                                                  QString::number(needed) + QStringLiteral("px.)"));
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Left, Qt::ShiftModifier);
    modal_.Verify();
    EXPECT_EQ(Row("Vkod_1").Px.Width, needed - 1);
}

// The zoom buttons rebuild the canvas at 2 and 3 times the size; back at 1 every element is
// where it is stored.
TEST_F(MainWindowTest, ZoomButtons) {
    TMainForm& form = StartOnFixture();
    const QRect text = View("Szoveg_1")->geometry();
    Child<QToolButton>("Nagyitas3")->click();
    EXPECT_EQ(form.Zoom(), 3);
    EXPECT_EQ(test::Named<QWidget>(form.Canvas(), "Cimke")->size(), QSize(703, 440));
    EXPECT_EQ(View("Rajz_1")->geometry(), QRect(510, 180, 180, 180));
    Child<QToolButton>("Nagyitas2")->click();
    EXPECT_EQ(View("Rajz_1")->size(), QSize(120, 120));
    Child<QToolButton>("Nagyitas1")->click();
    EXPECT_EQ(View("Szoveg_1")->geometry(), text);
    EXPECT_EQ(View("Rajz_1")->geometry(), QRect(170, 60, 60, 60));
}

// The window resizes: the canvas and its rulers take what it grows by, the tabs and the tool
// bar keep their width.
TEST_F(MainWindowTest, ResizingGrowsTheCanvas) {
    TMainForm& form = StartOnFixture();
    EXPECT_LT(form.minimumSize().width(), form.maximumSize().width());
    auto* pages = Child<QWidget>("PageControl1");
    auto* tools = Child<QWidget>("PEszkoz");
    const QSize canvas = form.Canvas().size();
    const int pagesWidth = pages->width();
    const int toolsWidth = tools->width();
    form.resize(form.width() + 400, form.height() + 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Canvas().size(), canvas + QSize(400, 300));
    EXPECT_EQ(pages->width(), pagesWidth);
    EXPECT_EQ(tools->width(), toolsWidth);
    EXPECT_EQ(form.Canvas().VonalzoX->width(), form.Canvas().viewport()->width());
    EXPECT_EQ(form.Canvas().VonalzoY->height(), form.Canvas().viewport()->height());
    ExpectTabControlsShowTheirTextInFull();
    form.showMaximized();
    QCoreApplication::processEvents();
    EXPECT_GE(form.Canvas().width(), canvas.width());
}

// The window's size is kept in the settings at closing and comes back at the next start.
TEST_F(MainWindowTest, WindowSizeKeptInTheSettings) {
    WriteDefaults();
    TSettings settings;
    settings.AutoSugo = false;
    // Within the offscreen test screen (800 x 600), which a kept size never exceeds.
    settings.AblakSzelesseg = 790;
    settings.AblakMagassag = 560;
    WriteSettings(settings);
    TMainForm& form = Start();
    EXPECT_EQ(form.frameGeometry().size(), QSize(790, 560));
    form.resize(760, 520);
    form.close();
    const TSettings back = TSettingsFile(paths_.ProgramFolder).Read();
    EXPECT_EQ(back.AblakSzelesseg, form.frameGeometry().width());
    EXPECT_EQ(back.AblakMagassag, form.frameGeometry().height());
    EXPECT_EQ(form.size(), QSize(760, 520));
}

// The zoom keys and Ctrl+wheel: steps up to 8x, fit with Ctrl+0, and the point under the
// pointer stays there.
TEST_F(MainWindowTest, ZoomKeysWheelAndFit) {
    TMainForm& form = StartOnFixture();
    form.resize(1000, 700);
    QCoreApplication::processEvents();
    TLabelCanvas& canvas = form.Canvas();
    QTest::keyClick(&form, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(form.Zoom(), canvas.FitZoom());
    EXPECT_GE(form.Zoom(), 2);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(form.Zoom(), 8);
    EXPECT_FALSE(Child<QToolButton>("Nagyitas3")->isChecked());
    EXPECT_EQ(test::Named<QWidget>(canvas, "Cimke")->size(), QSize(1875, 1173));
    EXPECT_EQ(View("Rajz_1")->geometry(), QRect(1360, 480, 480, 480));
    QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form.Zoom(), 7);
    Child<QToolButton>("NagyitasIllesztes")->click();
    EXPECT_EQ(form.Zoom(), canvas.FitZoom());

    // Ctrl+wheel in the middle of the view, zoomed far enough in for the label to scroll every
    // way: the millimetre under the pointer stays.
    form.SetZoom(4);
    canvas.horizontalScrollBar()->setValue(canvas.horizontalScrollBar()->maximum() / 2);
    canvas.verticalScrollBar()->setValue(canvas.verticalScrollBar()->maximum() / 2);
    const QPointF at = QRectF(canvas.viewport()->rect()).center();
    for (int delta : {120, 120, -120, -120, 120}) {
        const double xMm = canvas.AxisX().ViewToMm(at.x(), form.Zoom());
        const double yMm = canvas.AxisY().ViewToMm(at.y(), form.Zoom());
        QWheelEvent event(at, canvas.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas.viewport(), &event);
        const double pxPerMm = kScreenPpi * form.Zoom() / 25.4;
        EXPECT_NEAR(canvas.AxisX().ViewToMm(at.x(), form.Zoom()), xMm, 1.0 / pxPerMm) << delta;
        EXPECT_NEAR(canvas.AxisY().ViewToMm(at.y(), form.Zoom()), yMm, 1.0 / pxPerMm) << delta;
    }
    EXPECT_EQ(form.Zoom(), 5);
}

// "Elem törlése" asks first (help context 18 meanwhile); No keeps, Yes deletes the row.
TEST_F(MainWindowTest, DeleteWithConfirmation) {
    TMainForm& form = StartOnFixture();
    const QString question = QStringLiteral("Valóban törölni kívánja a kiválasztott elemet?");
    QTest::mouseClick(View("Rajz_1"), Qt::LeftButton);
    modal_.ExpectMessage(QStringLiteral("K"), question, false);
    Child<QAction>("mTorol")->trigger();
    EXPECT_NE(View("Rajz_1"), nullptr);
    EXPECT_EQ(form.HelpContext(), 10);
    modal_.ExpectMessage(QStringLiteral("K"), question, true);
    Child<QAction>("mTorol")->trigger();
    modal_.Verify();
    EXPECT_EQ(View("Rajz_1"), nullptr);
    TStoreTable t;
    t.SetTableName(SeriesPath("Sorozat0.ctv"));
    t.Open();
    EXPECT_FALSE(t.Locate("Elemnev", TVariant(std::string("Rajz_1")), 0));
    EXPECT_EQ(form.Canvas().SelectedFlag(), 0);
}

// Delete deletes the selected element without asking, except while typing in the value box.
TEST_F(MainWindowTest, DeleteKey) {
    TMainForm& form = StartOnFixture();
    QTest::mouseClick(View("Kep_1"), Qt::LeftButton);
    QTest::mouseClick(View("Szoveg_1"), Qt::LeftButton);
    QTest::keyClick(Child<QLineEdit>("Ertek"), Qt::Key_Delete);
    EXPECT_NE(View("Szoveg_1"), nullptr);
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Delete);
    EXPECT_EQ(View("Szoveg_1"), nullptr);
    modal_.Verify();
}

// Help contexts per tab, F1, Shift+F1 with the "Súgó téma" prompt, the help button and its
// right click; a topic that is no number goes to the error handler.
TEST_F(MainWindowTest, HelpKeysAndContexts) {
    TMainForm& form = StartOnFixture();
    auto* pages = Child<QTabWidget>("PageControl1");
    QWidget* focus = Child<QWidget>("OldalSzel");
    struct Row {
        const char* Tab;
        int Topic;
    } rows[] = {{"tsOldal", 26}, {"tsCimke", 26}, {"tsElemek", 11}, {"tsAdatforras", 10}};
    for (const Row& row : rows) {
        pages->setCurrentWidget(Child<QWidget>(row.Tab));
        EXPECT_EQ(form.HelpContext(), row.Topic);
        modal_.ExpectHelp(row.Topic);
        QTest::keyClick(focus, Qt::Key_F1);
    }
    modal_.ExpectInputBox(QStringLiteral("Sorszám:"), QStringLiteral("22")).ExpectHelp(22);
    QTest::keyClick(focus, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(form.HelpContext(), 22);
    modal_.ExpectHelp(10);
    Child<QToolButton>("SugoGomb")->click();
    modal_.ExpectInputBox(QStringLiteral("Sorszám:"), QStringLiteral("29")).ExpectHelp(29);
    emit Child<QToolButton>("SugoGomb")->customContextMenuRequested(QPoint(1, 1));
    modal_.Verify();

    modal_.ExpectInputBox(QStringLiteral("Sorszám:"), QStringLiteral("x"))
        .ExpectMessageStartingWith(QStringLiteral("H"),
                                   QStringLiteral("Hiba történt a program futtatása közben."));
    QTest::keyClick(focus, Qt::Key_F1, Qt::ShiftModifier);
    modal_.Verify();
}

// Enter moves the focus on instead of reaching the control.
TEST_F(MainWindowTest, EnterMovesTheFocus) {
    StartOnFixture();
    Child<QTabWidget>("PageControl1")->setCurrentWidget(Child<QWidget>("tsOldal"));
    QWidget* first = Child<QWidget>("OldalSzel");
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), first);
}

// Moving over the label makes the element tab current and shows the pointer in mm.
TEST_F(MainWindowTest, PositionReadoutOverTheLabel) {
    TMainForm& form = StartOnFixture();
    QTest::mouseMove(test::Named<QWidget>(form.Canvas(), "Cimke"), QPoint(96, 48));
    QMouseEvent move(QEvent::MouseMove, QPointF(96, 48), QPointF(96, 48), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(test::Named<QWidget>(form.Canvas(), "Cimke"), &move);
    EXPECT_EQ(form.Panel(1), QStringLiteral("(25,4; 12,7)"));
    EXPECT_EQ(Child<QTabWidget>("PageControl1")->currentWidget(), Child<QWidget>("tsElemek"));
}

// Open through the menu: the chosen template with its companions, the canvas and the status
// panels follow.
TEST_F(MainWindowTest, OpenThroughTheMenuUpdatesCanvasAndStatus) {
    TMainForm& form = StartOnFixture();
    for (const char* ext : {".ctv", ".sor", ".vks"})
        QFile::copy(Series(QStringLiteral("Sorozat0") + QLatin1String(ext)),
                    Series(QStringLiteral("Masik") + QLatin1String(ext)));
    WriteFixtureSeries(SeriesPath("Masik.sor"), 1234);
    modal_.ExpectOpenFile(Series(QStringLiteral("Masik.ctv")));
    Child<QAction>("mMegnyit")->trigger();
    modal_.Verify();
    EXPECT_EQ(form.State().TemplateName, QStringLiteral("Masik.ctv"));
    EXPECT_EQ(form.Panel(2), QStringLiteral("Sorozat: Masik.sor"));
    EXPECT_EQ(form.Panel(4), QStringLiteral("1 234"));
    EXPECT_EQ(form.Canvas().Views().size(), 4u);
}

// A Hungarian desktop groups thousands with a no-break space: the record count shows it as one,
// never as a byte decoded the wrong way; and the count panel holds a count of millions whole.
TEST_F(MainWindowTest, RecordCountWithANoBreakSpaceFitsItsPanel) {
    WriteDefaults();
    WriteFixtureSeries(SeriesPath("Sorozat0.sor"), 5000);
    TSettings settings;
    settings.AutoSugo = false;
    WriteSettings(settings);
    SetFormatSettings(TFormatSettings::Hungarian());
    TMainForm& form = Start();
    EXPECT_EQ(form.Panel(4), QStringLiteral("5\u00A0000"));
    auto* panel = Child<QLabel>("Lablec4");
    for (const QString& count :
         {QStringLiteral("1\u00A0000\u00A0002"), QStringLiteral("12\u00A0345\u00A0678")})
        EXPECT_LE(panel->fontMetrics().horizontalAdvance(count), panel->contentsRect().width())
            << count.toStdString();
}

// Activating the window again (as after every dialog) keeps the selection: the flag, the frame
// and the delete commands stay, and Delete removes the element.
TEST_F(MainWindowTest, ActivationKeepsTheSelection) {
    TMainForm& form = StartOnFixture();
    QTest::mouseClick(View("Rajz_1"), Qt::LeftButton);
    ASSERT_EQ(form.Canvas().SelectedFlag(), 1);
    QEvent activation(QEvent::ActivationChange);
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    QApplication::sendEvent(&form, &activation);
    if (!form.isActiveWindow())
        GTEST_SKIP() << "the platform does not activate windows";
    EXPECT_EQ(form.Canvas().SelectedFlag(), 1);
    EXPECT_EQ(form.Canvas().Sizer->Target(), View("Rajz_1"));
    EXPECT_TRUE(Child<QToolButton>("ElemTorlesGomb")->isEnabled());
    EXPECT_TRUE(Child<QAction>("mTorol")->isEnabled());
    QTest::keyClick(form.Canvas().Sizer, Qt::Key_Delete);
    EXPECT_EQ(View("Rajz_1"), nullptr);
}

// "Generálás" on the data source tab opens the series designer (help topic 29 while it is
// open); a generation there makes the series the data source with its count in the status bar.
TEST_F(MainWindowTest, GeneralasOpensTheSeriesDesigner) {
    TMainForm& form = StartOnFixture();
    // Digits: the designer's default type (a 2 of 5 code) encodes nothing else.
    for (const char* value : {"1", "2", "3"}) {
        dm_.M1.Append();
        dm_.M1.FieldByName("Azon").SetAsInteger(1);
        dm_.M1.FieldByName("Hossz").SetAsInteger(1);
        dm_.M1.FieldByName("Tipus").SetAsString("K");
        dm_.M1.FieldByName("Szorzo").SetAsInteger(1);
        dm_.M1.FieldByName("Ertek1").SetAsString(value);
        dm_.M1.Post();
    }
    dm_.M1.First();
    dm_.M1.Edit();
    dm_.M1.FieldByName("Ertek2").SetAsString("3");
    dm_.M1.Post();
    dm_.M1.SaveTable(dm_.M1.FilePath());
    int helpContext = 0;
    modal_.ExpectModal(QStringLiteral("TervezoForm"), 0, [&](QObject& designer) {
        helpContext = form.HelpContext();
        designer.findChild<QPushButton*>(QStringLiteral("GenerGomb"))->click();
        return 0;
    });
    modal_
        .ExpectMessage("K", QStringLiteral("Generált vonalkódok száma (1): 3\rFolytatja a feldolgozást?"),
                       true)
        .ExpectMessage("I", QStringLiteral("Feldolgozás vége!"));
    Child<QPushButton>("General_Gomb")->click();
    modal_.Verify();
    EXPECT_EQ(helpContext, 29);
    EXPECT_EQ(form.HelpContext(), 10);
    EXPECT_EQ(form.DataSource(), &dm_.T1);
    EXPECT_EQ(form.Panel(4), QStringLiteral("3"));
    EXPECT_EQ(dm_.T1.RecordCount(), 3);
    EXPECT_TRUE(form.State().DataFlag);
    EXPECT_FALSE(form.State().LinkFlag);
}

// The manual-entry window from the button bar and the menu: a value entered there is in the
// series, which is the data source afterwards with its count in the status bar.
TEST_F(MainWindowTest, ManualEntryFromTheButtonBarAndTheMenu) {
    TMainForm& form = StartOnFixture();
    const int before = dm_.T1.RecordCount();
    modal_.ExpectModal(QStringLiteral("KeziForm"), 0, [&](QObject& window) {
        auto& kezi = dynamic_cast<TKeziForm&>(window);
        EXPECT_EQ(kezi.Panel(2), QStringLiteral("Sorozat: ") + form.State().SeriesName);
        kezi.FelvetelGombClick();
        auto* edit = kezi.findChild<QLineEdit*>(QStringLiteral("Ertek_edit"));
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("7"));
        QApplication::sendEvent(edit, &key);
        kezi.RendbenGombClick();
        EXPECT_EQ(dm_.T1.IndexFieldNames(), "Vonalkod1");
        return 0;
    });
    Child<QToolButton>("KeziGomb")->click();
    modal_.Verify();
    EXPECT_EQ(dm_.T1.IndexFieldNames(), "") << "the sort goes with the window";
    EXPECT_EQ(form.DataSource(), &dm_.T1);
    EXPECT_EQ(dm_.T1.RecordCount(), before + 1);
    EXPECT_EQ(form.Panel(4), QString::number(before + 1));
    EXPECT_TRUE(form.State().DataFlag);

    modal_.ExpectModal(QStringLiteral("KeziForm"), 0);
    Child<QAction>("mKezi")->trigger();
    modal_.Verify();

    // Not while a worksheet is linked.
    form.State().LinkFlag = true;
    Child<QToolButton>("KeziGomb")->click();
    Child<QAction>("mKezi")->trigger();
}

// The element tab's clone button multiplies the selected barcode's value with the tab's type;
// with a single record in the series it asks nothing before the count.
TEST_F(MainWindowTest, CloneButtonMultipliesTheShownBarcode) {
    TMainForm& form = StartOnFixture();
    dm_.T1.EmptyTable();
    AppendSeriesRecord(dm_.T1, "111", 5);
    WriteSeries(dm_.T1);
    QTest::mouseClick(View("Vkod_1"), Qt::LeftButton);
    const QString value = static_cast<TBarcodeView*>(View("Vkod_1"))->Value();
    ASSERT_FALSE(value.isEmpty());
    Child<QComboBox>("cb_VkTNev")->setCurrentIndex(7);
    modal_.ExpectInputBox(QStringLiteral("+ darab: "), QStringLiteral("2"));
    modal_.ExpectMessage("I", QStringLiteral("Feldolgozás vége! (2 db. vonalkód)"));
    Child<QToolButton>("KlonozasGomb")->click();
    modal_.Verify();
    EXPECT_EQ(form.Panel(4), QStringLiteral("3"));
    TStoreTable t;
    t.SetTableName(dm_.T1.FilePath());
    t.Open();
    ASSERT_EQ(t.RecordCount(), 3);
    t.Last();
    EXPECT_EQ(QString::fromStdString(Cp1250ToUtf8(t.FieldByName("Vonalkod1").AsString())), value);
    EXPECT_EQ(t.FieldByName("Tipus1").AsInteger(), 7);

    // Three records now: the question first; No stops.
    modal_.ExpectMessage("K", QStringLiteral("Folytatja a sokszorosítást?"), false);
    Child<QToolButton>("KlonozasGomb")->click();
    modal_.Verify();
    EXPECT_EQ(dm_.T1.RecordCount(), 3);
}

// Every button shows its own icon from the program's set, or a caption its font can draw: no
// empty glyph boxes, no stock icons that mean something else.
TEST_F(MainWindowTest, ButtonsShowTheProgramsIconsOrReadableCaptions) {
    TMainForm& form = StartOnFixture();
    const struct {
        const char* Button;
        const char* Icon;
    } rows[] = {
        {"UjFileGomb", "new"},
        {"MegnyitasGomb", "open"},
        {"KeziGomb", "manual-entry"},
        {"NyomtatasGomb", "print"},
        {"ExcelImportGomb", "excel-import"},
        {"SugoGomb", "help"},
        {"NyilGomb", "pointer"},
        {"SzovegGomb", "text"},
        {"VonalkodGomb", "barcode"},
        {"KepGomb", "picture"},
        {"RajzGomb", "drawing"},
        {"ElemTorlesGomb", "delete"},
        {"NagyitoKep", "picture-size"},
        {"EMezoGomb", "field"},
        {"DtGomb", "date-time"},
        {"EFileGomb", "picture-file"},
        {"sbBalra", "align-left"},
        {"sbKozepre", "align-center"},
        {"sbJobbra", "align-right"},
        {"BetuGomb", "font"},
        {"Hatra", "previous"},
        {"Elore", "next"},
        {"Vk_bmp", "save-bitmap"},
        {"KlonozasGomb", "clone"},
        {"VonalkodKilepGomb", "close"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Button);
        auto* button = Child<QToolButton>(row.Button);
        ASSERT_NE(button, nullptr);
        const QIcon expected = ProgramIcon(row.Icon);
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(button->icon().pixmap(24).toImage(), expected.pixmap(24).toImage());
    }
    for (QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
        const QFontMetrics metrics(button->font());
        for (const char32_t c : button->text().remove(QLatin1Char('&')).toUcs4())
            EXPECT_TRUE(metrics.inFontUcs4(c))
                << button->objectName().toStdString() << " U+" << std::hex << static_cast<unsigned>(c);
    }
}

// Every tab shows its captions and values in full at the window's size: no label, spinner, list
// or button is narrower than its text needs.
TEST_F(MainWindowTest, TabsShowTheirTextInFull) {
    StartOnFixture();
    ExpectTabControlsShowTheirTextInFull();
}

// With a barcode selected and the field list or the date/time list open, the element tab keeps
// every control whole at the window's size: nothing overlaps, the list shows several rows and
// its header in full. The field list only offers the fields; a double-click renames nothing.
TEST_F(MainWindowTest, ElementTabKeepsItsControlsWholeWithAListOpen) {
    StartOnFixture();
    auto* pages = Child<QTabWidget>("PageControl1");
    auto* panel = Child<TElementPanel>("tsElemek");
    pages->setCurrentWidget(panel);
    QTest::mouseClick(View("Vkod_1"), Qt::LeftButton);
    panel->ShowFieldList({{FieldListName("Vonalkod1"), "ftString", 128},
                          {FieldListName("Tipus1"), "ftInteger", 0},
                          {FieldListName("Megnevezes"), "ftString", 40},
                          {FieldListName("Ar"), "ftFloat", 0},
                          {FieldListName("Datum"), "ftDate", 0},
                          {FieldListName("Cikkszam"), "ftString", 20}});
    auto* fields = Child<QTableWidget>("Mezok");
    for (const char* opener : {"EMezoGomb", "DtGomb"}) {
        SCOPED_TRACE(opener);
        if (QString::fromLatin1(opener) == QLatin1String("EMezoGomb"))
            panel->ShowFieldPicker();
        else
            Child<QToolButton>(opener)->click();
        QCoreApplication::processEvents();
        std::vector<QWidget*> shown;
        for (QWidget* w : panel->findChildren<QWidget*>()) {
            if (!w->objectName().isEmpty() && w->isVisibleTo(panel) && w->parentWidget() &&
                !qobject_cast<QAbstractScrollArea*>(w->parentWidget()) &&
                !w->objectName().startsWith(QLatin1String("qt_")))
                shown.push_back(w);
        }
        for (QWidget* a : shown) {
            EXPECT_GE(a->height(), a->minimumSizeHint().height()) << a->objectName().toStdString();
            const QRect ra(a->mapTo(panel, QPoint(0, 0)), a->size());
            EXPECT_TRUE(panel->rect().contains(ra)) << a->objectName().toStdString();
            for (QWidget* b : shown) {
                if (a == b || a->isAncestorOf(b) || b->isAncestorOf(a))
                    continue;
                const QRect rb(b->mapTo(panel, QPoint(0, 0)), b->size());
                EXPECT_FALSE(ra.intersects(rb))
                    << a->objectName().toStdString() << " / " << b->objectName().toStdString();
            }
        }
        auto* list = qobject_cast<QAbstractItemView*>(
            Child<QWidget>(fields->isVisibleTo(panel) ? "Mezok" : "DtLista"));
        ASSERT_TRUE(list->isVisibleTo(panel));
        EXPECT_GE(list->viewport()->height(), 5 * list->sizeHintForRow(0));
        if (list == fields) {
            QHeaderView* header = fields->horizontalHeader();
            EXPECT_GE(header->sectionSize(0),
                      header->fontMetrics().horizontalAdvance(QStringLiteral("Forrás neve (mező)")));
            // Neither a double-click nor the edit key opens an editor on the list.
            const QRect cell = fields->visualItemRect(fields->item(1, 0));
            QTest::mouseDClick(fields->viewport(), Qt::LeftButton, {}, cell.center());
            fields->setCurrentCell(1, 0);
            QTest::keyClick(fields, Qt::Key_F2);
            EXPECT_TRUE(fields->findChildren<QLineEdit*>().empty());
            EXPECT_EQ(fields->item(1, 0)->text(), QStringLiteral("Tipus1"));
            Child<QToolButton>("MezoKilepGomb")->click();
        } else {
            QTest::keyClick(list, Qt::Key_Escape);
            Child<QToolButton>("SzRogzitoGomb")->click();
            QTest::mouseClick(View("Vkod_1"), Qt::LeftButton);
        }
        QCoreApplication::processEvents();
        EXPECT_FALSE(fields->isVisibleTo(panel));
        EXPECT_TRUE(Child<QWidget>("gbVonalkod")->isVisibleTo(panel));
    }
}

// Pictures of the window for looking at it without a display: the default template, and the
// fixture with one element of each kind at zoom 1 and 2, written into the build folder.
TEST_F(MainWindowTest, Screenshots) {
    const QString out = QDir::current().absoluteFilePath(QStringLiteral("screenshots"));
    QDir().mkpath(out);
    TMainForm& form = StartOnFixture();
    QTest::mouseClick(View("Vkod_1"), Qt::LeftButton);
    EXPECT_TRUE(form.grab().save(out + QStringLiteral("/mainwindow-fixture-zoom1.png")));
    form.SetZoom(2);
    EXPECT_TRUE(form.grab().save(out + QStringLiteral("/mainwindow-fixture-zoom2.png")));
    auto* pages = Child<QTabWidget>("PageControl1");
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        EXPECT_TRUE(form.grab().save(out + QStringLiteral("/mainwindow-tab-") +
                                     pages->widget(i)->objectName() + QStringLiteral(".png")));
    }
    // A PDF417 on the label, with its two settings lists on the barcode panel.
    form.SetZoom(1);
    pages->setCurrentWidget(Child<QWidget>("tsElemek"));
    QTest::mouseClick(View("Vkod_1"), Qt::LeftButton);
    auto* types = Child<QComboBox>("cb_VkTNev");
    types->setCurrentIndex(17);
    emit types->activated(17);
    Child<QToolButton>("VkRogzitGomb")->click();
    QTest::mouseClick(View("Vkod_1"), Qt::LeftButton);
    EXPECT_TRUE(form.grab().save(out + QStringLiteral("/mainwindow-barcode-2d.png")));
    form.close();
    form_.reset();
    WriteDefaultSet(paths_.SeriesFolder());
    TMainForm& plain = Start();
    EXPECT_TRUE(plain.grab().save(out + QStringLiteral("/mainwindow-default.png")));
}

} // namespace
} // namespace etikor
