#include "series/ui/DatumForm.h"
#include "series/ui/EanSegedForm.h"
#include "series/ui/TervezoForm.h"

#include "SeriesTestSupport.h"
#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "support/HungarianText.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreFormat.h"
#include "ui/RadioList.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace etikor {
namespace {

using test::AppendSegments;
using test::ScriptedModal;
using test::TempDir;
using test::WriteFileBytes;

const QString kTooLong = QStringLiteral("Túl hosszú számláló érték.");

// Row of the identifier table: 00, 01, 02, 10, 11, 15, 17, 21, 310X, 37, 401, 420.
int AiRow(const std::string& ai) {
    const auto& rows = Ean128Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].AI == ai)
            return static_cast<int>(i);
    return -1;
}

// The data module's definition and series tables on files of a temporary folder, and a
// designer over them.
class SeriesDesignerTest : public testing::Test {
protected:
    SeriesDesignerTest() {
        SetFormatSettings(TFormatSettings::HungarianSpace());
        WriteFileBytes(dir_.file("s.vks"), BuildEmptyTableImage(DefinitionFieldDefs()));
        WriteFileBytes(dir_.file("s.sor"), BuildEmptyTableImage(SeriesFieldDefs()));
        dm_.M1.SetTableName(dir_.file("s.vks"));
        dm_.M1.Open();
        dm_.T1.SetTableName(dir_.file("s.sor"));
        dm_.T1.Open();
    }
    ~SeriesDesignerTest() override { SetFormatSettings(TFormatSettings::Invariant()); }

    TTervezoForm& Open() {
        form_ = std::make_unique<TTervezoForm>(dm_, QStringLiteral("s.sor"), modal_);
        return *form_;
    }
    template <typename T>
    T* Child(const char* name) const {
        T* w = form_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) { Child<QAbstractButton>(name)->click(); }
    QLineEdit* Edit(const char* name) const { return Child<QLineEdit>(name); }
    QSpinBox* Spin(const char* name) const { return Child<QSpinBox>(name); }
    bool PanelOpen() const { return !Child<QFrame>("P_Hozzaad")->isHidden(); }
    void Focus(QWidget* w, QEvent::Type type) {
        QFocusEvent event(type, Qt::TabFocusReason);
        QApplication::sendEvent(w, &event);
    }
    // The segments on disk, read afresh: "Hossz Tipus Szamlalo Szorzo [Ertek1] [Ertek2] AI".
    std::vector<std::string> FileSegments() const {
        TStoreTable m1;
        m1.SetTableName(dir_.file("s.vks"));
        m1.Open();
        std::vector<std::string> out;
        for (m1.First(); !m1.Eof(); m1.Next())
            out.push_back(m1.FieldByName("Hossz").AsString() + " " + m1.FieldByName("Tipus").AsString() +
                          " " + (m1.FieldByName("Szamlalo").AsBoolean() ? "I" : "N") + " " +
                          m1.FieldByName("Szorzo").AsString() + " [" + m1.FieldByName("Ertek1").AsString() +
                          "] [" + m1.FieldByName("Ertek2").AsString() + "] " +
                          m1.FieldByName("AI").AsString());
        return out;
    }
    // Opens the helper from the panel and chooses an identifier; `warning`: the refusal expected.
    void ChooseAi(const std::string& ai, const QString& warning = {}) {
        modal_.ExpectModal(QStringLiteral("EanSegedForm"), QDialog::Accepted, [&](QObject& window) {
            auto& helper = dynamic_cast<TEanSegedForm&>(window);
            helper.Choose(AiRow(ai));
            return helper.result();
        });
        if (!warning.isEmpty())
            modal_.ExpectMessage("F", warning);
        Click("EanGomb");
        modal_.Verify();
    }
    void Ean128Selected() { Child<TRadioList>("VonalkodTipus")->SetItemIndex(8); }

    TempDir dir_;
    TDM dm_;
    ScriptedModal modal_;
    std::unique_ptr<TTervezoForm> form_;
};

// Under English the designer, its part panel, the identifier helper and the date-format choice
// are English.
TEST_F(SeriesDesignerTest, SpeaksEnglish) {
    test::EnglishTexts english;
    ASSERT_TRUE(english.Ok());
    TTervezoForm& form = Open();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Generate / Code designer  [s.sor]"));
    Click("Hozzaad_Gomb");
    EXPECT_TRUE(PanelOpen());
    EXPECT_EQ(test::HungarianTexts(form), QStringList());
    Ean128Selected();
    modal_.ExpectModal(QStringLiteral("EanSegedForm"), QDialog::Rejected, [&](QObject& window) {
        auto& helper = dynamic_cast<QWidget&>(window);
        EXPECT_EQ(test::HungarianTexts(helper), QStringList());
        return static_cast<int>(QDialog::Rejected);
    });
    Click("EanGomb");
    modal_.Verify();
    TDatumBe dates;
    EXPECT_EQ(test::HungarianTexts(dates), QStringList());
    EXPECT_NE(test::ShownTexts(dates).indexOf(QStringLiteral("DD.MM.YYYY")), -1)
        << test::ShownTexts(dates).join(" | ").toStdString();
}

TEST_F(SeriesDesignerTest, OpensWithItsControlsCaptionsAndHints) {
    TTervezoForm& form = Open();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Generálás / Kód tervező  [s.sor]"));
    struct Control {
        const char* Name;
        QString Text;
        QString Hint;
    };
    for (const Control& c : std::vector<Control>{
             {"vGomb1", "1", "Sorozat / Vonalkód 1"},
             {"Hozzaad_Gomb", "Hozzáad", ""},
             {"Szerkeszt_Gomb", "Szerkeszt", ""},
             {"Torol_Gomb", "Töröl", ""},
             {"HHozzaad_Gomb", "", "Alkalmaz"},
             {"HKilep_Gomb", "", "Mégsem/Vissza"},
             {"EanGomb", "EAN", "Ean128 segéd"},
             {"GenerGomb", "&Generálás", "Sorozat(ok) generálása"},
             {"MegsemGomb", "&Kilép", "Kilépés [ESC]"},
             {"SugoGomb", "Súgó [F1]", ""},
         }) {
        SCOPED_TRACE(c.Name);
        auto* button = Child<QAbstractButton>(c.Name);
        EXPECT_EQ(button->text(), c.Text);
        EXPECT_EQ(button->toolTip(), c.Hint);
    }
    auto* types = Child<TRadioList>("VonalkodTipus");
    EXPECT_EQ(types->title(), QStringLiteral("Vonalkód &típusok"));
    EXPECT_EQ(types->Count(), 19);
    EXPECT_EQ(types->ItemText(16), QStringLiteral("Data Matrix"));
    EXPECT_EQ(types->ItemIndex(), 5);
    EXPECT_EQ(types->ItemText(5), QStringLiteral("Code 128"));
    auto* order = Child<TRadioList>("rgFeldolg");
    EXPECT_EQ(order->title(), QStringLiteral("Feldolgozás"));
    EXPECT_EQ(order->ItemText(0), QStringLiteral("&Vízszintes"));
    EXPECT_EQ(order->ItemText(1), QStringLiteral("&Függőleges"));
    EXPECT_EQ(order->ItemIndex(), 0);
    EXPECT_TRUE(Child<QToolButton>("vGomb1")->isChecked());
    EXPECT_FALSE(PanelOpen());
    EXPECT_FALSE(Child<QToolButton>("EanGomb")->isEnabled());
    auto* kinds = Child<QComboBox>("ReszTipus");
    EXPECT_EQ(kinds->count(), 4);
    EXPECT_EQ(kinds->itemText(3), QStringLiteral("Ean AddUp"));
    EXPECT_EQ(kinds->currentText(), QStringLiteral("Szám"));
    EXPECT_EQ(Spin("Hossz_edit")->minimum(), 1);
    EXPECT_EQ(Spin("Hossz_edit")->maximum(), 128);
    EXPECT_EQ(Spin("Novekmeny_edit")->maximum(), 128);
    EXPECT_EQ(Child<QLabel>("FLabel1")->text(), QStringLiteral("Fixen tárolt érték"));
    EXPECT_TRUE(Edit("Ertek2_edit")->isHidden());
    EXPECT_TRUE(Child<QLabel>("NLabel")->isHidden());
    auto* grid = Child<QTableView>("ReszGrid");
    QStringList headers;
    for (int i = 0; i < grid->model()->columnCount(); ++i)
        headers << grid->model()->headerData(i, Qt::Horizontal).toString();
    EXPECT_EQ(headers.join(QLatin1Char('|')), QStringLiteral("Hossz|Típus|Sz|Érték 1|Értek 2|Vktip"));
    EXPECT_NE(Child<QStatusBar>("Lablec"), nullptr);
}

TEST_F(SeriesDesignerTest, AddsACounterSegmentAndWritesTheFile) {
    Open();
    Click("Hozzaad_Gomb");
    EXPECT_TRUE(PanelOpen());
    EXPECT_TRUE(form_->Adding());
    for (const char* name : {"VonalkodTipus", "GenerGomb", "MegsemGomb", "vGomb1", "ReszGrid"})
        EXPECT_FALSE(Child<QWidget>(name)->isEnabled()) << name;
    Spin("Hossz_edit")->setValue(4);
    Click("cb_Szamlalo");
    EXPECT_EQ(Child<QLabel>("FLabel1")->text(), QStringLiteral("Tól érték -"));
    EXPECT_FALSE(Edit("Ertek2_edit")->isHidden());
    EXPECT_EQ(Edit("Ertek1_edit")->maxLength(), 4);
    Edit("Ertek1_edit")->setText(QStringLiteral("1000"));
    Focus(Edit("Ertek2_edit"), QEvent::FocusIn); // entering the end value pre-fills it
    EXPECT_EQ(Edit("Ertek2_edit")->text(), QStringLiteral("1000"));
    Edit("Ertek2_edit")->setText(QStringLiteral("1002"));
    Spin("Novekmeny_edit")->setValue(2);
    Click("HHozzaad_Gomb");
    EXPECT_FALSE(PanelOpen());
    for (const char* name : {"VonalkodTipus", "GenerGomb", "MegsemGomb", "vGomb1", "ReszGrid"})
        EXPECT_TRUE(Child<QWidget>(name)->isEnabled()) << name;
    EXPECT_EQ(FileSegments(), (std::vector<std::string>{"4 S I 2 [1000] [1002] "}));
    EXPECT_EQ(Child<QTableView>("ReszGrid")->model()->index(0, 2).data().toString(), QStringLiteral("I"));
}

TEST_F(SeriesDesignerTest, ApplyWarnsForEveryMissingValue) {
    Open();
    Click("Hozzaad_Gomb");
    modal_.ExpectMessage("F", QStringLiteral("Hiányzik a Fixen tárolt érték értéke!"));
    Click("HHozzaad_Gomb");
    modal_.Verify();
    Spin("Hossz_edit")->setValue(3);
    Click("cb_Szamlalo");
    modal_.ExpectMessage("F", QStringLiteral("Hiányzik a Tól érték - értéke!"))
        .ExpectMessage("F", QStringLiteral("Hiányzik a -Ig. érték értéke!"));
    Click("HHozzaad_Gomb");
    EXPECT_TRUE(PanelOpen());
    EXPECT_TRUE(FileSegments().empty());
}

TEST_F(SeriesDesignerTest, CounterLongerThanFiveWarnsExceptForADate) {
    Open();
    Click("Hozzaad_Gomb");
    Spin("Hossz_edit")->setValue(6);
    modal_.ExpectMessage("F", kTooLong);
    Click("cb_Szamlalo");
    modal_.Verify();
    EXPECT_EQ(Child<QLabel>("FLabel1")->text(), QStringLiteral("Fixen tárolt érték")); // fields as they were
    // Leaving the length field with the box checked warns again.
    modal_.ExpectMessage("F", kTooLong);
    Focus(Spin("Hossz_edit"), QEvent::FocusOut);
    modal_.Verify();

    Click("cb_Szamlalo");                              // cleared
    Child<QComboBox>("ReszTipus")->setCurrentIndex(2); // Dátum
    Spin("Hossz_edit")->setValue(11);
    Click("cb_Szamlalo");
    EXPECT_EQ(Child<QLabel>("FLabel1")->text(), QStringLiteral("Tól érték -"));
    EXPECT_FALSE(Edit("Ertek2_edit")->isHidden());
}

TEST_F(SeriesDesignerTest, EanAddUpAppliesAtOnce) {
    Open();
    Click("Hozzaad_Gomb");
    Child<QComboBox>("ReszTipus")->setCurrentIndex(3);
    EXPECT_FALSE(PanelOpen());
    EXPECT_EQ(FileSegments(), (std::vector<std::string>{"2 K N 1 [  ] [] "}));
}

TEST_F(SeriesDesignerTest, EditFillsThePanelAndKeepsTheIdentifier) {
    AppendSegments(dm_.M1, {{"K", 3, 1, "ABC"}, {"S", 4, 1, "(01)"}});
    dm_.M1.Last();
    dm_.M1.Edit();
    dm_.M1.FieldByName("AI").SetAsString("01");
    dm_.M1.Post();
    dm_.M1.SaveTable(dir_.file("s.vks"));
    Open();
    Child<QTableView>("ReszGrid")->selectRow(1);
    Click("Szerkeszt_Gomb");
    EXPECT_TRUE(form_->Editing());
    EXPECT_EQ(Spin("Hossz_edit")->value(), 4);
    EXPECT_EQ(Child<QComboBox>("ReszTipus")->currentText(), QStringLiteral("Szám"));
    EXPECT_EQ(Edit("Ertek1_edit")->text(), QStringLiteral("(01)"));
    Spin("Hossz_edit")->setValue(5);
    Focus(Edit("Ertek1_edit"), QEvent::FocusIn);
    Edit("Ertek1_edit")->setText(QStringLiteral("(01)x"));
    Click("HHozzaad_Gomb");
    EXPECT_EQ(FileSegments(), (std::vector<std::string>{"3 K N 1 [ABC] [] ", "5 S N 1 [(01)x] [] 01"}));
}

TEST_F(SeriesDesignerTest, DeleteAsksAndWritesAtOnce) {
    AppendSegments(dm_.M1, {{"K", 3, 1, "ABC"}, {"K", 3, 1, "DEF"}});
    dm_.M1.SaveTable(dir_.file("s.vks"));
    Open();
    Child<QTableView>("ReszGrid")->selectRow(1);
    const QString question = QStringLiteral("Valóban törli az aktuális definíciót?\rÉrték: DEF");
    modal_.ExpectMessage("K", question, false);
    Click("Torol_Gomb");
    EXPECT_EQ(FileSegments().size(), 2u);
    modal_.ExpectMessage("K", question, true);
    Click("Torol_Gomb");
    EXPECT_EQ(FileSegments(), (std::vector<std::string>{"3 K N 1 [ABC] [] "}));
}

TEST_F(SeriesDesignerTest, EditAndDeleteOnAnEmptyDefinitionDoNothing) {
    Open();
    Click("Szerkeszt_Gomb");
    Click("Torol_Gomb");
    EXPECT_FALSE(PanelOpen());
}

TEST_F(SeriesDesignerTest, EanButtonOnlyForEan128AndDataMatrix) {
    Open();
    auto* types = Child<TRadioList>("VonalkodTipus");
    for (int index : {8, 9, 16, 15, 5, 8, 18, 16}) {
        types->findChild<QAbstractButton*>(QStringLiteral("VonalkodTipus_%1").arg(index))->click();
        // Ean 128, and Data Matrix for GS1 DataMatrix values.
        EXPECT_EQ(Child<QToolButton>("EanGomb")->isEnabled(), index == 8 || index == 16) << index;
    }
}

TEST_F(SeriesDesignerTest, IdentifierSegmentsAndTheirRules) {
    Open();
    Ean128Selected();
    Click("Hozzaad_Gomb");
    ChooseAi("01");
    EXPECT_EQ(FileSegments(), (std::vector<std::string>{"4 S N 1 [(01)] [] 01"}));
    EXPECT_EQ(Spin("Hossz_edit")->value(), 14);
    EXPECT_EQ(Child<QComboBox>("ReszTipus")->currentText(), QStringLiteral("Szám"));
    EXPECT_TRUE(PanelOpen());

    // A second 01, or a 02 beside it, is refused.
    for (const char* ai : {"01", "02"})
        ChooseAi(ai, QStringLiteral("01-es és 02-es adattartalom azonosító nem szerepelhet együtt!"));
    EXPECT_EQ(FileSegments().size(), 1u);

    ChooseAi("17");
    EXPECT_EQ(Spin("Hossz_edit")->value(), 6);
    EXPECT_EQ(Child<QComboBox>("ReszTipus")->currentText(), QStringLiteral("Dátum"));
    ChooseAi("310X");
    EXPECT_EQ(FileSegments().back(), "6 S N 1 [(310X)] [] 310X");

    // Closing the helper adds nothing.
    modal_.ExpectModal(QStringLiteral("EanSegedForm"), QDialog::Rejected);
    Click("EanGomb");
    EXPECT_EQ(FileSegments().size(), 3u);
}

TEST_F(SeriesDesignerTest, Identifier02MustBeFollowedBy37) {
    Open();
    Ean128Selected();
    Click("Hozzaad_Gomb");
    ChooseAi("02");
    Focus(Edit("Ertek1_edit"), QEvent::FocusIn); // takes the length the helper set
    Edit("Ertek1_edit")->setText(QStringLiteral("12345678901234"));
    Click("HHozzaad_Gomb");
    Click("Hozzaad_Gomb");
    ChooseAi("10", QStringLiteral("02-es adattartalom azonosítót 37-nek kell követnie!"));
    ChooseAi("37");
    EXPECT_EQ(FileSegments(),
              (std::vector<std::string>{"4 S N 1 [(02)] [] 02", "14 S N 1 [12345678901234] [] ",
                                        "4 S N 1 [(37)] [] 37"}));
}

// Editing: the identifier replaces the segment open in the panel, and its data segment (the
// one after it) is edited next.
TEST_F(SeriesDesignerTest, IdentifierChosenWhileEditingReplacesTheEditedSegment) {
    Open();
    Ean128Selected();
    Click("Hozzaad_Gomb");
    ChooseAi("01");
    Focus(Edit("Ertek1_edit"), QEvent::FocusIn);
    Edit("Ertek1_edit")->setText(QStringLiteral("12345678901234"));
    Click("HHozzaad_Gomb");
    Child<QTableView>("ReszGrid")->selectRow(0);
    Click("Szerkeszt_Gomb");
    ChooseAi("02"); // the 01 being replaced does not count against it
    EXPECT_TRUE(form_->Editing());
    EXPECT_EQ(Spin("Hossz_edit")->value(), 14);
    Focus(Edit("Ertek1_edit"), QEvent::FocusIn);
    Edit("Ertek1_edit")->setText(QStringLiteral("99999999999999"));
    Click("HHozzaad_Gomb");
    EXPECT_EQ(FileSegments(),
              (std::vector<std::string>{"4 S N 1 [(02)] [] 02", "14 S N 1 [99999999999999] [] "}));
}

// The series button filters by "Azon=1"; the table store evaluates no filter text, so every
// segment stays in the grid.
TEST_F(SeriesDesignerTest, SeriesButtonSetsTheFilterText) {
    AppendSegments(dm_.M1, {{"K", 3, 1, "ABC"}, {"K", 3, 1, "DEF"}});
    dm_.M1.SaveTable(dir_.file("s.vks"));
    Open();
    dm_.M1.Last();
    Click("vGomb1");
    EXPECT_TRUE(Child<QToolButton>("vGomb1")->isChecked());
    EXPECT_EQ(dm_.M1.Filter(), "Azon=1");
    EXPECT_TRUE(dm_.M1.Filtered());
    EXPECT_EQ(dm_.M1.RecNo(), 1);
    EXPECT_EQ(Child<QTableView>("ReszGrid")->model()->rowCount(), 2);
}

TEST_F(SeriesDesignerTest, KeysEscapeAndHelp) {
    TTervezoForm& form = Open();
    form.show();
    form.activateWindow();
    Click("Hozzaad_Gomb");
    // Enter moves on from a field of the panel.
    QSpinBox* length = Spin("Hossz_edit");
    length->setFocus();
    QTest::keyClick(length, Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), length);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(PanelOpen());
    EXPECT_TRUE(form.isVisible());
    modal_.ExpectHelp(TTervezoForm::kHelpContext);
    QTest::keyClick(&form, Qt::Key_F1);
    modal_.ExpectHelp(29);
    Click("SugoGomb");
    modal_.Verify();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(SeriesDesignerTest, GeneratesWithTheChosenDateLayoutAndShowsProgress) {
    AppendSegments(dm_.M1, {{"K", 1, 1, "X"}, {"D", 10, 2, "30.01.2024", "02.02.2024"}});
    dm_.M1.SaveTable(dir_.file("s.vks"));
    TTervezoForm& form = Open();
    form.show();
    modal_
        .ExpectModal(QStringLiteral("DatumBe"), QDialog::Accepted,
                     [](QObject& window) {
                         auto& chooser = dynamic_cast<TDatumBe&>(window);
                         chooser.rgDatum().SetItemIndex(7); // NN.HH.ÉÉÉÉ
                         chooser.findChild<QPushButton*>(QStringLiteral("RendBenGomb"))->click();
                         return chooser.result();
                     })
        .ExpectMessage("K", QStringLiteral("Generált vonalkódok száma (1): 3\rFolytatja a feldolgozást?"),
                       true)
        .ExpectMessage("I", QStringLiteral("Feldolgozás vége!"));
    Click("GenerGomb");
    modal_.Verify();
    EXPECT_TRUE(form.SeriesReplaced());
    EXPECT_EQ(Child<QStatusBar>("Lablec")->currentMessage(), QStringLiteral("3/3"));
    std::vector<std::string> values;
    for (dm_.T1.First(); !dm_.T1.Eof(); dm_.T1.Next())
        values.push_back(dm_.T1.FieldByName("Vonalkod1").AsString());
    EXPECT_EQ(values, (std::vector<std::string>{"X30.01.2024", "X01.02.2024", "X02.02.2024"}));

    // The chooser offers the last choice next time.
    TDatumBe next;
    EXPECT_EQ(next.rgDatum().ItemIndex(), 7);
    next.rgDatum().SetItemIndex(0);
    next.findChild<QPushButton*>(QStringLiteral("RendBenGomb"))->click();
}

// The designer starts from the barcode type the series has (else the type its definition was
// saved with), so generating the series again keeps every record's type.
TEST_F(SeriesDesignerTest, StartsFromTheSeriesBarcodeType) {
    // Twelve digits: EAN-13 values (type 9) with their check digit added.
    AppendSegments(dm_.M1, {{"K", 11, 1, "40063813339"}, {"S", 1, 1, "1", "2"}});
    dm_.M1.SaveTable(dir_.file("s.vks"));
    EXPECT_EQ(Open().findChild<TRadioList*>(QStringLiteral("VonalkodTipus"))->ItemIndex(), 5);
    form_.reset();
    dm_.M1.First();
    dm_.M1.Edit();
    dm_.M1.FieldByName("Vktip").SetAsInteger(15);
    dm_.M1.Post();
    EXPECT_EQ(Open().findChild<TRadioList*>(QStringLiteral("VonalkodTipus"))->ItemIndex(), 15);
    form_.reset();
    for (const char* value : {"123", "456"}) {
        dm_.T1.Append();
        dm_.T1.FieldByName("Vonalkod1").SetAsString(value);
        dm_.T1.FieldByName("Tipus1").SetAsInteger(9);
        dm_.T1.Post();
    }
    dm_.T1.Last();
    Open();
    EXPECT_EQ(Child<TRadioList>("VonalkodTipus")->ItemIndex(), 9);
    EXPECT_EQ(dm_.T1.RecNo(), 2);
    modal_.ExpectMessage("K", QStringLiteral("Felülírja a meglévő sorozatot? [s.sor]"), true)
        .ExpectMessage("K", QStringLiteral("Generált vonalkódok száma (1): 2\rFolytatja a feldolgozást?"),
                       true)
        .ExpectMessage("I", QStringLiteral("Feldolgozás vége!"));
    Click("GenerGomb");
    modal_.Verify();
    for (dm_.T1.First(); !dm_.T1.Eof(); dm_.T1.Next())
        EXPECT_EQ(dm_.T1.FieldByName("Tipus1").AsInteger(), 9);
}

TEST_F(SeriesDesignerTest, Screenshots) {
    AppendSegments(dm_.M1, {{"K", 3, 1, "ABC"}, {"S", 4, 1, "1000", "1002"}, {"K", 1, 1, "A", "C"}});
    dm_.M1.SaveTable(dir_.file("s.vks"));
    const QString out = QDir::current().absoluteFilePath(QStringLiteral("screenshots"));
    QDir().mkpath(out);
    TTervezoForm& form = Open();
    form.show();
    EXPECT_TRUE(form.grab().save(out + QStringLiteral("/series-designer.png")));
    Click("Hozzaad_Gomb");
    Click("cb_Szamlalo");
    EXPECT_TRUE(form.grab().save(out + QStringLiteral("/series-designer-adding.png")));
    TEanSegedForm helper(dm_);
    helper.show();
    EXPECT_TRUE(helper.grab().save(out + QStringLiteral("/ean128-helper.png")));
    TDatumBe chooser;
    chooser.show();
    EXPECT_TRUE(chooser.grab().save(out + QStringLiteral("/date-format-chooser.png")));
}

TEST(EanSegedFormTest, TwelveRowsAndDoubleClickOrEnterChooses) {
    TDM dm;
    dm.Ean128S.Open();
    TEanSegedForm form(dm);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("EAN 128 Segéd"));
    QTableView& grid = form.EanGrid();
    EXPECT_EQ(grid.objectName(), QStringLiteral("EanGrid"));
    ASSERT_EQ(grid.model()->rowCount(), 12);
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Teljes cím"));
    EXPECT_EQ(grid.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Formátum"));
    EXPECT_EQ(grid.model()->index(10, 1).data().toString(), QStringLiteral("Küldeményszám"));
    form.show();
    grid.setCurrentIndex(grid.model()->index(3, 0));
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(dm.Ean128S.FieldByName("AI").AsString(), "10");

    TEanSegedForm again(dm); // more than one row: shown as it is
    EXPECT_EQ(again.EanGrid().model()->rowCount(), 12);
    again.show();
    const QModelIndex row = again.EanGrid().model()->index(2, 0);
    const QRect cell = again.EanGrid().visualRect(row);
    // A double click is a press, a release and the double click on the same cell.
    QTest::mouseClick(again.EanGrid().viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(again.EanGrid().viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_EQ(dm.Ean128S.FieldByName("AI").AsString(), "02");
}

TEST(DatumBeTest, EightLayoutsClosedOnlyByRendben) {
    TDatumBe chooser;
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Dátum-formátum kiválasztása"));
    // Wide enough that a window manager shows the whole title.
    QFont bold = chooser.font();
    bold.setBold(true);
    EXPECT_GE(chooser.minimumSizeHint().expandedTo(chooser.minimumSize()).width(),
              QFontMetrics(bold).horizontalAdvance(chooser.windowTitle()) + TDatumBe::kTitleBarExtras);
    EXPECT_EQ(chooser.rgDatum().Count(), 8);
    EXPECT_EQ(chooser.rgDatum().ItemText(3), QStringLiteral("ÉÉÉÉ.HH.NN."));
    EXPECT_EQ(chooser.findChild<QPushButton*>(QStringLiteral("RendBenGomb"))->toolTip(),
              QStringLiteral("Rendben"));
    chooser.show();
    QTest::keyClick(&chooser, Qt::Key_Escape);
    EXPECT_TRUE(chooser.isVisible());
    EXPECT_FALSE(chooser.close());
    EXPECT_TRUE(chooser.isVisible());
    chooser.rgDatum().SetItemIndex(4);
    chooser.findChild<QPushButton*>(QStringLiteral("RendBenGomb"))->click();
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(chooser.Layout(), test::Cp("NNHHÉÉ"));
    TDatumBe reset; // back to the first layout for the other tests
    reset.rgDatum().SetItemIndex(0);
    reset.findChild<QPushButton*>(QStringLiteral("RendBenGomb"))->click();
}

} // namespace
} // namespace etikor
