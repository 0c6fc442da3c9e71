// The print selection window driven by its components' names: texts and disabled buttons,
// select all and clear with the counter, a count typed and Enter, ordering by a title, the
// print through the question to the hand-over, both scratch files empty after closing.

#include "printing/ui/NyomtatasForm.h"
#include "printing/ui/PreviewForm.h"

#include "MemDataSet.h"
#include "document/DataModule.h"
#include "document/ShippedFiles.h"
#include "support/HungarianText.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

namespace etikor {
namespace {

using test::MemDataSet;
using test::ScriptedModal;
using test::TempDir;

struct Fixture {
    Fixture() {
        WriteScratchTables(QString::fromStdString(Dir.path().string()));
        std::vector<std::vector<TVariant>> rows;
        for (const char* value : {"B", "A", "C"})
            rows.push_back({TVariant(value), TVariant(5), TVariant(), TVariant(), TVariant(), TVariant(),
                            TVariant(false), TVariant()});
        Series = std::make_unique<MemDataSet>(SeriesFieldDefs(), std::move(rows));
        Series->Open();
    }
    TempDir Dir;
    std::unique_ptr<MemDataSet> Series;
    TPrintSelection Selection{QString::fromStdString(Dir.path().string())};
    std::vector<std::string> Printed;
    bool Frame = false;
    TNyomtatasForm Form{Selection, [this](TDataSet& table, bool frame) {
                            Frame = frame;
                            for (table.First(); !table.Eof(); table.Next())
                                Printed.push_back(table.Fields(0).AsString());
                        }};

    template <typename T>
    T* Child(const char* name) {
        T* child = Form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QPushButton* Button(const char* name) { return Child<QPushButton>(name); }
    QString Counter() { return Child<QLabel>("Jelolt")->text(); }
    QTableView* Grid() { return Child<QTableView>("Ny_Valaszt"); }
    QString Cell(int row, int column) { return Grid()->model()->index(row, column).data().toString(); }
};

TEST(NyomtatasForm, NamesTextsAndDisabledButtons) {
    Fixture f;
    f.Form.Open(*f.Series);
    EXPECT_EQ(f.Form.windowTitle(), QString::fromUtf8("Etikett nyomtatás"));
    const struct {
        const char* name;
        const char* hint;
        bool enabled;
    } rows[] = {{"Msn_All", "Összes kijelölése (Darab=1)", true},
                {"Msn_Del", "Kijelölést megszüntet", true},
                {"Msn_Szuk", "Szűkítés", false},
                {"Msn_tSzukites", "Szűkítés visszavonása", false},
                {"Msn_Ny", "Kiválasztott címkék nyomtatása", true},
                {"Msn_Beall", "A program paramétereinek beállítása", false},
                {"Kilep", "Kilép a nyomtatás funkcióból", true}};
    for (const auto& row : rows) {
        EXPECT_EQ(f.Button(row.name)->toolTip(), QString::fromUtf8(row.hint)) << row.name;
        EXPECT_EQ(f.Button(row.name)->isEnabled(), row.enabled) << row.name;
    }
    EXPECT_EQ(f.Button("Kilep")->text(), QString::fromUtf8("&Kilép"));
    EXPECT_EQ(f.Child<QLabel>("Label1")->text(), QString::fromUtf8("Első cimke:"));
    EXPECT_EQ(f.Child<QCheckBox>("Msn_Ch5")->text(), "Keret");
    EXPECT_EQ(f.Child<QSpinBox>("UresCimke")->minimum(), 1);
    EXPECT_EQ(f.Child<QSpinBox>("UresCimke")->maximum(), 22);
    const QAbstractItemModel* model = f.Grid()->model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Db.");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("Vonalkód"));
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), QString::fromUtf8("Típus"));
    EXPECT_EQ(f.Cell(0, 1), "B");
    EXPECT_EQ(f.Cell(1, 2), "5");
    EXPECT_FALSE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
}

TEST(NyomtatasForm, SpeaksEnglish) {
    test::EnglishTexts english;
    ASSERT_TRUE(english.Ok());
    Fixture f;
    f.Form.Open(*f.Series);
    EXPECT_EQ(f.Form.windowTitle(), QStringLiteral("Label printing"));
    EXPECT_EQ(test::HungarianTexts(f.Form), QStringList());
    EXPECT_EQ(f.Grid()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Barcode"));
}

// The settings button opens what the program gives the window (the settings dialog on its
// label page); without one it stays disabled.
TEST(NyomtatasForm, SettingsButtonOpensTheGivenDialog) {
    Fixture f;
    f.Form.Open(*f.Series);
    int opened = 0;
    f.Form.SetSettingsDialog([&] { ++opened; });
    ASSERT_TRUE(f.Button("Msn_Beall")->isEnabled());
    f.Button("Msn_Beall")->click();
    EXPECT_EQ(opened, 1);
    f.Form.SetSettingsDialog({});
    EXPECT_FALSE(f.Button("Msn_Beall")->isEnabled());
}

TEST(NyomtatasForm, SelectAllClearAndACountTypedWithEnter) {
    Fixture f;
    f.Form.show();
    f.Form.Open(*f.Series);
    f.Button("Msn_All")->click();
    EXPECT_EQ(f.Counter(), "3");
    EXPECT_EQ(f.Cell(2, 0), "1");
    f.Button("Msn_Del")->click();
    EXPECT_EQ(f.Counter(), "0");
    EXPECT_EQ(f.Cell(0, 0), "0");

    // Type 4 into the first row's count and press Enter.
    QTableView* grid = f.Grid();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    grid->edit(grid->currentIndex());
    QWidget* editor = grid->viewport()->findChild<QSpinBox*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "4");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(0); // the delegate closes its editor through a queued call
    EXPECT_EQ(f.Cell(0, 0), "4");
    EXPECT_EQ(f.Counter(), "4");
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

TEST(NyomtatasForm, PrintsInTheGridsOrderAfterATitleClick) {
    Fixture f;
    f.Form.Open(*f.Series);
    QAbstractItemModel* model = f.Grid()->model();
    model->setData(model->index(0, 0), 2); // B
    model->setData(model->index(1, 0), 1); // A
    f.Child<QCheckBox>("Msn_Ch5")->setChecked(true);
    {
        ScriptedModal modal;
        modal.ExpectMessage("K", QString::fromUtf8("Indulhat 3 db. cimke nyomtatása?"), true);
        f.Button("Msn_Ny")->click();
    }
    EXPECT_EQ(f.Printed, (std::vector<std::string>{"B", "B", "A"}));
    EXPECT_TRUE(f.Frame);

    // "Vonalkód" orders the grid: A, B, C; its title turns red on yellow.
    f.Grid()->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(f.Cell(0, 1), "A");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
    EXPECT_EQ(model->headerData(2, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(), QColor(Qt::darkBlue));
    f.Printed.clear();
    f.Child<QSpinBox>("UresCimke")->setValue(2);
    {
        ScriptedModal modal;
        modal.ExpectMessage("K", QString::fromUtf8("Indulhat 3 db. cimke nyomtatása?"), true);
        f.Button("Msn_Ny")->click();
    }
    EXPECT_EQ(f.Printed, (std::vector<std::string>{" ", "A", "B", "B"}));
}

TEST(NyomtatasForm, NothingSelectedWarnsAndClosingEmptiesBothFiles) {
    Fixture f;
    f.Form.Open(*f.Series);
    {
        ScriptedModal modal;
        modal.ExpectMessage("F", QString::fromUtf8("Nem választott ki semmit!"));
        f.Button("Msn_Ny")->click();
    }
    EXPECT_TRUE(f.Printed.empty());
    f.Button("Kilep")->click();
    for (const QString& file : {f.Selection.SelectionFile(), f.Selection.PrintFile()}) {
        TStoreTable t;
        t.SetTableName(file.toStdString());
        t.Open();
        EXPECT_EQ(t.RecordCount(), 0) << file.toStdString();
    }
}

TEST(NyomtatasForm, FirstPlaceFrameAndCounterSurviveReopening) {
    Fixture f;
    f.Form.Open(*f.Series);
    f.Child<QSpinBox>("UresCimke")->setValue(5);
    f.Child<QCheckBox>("Msn_Ch5")->setChecked(true);
    f.Button("Msn_All")->click();
    f.Button("Kilep")->click();
    f.Form.Open(*f.Series);
    EXPECT_EQ(f.Child<QSpinBox>("UresCimke")->value(), 5);
    EXPECT_TRUE(f.Child<QCheckBox>("Msn_Ch5")->isChecked());
    EXPECT_EQ(f.Counter(), "3");  // not reset by opening
    EXPECT_EQ(f.Cell(0, 0), "0"); // counts are
}

TEST(NyomtatasForm, F1ShowsTheHelpOfPrinting) {
    Fixture f;
    f.Form.Open(*f.Series);
    ScriptedModal modal;
    modal.ExpectHelp(24);
    QTest::keyClick(&f.Form, Qt::Key_F1);
}

} // namespace
} // namespace etikor

namespace etikor {
namespace {

// Pictures of the two windows for a look without a display (build/tests/printing/ui/screenshots/).
TEST(PrintingWindows, Screenshots) {
    const QString out = QDir::current().absoluteFilePath(QStringLiteral("screenshots"));
    ASSERT_TRUE(QDir().mkpath(out));
    Fixture f;
    f.Form.Open(*f.Series);
    f.Form.show();
    f.Grid()->model()->setData(f.Grid()->model()->index(0, 0), 2);
    f.Grid()->horizontalHeader()->sectionClicked(1);
    EXPECT_TRUE(f.Form.grab().save(out + QStringLiteral("/print-selection.png")));

    TReport report;
    report.Page.PageWidthMm = 210;
    report.Page.PageLengthMm = 297;
    report.Page.TopMarginMm = 13;
    report.Page.LeftMarginMm = report.Page.RightMarginMm = 5;
    report.Page.Columns = 3;
    report.Page.ColumnSpaceMm = 3;
    report.Page.BottomMarginMm = 0;
    report.Page.LabelHeightMm = 38.1;
    report.BandFrame = true;
    auto text = std::make_shared<TDataTextItem>();
    text->FieldName = "Vonalkod1";
    text->RectMm = QRectF(3, 2, 30, 5);
    report.Items.push_back(text);
    auto barcode = std::make_shared<TBarcodeItem>();
    barcode->FieldName = "Vonalkod1";
    barcode->Barcode.SetTypBarCode(TTypBarCode::bcCode128);
    barcode->Barcode.Left = 3;
    barcode->Barcode.Top = 9;
    barcode->Barcode.Width = 55;
    barcode->Barcode.Height = 25;
    barcode->SyncRect();
    report.Items.push_back(barcode);
    TPreviewForm preview(report, f.Series.get(), {}, {});
    preview.resize(900, 700);
    preview.show();
    while (preview.Preparing())
        QTest::qWait(1);
    EXPECT_TRUE(preview.grab().save(out + QStringLiteral("/print-preview.png")));
}

} // namespace
} // namespace etikor
