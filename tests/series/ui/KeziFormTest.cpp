#include "series/ui/KeziForm.h"

#include "barcode/Ean.h"
#include "barcode/ui/DBEan.h"
#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "series/ui/TervezoForm.h"
#include "support/HungarianText.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"
#include "tablestore/StoreDataset.h"
#include "tablestore/StoreFormat.h"
#include "ui/DBNavigator.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace etikor {
namespace {

using test::ScriptedModal;
using test::TempDir;
using test::WriteFileBytes;

const char* const kActions[] = {"FelvetelGomb", "ModositasGomb", "TorlesGomb", "OTorolGomb",
                                "KlonozasGomb", "GeneralGomb",   "EanGrid",    "DBN1"};

// The data module's series table on a file of a temporary folder, a few values in it, and the
// manual-entry window over it.
class KeziFormTest : public testing::Test {
protected:
    KeziFormTest() {
        SetFormatSettings(TFormatSettings::HungarianSpace());
        WriteFileBytes(path_, BuildEmptyTableImage(SeriesFieldDefs()));
        WriteFileBytes(dir_.file("s.vks"), BuildEmptyTableImage(DefinitionFieldDefs()));
        dm_.M1.SetTableName(dir_.file("s.vks"));
        dm_.M1.Open();
        dm_.T1.SetTableName(path_);
        dm_.T1.Open();
    }
    ~KeziFormTest() override {
        form_.reset();
        SetFormatSettings(TFormatSettings::Invariant());
    }

    // "value/type" records, written to the file.
    void Seed(const std::vector<std::pair<std::string, int>>& rows) {
        for (const auto& [value, type] : rows)
            AppendSeriesRecord(dm_.T1, value, type);
        WriteSeries(dm_.T1);
    }
    TKeziForm& Open() {
        form_ = std::make_unique<TKeziForm>(dm_, QStringLiteral("s.sor"), modal_);
        return *form_;
    }
    template <typename T>
    T* Child(const char* name) const {
        T* w = form_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) { Child<QAbstractButton>(name)->click(); }
    void Key(QWidget* target, int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
    void Type(const QString& text) {
        auto* edit = Child<QLineEdit>("Ertek_edit");
        edit->selectAll();
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
    }
    QComboBox* Types() const { return Child<QComboBox>("cb_VkTNev"); }
    TDBEan* Preview() const { return Child<TDBEan>("MVonalkod"); }
    std::string Current() const { return dm_.T1.FieldByName("Vonalkod1").AsString(); }
    QString GridCurrent() const {
        auto* grid = Child<QTableView>("EanGrid");
        return grid->currentIndex().data().toString();
    }
    void ExpectBrowsing() const {
        for (const char* name : kActions)
            EXPECT_TRUE(Child<QWidget>(name)->isEnabled()) << name;
        EXPECT_FALSE(Child<QWidget>("RendbenGomb")->isEnabled());
        EXPECT_FALSE(Child<QWidget>("MegsemGomb")->isEnabled());
    }
    void ExpectEntering() const {
        for (const char* name : kActions)
            EXPECT_FALSE(Child<QWidget>(name)->isEnabled()) << name;
        EXPECT_TRUE(Child<QWidget>("RendbenGomb")->isEnabled());
        EXPECT_TRUE(Child<QWidget>("MegsemGomb")->isEnabled());
    }
    // The file's records as another reader sees them, in file order.
    std::vector<std::string> FileRows() const {
        TStoreTable t;
        t.SetTableName(path_);
        t.Open();
        std::vector<std::string> out;
        for (t.First(); !t.Eof(); t.Next())
            out.push_back(t.FieldByName("Vonalkod1").AsString() + "/" + t.FieldByName("Tipus1").AsString());
        return out;
    }

    TempDir dir_;
    std::string path_ = dir_.file("s.sor");
    TDM dm_;
    ScriptedModal modal_;
    std::unique_ptr<TKeziForm> form_;
};

TEST_F(KeziFormTest, OpensSortedWithItsControlsCaptionsHintsAndStatus) {
    Seed({{"5999", 9}, {"1000", 5}, {"3000", 7}});
    TKeziForm& form = Open();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vonalkód adatok kézi rögzítése"));
    struct Control {
        const char* Name;
        QString Text;
        QString Hint;
    };
    for (const Control& c : std::vector<Control>{
             {"FelvetelGomb", "Felvétel", "Új adat felvétele"},
             {"ModositasGomb", "Módosítás", "Adat módosítása"},
             {"TorlesGomb", "Törlés", "Adat törlése"},
             {"RendbenGomb", "Rendben", "Rögzítés"},
             {"MegsemGomb", "Mégsem", "Visszavonás"},
             {"OTorolGomb", "", "Összes adat törlése"},
             {"KlonozasGomb", "", "Kijelölt vonalkód értékének sokszorosítása (klónozás)"},
             {"GeneralGomb", "", "Vonalkód generálás"},
             {"DBN1_First", "", "Első"},
             {"DBN1_Prior", "", "Előző"},
             {"DBN1_Next", "", "Következő"},
             {"DBN1_Last", "", "Utolsó"},
         }) {
        SCOPED_TRACE(c.Name);
        auto* button = Child<QAbstractButton>(c.Name);
        EXPECT_EQ(button->text(), c.Text);
        EXPECT_EQ(button->toolTip(), c.Hint);
    }
    ExpectBrowsing();
    auto* grid = Child<QTableView>("EanGrid");
    ASSERT_EQ(grid->model()->columnCount(), 1);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Vonalkód érték"));
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), QStringLiteral("1000"));
    EXPECT_EQ(grid->model()->index(2, 0).data().toString(), QStringLiteral("5999"));
    EXPECT_EQ(GridCurrent(), QStringLiteral("1000"));
    EXPECT_EQ(Types()->count(), 19); // the 15 linear types, QR Code, Data Matrix, PDF417, Aztec
    EXPECT_EQ(Types()->itemText(15), QStringLiteral("QR Code"));
    EXPECT_EQ(Types()->itemText(18), QStringLiteral("Aztec"));
    EXPECT_EQ(Types()->currentText(), QStringLiteral("Code 128")) << "the first record's type";
    EXPECT_EQ(Child<QLineEdit>("Ertek_edit")->text(), QStringLiteral("1000"));
    EXPECT_TRUE(Child<QLineEdit>("Ertek_edit")->isReadOnly());
    EXPECT_EQ(Child<QGroupBox>("MintaDoboz")->title(), QStringLiteral("MINTA"));
    EXPECT_EQ(Preview()->BarCode(), "1000");
    EXPECT_EQ(Preview()->TypBarCode(), TTypBarCode::bcCode128);
    EXPECT_NE(Child<QStatusBar>("Lablec"), nullptr);
    EXPECT_EQ(form.Panel(1), QStringLiteral("Böngészés"));
    EXPECT_EQ(form.Panel(2), QStringLiteral("Sorozat: s.sor"));
    EXPECT_EQ(form.Panel(3), QStringLiteral("3"));
    EXPECT_EQ(dm_.T1.IndexFieldNames(), "Vonalkod1");
}

// Under English the window, its status bar and its delete-all question are English.
TEST_F(KeziFormTest, SpeaksEnglish) {
    test::EnglishTexts english;
    ASSERT_TRUE(english.Ok());
    Seed({{"1000", 5}});
    TKeziForm& form = Open();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Manual entry of barcode data"));
    EXPECT_EQ(test::HungarianTexts(form), QStringList());
    EXPECT_EQ(form.Panel(1), QStringLiteral("Browsing"));
    EXPECT_EQ(form.Panel(2), QStringLiteral("Series: s.sor"));
    modal_.ExpectMessage(QStringLiteral("K"), QStringLiteral("Delete ALL barcodes?"), false);
    Child<QAbstractButton>("OTorolGomb")->click();
    modal_.Verify();
}

TEST_F(KeziFormTest, TheTypeListAndPreviewFollowTheCurrentRecord) {
    Seed({{"1000", 5}, {"4006381333931", 9}, {"3000", 7}});
    Open();
    Click("DBN1_Last"); // sorted: 1000, 3000, 4006381333931
    EXPECT_EQ(Current(), "4006381333931");
    EXPECT_EQ(Types()->currentText(), QStringLiteral("Ean 13"));
    EXPECT_EQ(Preview()->TypBarCode(), TTypBarCode::bcEan13);
    EXPECT_EQ(Preview()->BarCode(), "4006381333931");
    EXPECT_FALSE(Child<QWidget>("DBN1_Next")->isEnabled());
    Click("DBN1_Prior");
    EXPECT_EQ(Types()->currentText(), QStringLiteral("Code 39 Standard"));
    EXPECT_EQ(GridCurrent(), QStringLiteral("3000"));
    // Picking a row in the grid moves too.
    auto* grid = Child<QTableView>("EanGrid");
    grid->setCurrentIndex(grid->model()->index(0, 0));
    EXPECT_EQ(Current(), "1000");
    EXPECT_EQ(Types()->currentText(), QStringLiteral("Code 128"));
}

TEST_F(KeziFormTest, ANewValueIsWrittenAtOnceAndBecomesCurrent) {
    Seed({{"300", 5}, {"100", 5}});
    TKeziForm& form = Open();
    Click("FelvetelGomb");
    EXPECT_EQ(Types()->currentIndex(), 5) << "the last record's type, where the new one goes";
    Types()->setCurrentIndex(9);
    ExpectEntering();
    EXPECT_EQ(form.Panel(1), QStringLiteral("Új adat felvétele..."));
    EXPECT_EQ(form.focusWidget(), Child<QWidget>("Ertek_edit"));
    EXPECT_FALSE(Child<QLineEdit>("Ertek_edit")->isReadOnly());
    EXPECT_EQ(Child<QLineEdit>("Ertek_edit")->text(), QString());
    Type(QStringLiteral("200"));
    EXPECT_EQ(Preview()->BarCode(), "200") << "the preview shows the value as it is typed";
    Click("RendbenGomb");
    ExpectBrowsing();
    EXPECT_EQ(form.Panel(1), QStringLiteral("Böngészés..."));
    EXPECT_EQ(form.Panel(3), QStringLiteral("3"));
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"300/5", "100/5", "200/9"}));
    EXPECT_EQ(Current(), "200");
    EXPECT_EQ(GridCurrent(), QStringLiteral("200"));
    EXPECT_EQ(Types()->currentIndex(), 9);
}

// A value its type cannot encode is explained while it is typed, kept when the user confirms it,
// and marked in the grid, as are such records already in the series.
TEST_F(KeziFormTest, AValueItsTypeCannotEncodeIsExplainedKeptAndMarked) {
    Seed({{"4006381333931", 9}, {"abc", 7}});
    Open();
    auto* problem = Child<QLabel>("ErtekHiba");
    Click("FelvetelGomb");
    Types()->setCurrentIndex(9);
    emit Types()->activated(9);
    EXPECT_EQ(problem->text(), QStringLiteral("EAN-13: nincs megadva érték"));
    Type(QStringLiteral("ABC-xy"));
    EXPECT_EQ(problem->text(), QStringLiteral("EAN-13: 12 számjegy kell, ellenőrző számjeggyel 13"));
    EXPECT_FALSE(problem->isHidden());
    Click("RendbenGomb");
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"4006381333931/9", "abc/7", "ABC-xy/9"}));
    EXPECT_EQ(Current(), "ABC-xy");
    EXPECT_EQ(problem->text(), QStringLiteral("EAN-13: 12 számjegy kell, ellenőrző számjeggyel 13"))
        << "browsing shows what is wrong with the current record";

    // The grid, sorted by value: 4006381333931, ABC-xy, abc (Code 39 Standard has no lower case).
    auto* grid = Child<QTableView>("EanGrid");
    QAbstractItemModel* model = grid->model();
    ASSERT_EQ(model->rowCount(), 3);
    std::vector<std::pair<QString, QString>> marks;
    for (int row = 0; row < 3; ++row) {
        const QModelIndex index = model->index(row, 0);
        marks.emplace_back(index.data().toString(), index.data(Qt::ToolTipRole).toString());
        EXPECT_EQ(index.data(Qt::DecorationRole).isNull(), marks.back().second.isEmpty()) << row;
    }
    std::sort(marks.begin(), marks.end());
    EXPECT_EQ(
        marks,
        (std::vector<std::pair<QString, QString>>{
            {QStringLiteral("4006381333931"), QString()},
            {QStringLiteral("ABC-xy"), QStringLiteral("EAN-13: 12 számjegy kell, ellenőrző számjeggyel 13")},
            {QStringLiteral("abc"), QStringLiteral("Code 39: „a” nem megengedett karakter (1. hely); "
                                                   "számjegyek, nagybetűk (A–Z, ékezet nélkül), szóköz "
                                                   "és a - . $ / + % jelek lehetnek")}}));

    // A good value clears the message.
    grid->setCurrentIndex(model->index(0, 0));
    Click("ModositasGomb");
    Type(QStringLiteral("400638133393"));
    EXPECT_TRUE(problem->text().isEmpty());
    EXPECT_TRUE(problem->isHidden());
}

// A two-dimensional type previews the value as its matrix without text; a linear type after it
// has its text again; the series keeps the plain list position.
TEST_F(KeziFormTest, TwoDimensionalTypesPreviewAndAreStored) {
    Seed({{"100", 5}});
    Open();
    Click("FelvetelGomb");
    Types()->setCurrentIndex(16);
    emit Types()->activated(16);
    EXPECT_EQ(Preview()->TypBarCode(), TTypBarCode::bcDataMatrix);
    EXPECT_FALSE(Preview()->Ean().ShowLabels());
    Type(QStringLiteral("(01)09501101530003"));
    const QImage picture = Preview()->grab().toImage();
    EXPECT_EQ(Preview()->LastPaintError(), TLastPaintError::erOK);
    EXPECT_FALSE(picture.isNull());
    Click("RendbenGomb");
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"100/5", "(01)09501101530003/16"}));
    Types()->setCurrentIndex(5);
    emit Types()->activated(5);
    EXPECT_TRUE(Preview()->Ean().ShowLabels());
}

TEST_F(KeziFormTest, WithTheFirstTypeSelectedNewFocusesTheTypeList) {
    Seed({{"100", 0}});
    TKeziForm& form = Open();
    ASSERT_EQ(Types()->currentIndex(), 0);
    Click("FelvetelGomb");
    EXPECT_EQ(form.focusWidget(), Types());
    Click("MegsemGomb");
}

TEST_F(KeziFormTest, ABlankValueIsRefusedAndTheEntryStaysOpen) {
    Seed({{"100", 5}});
    TKeziForm& form = Open();
    Click("FelvetelGomb");
    Type(QStringLiteral("  "));
    modal_.ExpectMessage("H", QStringLiteral("Nem vett fel vonalkód-értéket!"));
    Click("RendbenGomb");
    modal_.Verify();
    ExpectEntering();
    EXPECT_TRUE(form.Entering());
    EXPECT_EQ(form.focusWidget(), Child<QWidget>("Ertek_edit"));
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"100/5"}));
    Click("MegsemGomb");
    ExpectBrowsing();
    EXPECT_EQ(form.Panel(1), QStringLiteral("Böngészés..."));
    EXPECT_EQ(dm_.T1.RecordCount(), 1);
}

TEST_F(KeziFormTest, ChangeWritesAndCancelLeavesTheFile) {
    Seed({{"100", 5}, {"200", 5}});
    TKeziForm& form = Open();
    Click("DBN1_Next");
    Click("ModositasGomb");
    EXPECT_EQ(form.Panel(1), QStringLiteral("Módosítás..."));
    EXPECT_EQ(form.focusWidget(), Child<QWidget>("Ertek_edit"));
    Type(QStringLiteral("050"));
    Click("RendbenGomb");
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"100/5", "050/5"}));
    EXPECT_EQ(GridCurrent(), QStringLiteral("050"));
    Click("ModositasGomb");
    Type(QStringLiteral("999"));
    Click("MegsemGomb");
    EXPECT_EQ(Current(), "050");
    EXPECT_EQ(Child<QLineEdit>("Ertek_edit")->text(), QStringLiteral("050"));
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"100/5", "050/5"}));
}

TEST_F(KeziFormTest, CloningAppendsTheCountWithTheSelectedType) {
    Seed({{"5999", 9}});
    TKeziForm& form = Open();
    Types()->setCurrentIndex(5);
    modal_.ExpectInputBox(QStringLiteral("+ darab: "), QStringLiteral("3"));
    modal_.ExpectMessage("I", QStringLiteral("Feldolgozás vége! (3 db. vonalkód)"));
    Click("KlonozasGomb");
    modal_.Verify();
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"5999/9", "5999/5", "5999/5", "5999/5"}));
    EXPECT_EQ(form.Panel(3), QStringLiteral("4"));
    EXPECT_EQ(Types()->currentIndex(), dm_.T1.FieldByName("Tipus1").AsInteger())
        << "the current record's type";

    modal_.ExpectInputBox(QStringLiteral("+ darab: "), QStringLiteral("abc"));
    modal_.ExpectMessage("H", QStringLiteral("abc nem szám!"));
    Click("KlonozasGomb");
    modal_.Verify();
    EXPECT_EQ(FileRows().size(), 4u);
}

TEST_F(KeziFormTest, DeletingPositionsOnTheFollowingValue) {
    Seed({{"12345", 5}, {"123456", 5}, {"9", 5}});
    TKeziForm& form = Open();
    ASSERT_EQ(Current(), "12345");
    modal_.ExpectMessage("K", QStringLiteral("Valóban törölni kívánja az aktuális vonalkódot?"), true);
    Click("TorlesGomb");
    modal_.Verify();
    EXPECT_EQ(Current(), "123456");
    EXPECT_EQ(GridCurrent(), QStringLiteral("123456"));
    EXPECT_EQ(form.Panel(1), QStringLiteral("Böngészés..."));
    EXPECT_EQ(form.Panel(3), QStringLiteral("2"));
    EXPECT_EQ(form.focusWidget(), Child<QWidget>("DBN1_First"));
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"123456/5", "9/5"}));
}

// Relies on a partial-key locate of an empty text finding the first record with a value.
TEST_F(KeziFormTest, NoToTheDeleteQuestionReloadsOnTheFirstValue) {
    Seed({{"", 5}, {"222", 5}, {"111", 5}});
    Open();
    Click("DBN1_Last");
    modal_.ExpectMessage("K", QStringLiteral("Valóban törölni kívánja az aktuális vonalkódot?"), false);
    Click("TorlesGomb");
    modal_.Verify();
    EXPECT_EQ(Current(), "111");
    EXPECT_EQ(FileRows().size(), 3u);
}

TEST_F(KeziFormTest, DeleteAllAsksAndEmptiesOnYes) {
    Seed({{"1", 5}, {"2", 5}});
    TKeziForm& form = Open();
    modal_.ExpectMessage("K", QStringLiteral("Valóban törölni kívánja az ÖSSZES vonalkódot?"), false);
    Click("OTorolGomb");
    modal_.Verify();
    EXPECT_EQ(form.Panel(3), QStringLiteral("2"));
    modal_.ExpectMessage("K", QStringLiteral("Valóban törölni kívánja az ÖSSZES vonalkódot?"), true);
    Click("OTorolGomb");
    modal_.Verify();
    EXPECT_TRUE(FileRows().empty());
    EXPECT_EQ(form.Panel(1), QStringLiteral("Böngészés..."));
    EXPECT_EQ(form.Panel(3), QStringLiteral("0"));
    // Nothing left to change, delete or clone.
    for (const char* name : {"ModositasGomb", "TorlesGomb", "KlonozasGomb"})
        EXPECT_FALSE(Child<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(Child<QWidget>("FelvetelGomb")->isEnabled());
}

TEST_F(KeziFormTest, GenerateRunsTheSeriesDesignerUnderItsHelpTopic) {
    Seed({{"1", 5}});
    TKeziForm& form = Open();
    std::vector<int> contexts;
    bool notInUse = false;
    form.SetHelpContext = [&](int topic) { contexts.push_back(topic); };
    form.ExternalDataNotInUse = [&] { notInUse = true; };
    modal_.ExpectModal(QStringLiteral("TervezoForm"), 0, [&](QObject&) {
        EXPECT_EQ(contexts, std::vector<int>{29});
        EXPECT_TRUE(notInUse);
        // The series changes meanwhile.
        AppendSeriesRecord(dm_.T1, "0", 5);
        WriteSeries(dm_.T1);
        return 0;
    });
    Click("GeneralGomb");
    modal_.Verify();
    EXPECT_EQ(contexts, (std::vector<int>{29, 10}));
    EXPECT_EQ(form.Panel(3), QStringLiteral("2"));
    EXPECT_EQ(Current(), "0");
    EXPECT_EQ(dm_.T1.IndexFieldNames(), "Vonalkod1");
}

TEST_F(KeziFormTest, KeysMoveOnCloseAndShowHelp) {
    Seed({{"1", 5}});
    TKeziForm& form = Open();
    form.HelpContext = [] { return 10; };
    modal_.ExpectHelp(10);
    Key(&form, Qt::Key_F1);
    modal_.Verify();
    Types()->setFocus();
    Key(&form, Qt::Key_Return);
    EXPECT_NE(form.focusWidget(), Types());
    // Esc closes, even in the middle of an entry: the entry is dropped and the sort removed.
    Click("FelvetelGomb");
    Type(QStringLiteral("2"));
    Key(&form, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(dm_.T1.IndexFieldNames(), "");
    EXPECT_EQ(dm_.T1.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(dm_.T1.RecordCount(), 1);
    EXPECT_EQ(FileRows(), (std::vector<std::string>{"1/5"}));
}

TEST_F(KeziFormTest, ASeriesFileGoneBeforeTheWindowIsReleasedReachesTheErrorHandler) {
    Seed({{"1", 5}});
    Open();
    std::filesystem::remove(path_);
    QString reported;
    SetStoreExceptionHandler(
        [&](const std::exception& error) { reported = QString::fromUtf8(error.what()); });
    form_.reset(); // never raises out of the destructor
    SetStoreExceptionHandler({});
    EXPECT_TRUE(reported.startsWith(QStringLiteral("T1: "))) << reported.toStdString();
    EXPECT_EQ(dm_.T1.IndexFieldNames(), "");
}

TEST_F(KeziFormTest, Screenshots) {
    Seed({{"4006381333931", 9}, {"5999000000011", 9}, {"ABC-123", 5}});
    const QString out = QDir::current().absoluteFilePath(QStringLiteral("screenshots"));
    QDir().mkpath(out);
    TKeziForm& form = Open();
    form.show();
    EXPECT_TRUE(form.grab().save(out + QStringLiteral("/manual-entry.png")));
    Click("FelvetelGomb");
    Type(QStringLiteral("Árvíz-1"));
    EXPECT_TRUE(form.grab().save(out + QStringLiteral("/manual-entry-new.png")));
    Click("MegsemGomb");
}

} // namespace
} // namespace etikor
