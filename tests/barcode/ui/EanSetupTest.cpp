#include "barcode/ui/EanSetup.h"

#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace etikor {
namespace {

using test::ScriptedModal;
using test::TempDir;

class EanSetupTest : public testing::Test {
protected:
    EanSetupTest() { form_.LoadFrom(target_); }
    ~EanSetupTest() override { SetCustomColor(clBlack); }

    template <typename T>
    T* Child(const char* name) const {
        T* w = form_.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) { Child<QAbstractButton>(name)->click(); }
    QLineEdit* Edit(const char* name) const { return Child<QLineEdit>(name); }
    // A choice in a list as the user makes it (the live handlers run on user choices only).
    static void Choose(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    // Loads the target again after the test changed it.
    void Reload() { form_.LoadFrom(target_); }

    ScriptedModal modal_;
    TEan target_;
    TEANSetupFmt form_{modal_};
};

// What a new window shows before it loads a target: EAN 13 with its sample, white background,
// the second colour for the lines, the texts and initial values of the pages.
TEST(EanSetupCreation, NewWindow) {
    ScriptedModal modal;
    TEANSetupFmt form{modal};
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Barcode library - version 4.5"));
    QStringList pages, names;
    for (int i = 0; i < form.ZAL->count(); ++i) {
        pages << form.ZAL->tabText(i);
        names << form.ZAL->widget(i)->objectName();
    }
    EXPECT_EQ(pages, (QStringList{"Text && bar code type", "Colors && Fonts", "Caption", "Mask", "Misc.",
                                  "Functions", "Print", "About"}));
    EXPECT_EQ(names, (QStringList{"SH_MAIN", "TabSheet2", "TabSheet4", "TabSheet1", "TabSheet3", "TabSheet5",
                                  "SHEET_PRINT", "SH_ABOUT"}));
    EXPECT_EQ(form.ZAL->currentIndex(), 0);
    EXPECT_EQ(form.CBTyp->count(), 36);
    EXPECT_EQ(form.CBTyp->itemText(32), QStringLiteral("QR Code"));
    EXPECT_FALSE(form.GR_2D->isVisibleTo(&form)); // EAN 13 has no 2D settings
    EXPECT_EQ(form.CBTyp->currentText(), QStringLiteral("EAN 13"));
    EXPECT_EQ(form.EAN().TypBarCode(), TTypBarCode::bcEan13);
    EXPECT_EQ(form.EANMEMO->text(), QString::fromStdString(form.EAN().BarCode()));
    EXPECT_EQ(form.EAN().Width(), form.EAN().MinimumWidth());
    EXPECT_FALSE(form.ZNAKY->toPlainText().isEmpty());

    QStringList colors;
    for (int i = 0; i < form.BGColor->count(); ++i)
        colors << form.BGColor->itemText(i);
    EXPECT_EQ(colors,
              (QStringList{"Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray", "Silver",
                           "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White", "User color"}));
    EXPECT_EQ(form.LinesColor->count(), 17);
    EXPECT_EQ(form.BGColor->currentText(), QStringLiteral("White"));
    EXPECT_EQ(form.LinesColor->currentIndex(), 1);
    EXPECT_EQ(ColorListColor(1), RgbColor(0x80, 0, 0)) << "Maroon is 800000 as red, green, blue";

    for (int i : {1, 3, 30}) {
        QCheckBox* box = form.findChild<QCheckBox*>(QStringLiteral("C%1").arg(i));
        ASSERT_NE(box, nullptr) << i;
        EXPECT_EQ(box->text(), QStringLiteral("%1. Digit").arg(i));
    }
    EXPECT_EQ(form.findChild<QCheckBox*>(QStringLiteral("C31")), nullptr);
    struct Initial {
        QLineEdit* Edit;
        const char* Text;
    } initial[] = {{form.E_WIDTH, "40"},  {form.E_HEIGHT, "20"}, {form.E_COUNT, "1"},
                   {form.E_LEFT, "10"},   {form.E_TOP, "10"},    {form.E_RIGHT, "10"},
                   {form.E_BOTTOM, "10"}, {form.E_SPACEX, "10"}, {form.E_SPACEY, "10"}};
    for (const Initial& row : initial)
        EXPECT_EQ(row.Edit->text(), QString::fromLatin1(row.Text)) << row.Edit->objectName().toStdString();
    EXPECT_EQ(form.EAN_ANGLE->maximum(), 360);
    EXPECT_EQ(form.EAN_Width->maximum(), 30000);
    EXPECT_EQ(form.EAN_Height->maximum(), 10000);
}

// Loading shows the target's values; the preview copies it.
TEST_F(EanSetupTest, LoadsTheTarget) {
    target_.SetTypBarCode(TTypBarCode::bcCode128);
    target_.SetBarCode("ABC-12");
    target_.SetLinesColor(clNavy);
    target_.SetShowLabels(false);
    target_.SetLabelMask("_ _");
    target_.SetBounds(150, 60);
    target_.SetAngle(90);
    target_.Caption().SetVisible(false);
    target_.CaptionBottom().SetVisible(true);
    target_.CaptionBottom().SetAutoCaption(false);
    target_.CaptionBottom().SetText("alul");
    target_.CaptionBottom().SetAlignment(TAlignment::taCenter);
    Reload();
    EXPECT_EQ(form_.CBTyp->currentIndex(), int(TTypBarCode::bcCode128));
    EXPECT_EQ(form_.EANMEMO->text(), QStringLiteral("ABC-12"));
    EXPECT_TRUE(form_.AddUp->isHidden()) << "EAN 13 only";
    EXPECT_EQ(form_.LinesColor->currentText(), QStringLiteral("Navy"));
    EXPECT_FALSE(form_.ShowLabels->isChecked());
    EXPECT_EQ(form_.EAN_Width->value(), 150);
    EXPECT_EQ(form_.EAN_Height->value(), 60);
    EXPECT_EQ(form_.EAN_ANGLE->value(), 90);
    // Box i is ticked where the mask is shorter or has "_".
    EXPECT_TRUE(Child<QCheckBox>("C1")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>("C2")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>("C3")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>("C4")->isChecked());
    EXPECT_TRUE(Child<QGroupBox>("GR_Caption")->isHidden());
    EXPECT_FALSE(Child<QGroupBox>("BGR_CAPTION")->isHidden());
    EXPECT_EQ(Edit("BCA_TEXT")->text(), QStringLiteral("alul"));
    EXPECT_TRUE(Edit("BCA_TEXT")->isEnabled());
    EXPECT_EQ(Child<QComboBox>("BCA_Alignment")->currentText(), QStringLiteral("Center"));
    EXPECT_EQ(form_.EAN().BarCode(), "ABC-12");
    EXPECT_FALSE(form_.EAN().ShowLabels());
}

// A background that is none of the sixteen shows "User color"; OK without a pick gives the
// target the custom colour (black), a pick becomes the custom colour of both lists.
// A value the chosen type cannot encode is explained below the box as it is typed; the type and
// its options decide; the value is kept when the window is applied.
TEST_F(EanSetupTest, ExplainsAValueItsTypeCannotEncode) {
    Choose(form_.CBTyp, int(TTypBarCode::bcEan13));
    EXPECT_TRUE(form_.EANMEMO_HIBA->isHidden()) << "the sample is fine";
    form_.EANMEMO->setText(QStringLiteral("ABC-xy"));
    EXPECT_EQ(form_.EANMEMO_HIBA->text(),
              QStringLiteral("EAN-13: 12 számjegy kell, ellenőrző számjeggyel 13"));
    EXPECT_FALSE(form_.EANMEMO_HIBA->isHidden());
    form_.EANMEMO->setText(QStringLiteral("400638133393"));
    EXPECT_TRUE(form_.EANMEMO_HIBA->isHidden());

    Choose(form_.CBTyp, int(TTypBarCode::bcDataMatrix));
    form_.EANMEMO->setText(QStringLiteral("hello"));
    EXPECT_TRUE(form_.EANMEMO_HIBA->isHidden());
    form_.DM_GS1->setChecked(true);
    EXPECT_TRUE(form_.EANMEMO_HIBA->text().startsWith(QStringLiteral("Data Matrix: hibás GS1 adat")))
        << form_.EANMEMO_HIBA->text().toStdString();
    form_.DM_GS1->setChecked(false);

    Choose(form_.CBTyp, int(TTypBarCode::bcEan13));
    form_.EANMEMO->setText(QStringLiteral("ABC-xy"));
    form_.Apply();
    EXPECT_EQ(target_.TypBarCode(), TTypBarCode::bcEan13);
    EXPECT_EQ(target_.BarCode(), "ABC-xy");
}

TEST_F(EanSetupTest, UserColor) {
    target_.SetBackgroundColor(RgbColor(1, 2, 3));
    Reload();
    EXPECT_EQ(form_.BGColor->currentText(), QStringLiteral("User color"));
    Click("BtnOk");
    EXPECT_EQ(target_.BackgroundColor(), clBlack);
    EXPECT_EQ(form_.result(), QDialog::Accepted);

    modal_.ExpectColor(QColor(10, 20, 30));
    Choose(form_.BGColor, kUserColorEntry);
    modal_.Verify();
    EXPECT_EQ(CustomColor(), RgbColor(10, 20, 30));
    EXPECT_EQ(form_.EAN().BackgroundColor(), RgbColor(10, 20, 30));
    EXPECT_EQ(target_.BackgroundColor(), clBlack) << "only Apply writes the target";
    Click("BtnApply");
    EXPECT_EQ(target_.BackgroundColor(), RgbColor(10, 20, 30));
}

// The third mask box unticked: two "_", a blank and 47 "_".
TEST_F(EanSetupTest, MaskOfTheThirdDigit) {
    Click("C3");
    Click("BtnApply");
    EXPECT_EQ(target_.LabelMask(), "__ " + std::string(47, '_'));
}

// Another symbology and OK without editing: the target gets it with the sample the memo shows.
TEST_F(EanSetupTest, SymbologyWithItsSample) {
    Choose(form_.CBTyp, int(TTypBarCode::bcCode39Standard));
    EXPECT_EQ(form_.EAN().TypBarCode(), TTypBarCode::bcCode39Standard);
    const QString sample = form_.EANMEMO->text();
    EXPECT_EQ(sample, QString::fromStdString(form_.EAN().BarCode()));
    EXPECT_EQ(target_.TypBarCode(), TTypBarCode::bcEan13) << "live changes reach the preview only";
    Click("BtnOk");
    EXPECT_EQ(target_.TypBarCode(), TTypBarCode::bcCode39Standard);
    EXPECT_EQ(QString::fromStdString(target_.BarCode()), sample);
}

// Each two-dimensional type shows its own settings; they reach the preview at once and the
// target on Apply, and a target's settings are shown when it is loaded.
TEST_F(EanSetupTest, TwoDimensionalSettingsPerType) {
    const struct {
        TTypBarCode type;
        std::vector<const char*> shown;
    } types[] = {
        {TTypBarCode::bcQRCode, {"QR_ECC"}},
        {TTypBarCode::bcDataMatrix, {"DM_SHAPE", "DM_GS1"}},
        {TTypBarCode::bcPDF417, {"PDF_COLUMNS", "PDF_ECC"}},
        {TTypBarCode::bcAztec, {"AZTEC_ECC"}},
        {TTypBarCode::bcCode128, {}},
    };
    const std::vector<const char*> all = {"QR_ECC",      "DM_SHAPE", "DM_GS1",
                                          "PDF_COLUMNS", "PDF_ECC",  "AZTEC_ECC"};
    for (const auto& t : types) {
        SCOPED_TRACE(static_cast<int>(t.type));
        Choose(form_.CBTyp, int(t.type));
        EXPECT_EQ(form_.GR_2D->isVisibleTo(&form_), !t.shown.empty());
        for (const char* name : all) {
            const bool own = std::find_if(t.shown.begin(), t.shown.end(), [&](const char* n) {
                                 return std::string_view(n) == name;
                             }) != t.shown.end();
            EXPECT_EQ(Child<QWidget>(name)->isVisibleTo(&form_), own) << name;
        }
        EXPECT_EQ(form_.StartStopLines->isEnabled(), !IsMatrixType(t.type)) << "no guard bars in a matrix";
        if (IsMatrixType(t.type)) {
            EXPECT_FALSE(form_.ShowLabels->isChecked()) << "no text line by default";
            EXPECT_EQ(form_.EAN().LastPaintError(), TLastPaintError::erOK);
        }
    }
    // GS1 DataMatrix, rectangular: the preview encodes the sample as GS1 at once.
    Choose(form_.CBTyp, int(TTypBarCode::bcDataMatrix));
    Choose(Child<QComboBox>("DM_SHAPE"), 1);
    Click("DM_GS1");
    EXPECT_TRUE(form_.EAN().MatrixOptions().DmGs1);
    EXPECT_TRUE(form_.EAN().MatrixOptions().DmRectangular);
    const BarcodeMatrix m = form_.EAN().BuildPattern(form_.EAN().BarCode()).Matrix;
    EXPECT_LT(m.Rows, m.Columns);
    EXPECT_EQ(target_.MatrixOptions(), TMatrixOptions{}) << "only Apply writes the target";
    Click("BtnApply");
    EXPECT_EQ(target_.TypBarCode(), TTypBarCode::bcDataMatrix);
    EXPECT_TRUE(target_.MatrixOptions().DmGs1);
    EXPECT_TRUE(target_.MatrixOptions().DmRectangular);
    // PDF417 columns and level; loading a target shows its settings.
    target_.SetTypBarCode(TTypBarCode::bcPDF417);
    TMatrixOptions pdf;
    pdf.PdfColumns = 4;
    pdf.PdfEcc = 6;
    target_.SetMatrixOptions(pdf);
    Reload();
    EXPECT_EQ(Child<QSpinBox>("PDF_COLUMNS")->value(), 4);
    EXPECT_EQ(Child<QSpinBox>("PDF_ECC")->value(), 6);
    Child<QSpinBox>("PDF_COLUMNS")->setValue(0);
    EXPECT_EQ(Child<QSpinBox>("PDF_COLUMNS")->text(), QStringLiteral("Automatic"));
    EXPECT_EQ(form_.EAN().MatrixOptions().PdfColumns, 0);
    Click("BtnOk");
    EXPECT_EQ(target_.MatrixOptions().PdfColumns, 0);
    EXPECT_EQ(target_.MatrixOptions().PdfEcc, 6);
}

// The live switches, the caption groups and cancel.
TEST_F(EanSetupTest, LiveChanges) {
    target_.Caption().SetAutoCaption(false);
    Reload();
    const bool transparent = form_.EAN().Transparent();
    Click("Transparent");
    EXPECT_NE(form_.EAN().Transparent(), transparent);
    Click("StartStopLines");
    EXPECT_NE(form_.EAN().StartStopLines(), target_.StartStopLines());
    Choose(form_.LinesColor, 9);
    EXPECT_EQ(form_.EAN().LinesColor(), clRed);
    EXPECT_TRUE(Edit("CA_TEXT")->isEnabled());
    Click("CA_AutoCaption");
    EXPECT_FALSE(Edit("CA_TEXT")->isEnabled());
    // Each caption's AutoCaption governs its own text, the lower one's not the upper one's.
    const bool lowerText = Edit("BCA_TEXT")->isEnabled();
    Click("BCA_AutoCaption");
    EXPECT_NE(Edit("BCA_TEXT")->isEnabled(), lowerText);
    EXPECT_FALSE(Edit("CA_TEXT")->isEnabled());
    form_.CA_Visible->setChecked(true);
    Click("CA_Visible");
    EXPECT_TRUE(Child<QGroupBox>("GR_Caption")->isHidden());
    Click("BtnCancel");
    EXPECT_EQ(form_.result(), QDialog::Rejected);
    EXPECT_EQ(target_.LinesColor(), clBlack);
    EXPECT_EQ(target_.Transparent(), transparent);
}

// The grid: 40 × 20 mm with 10 mm margins and spaces on 200 × 287 mm gives 3 × 9 = 27; a text
// that is not a number leaves both as they were.
TEST_F(EanSetupTest, PrintGrid) {
    form_.SetPrintableArea(QSizeF(200, 287));
    Edit("E_WIDTH")->setText(QStringLiteral("40.0")); // a change: the same text signals nothing
    EXPECT_EQ(form_.LBL_FORMAT->text(), QStringLiteral("Cols : 3,  Rows:9"));
    EXPECT_EQ(Edit("E_COUNT")->text(), QStringLiteral("27"));
    Edit("E_HEIGHT")->setText(QStringLiteral("x"));
    EXPECT_EQ(form_.LBL_FORMAT->text(), QStringLiteral("Cols : 3,  Rows:9"));
    EXPECT_EQ(Edit("E_COUNT")->text(), QStringLiteral("27"));

    struct Row {
        TSheetGrid Grid;
        QSizeF Area;
        int Cols, Rows;
        const char* Why;
    } rows[] = {
        {{}, {200, 287}, 3, 9, "the worked example"},
        {{40, 20, 10, 10, 10, 10, 0, 0}, {200, 287}, 4, 13, "no spaces: 10+4*40=170 < 190"},
        {{40, 20, 10, 10, 10, 10, 10, 10}, {60, 40}, 0, 0, "the box touches the right margin"},
        {{0, 0, 0, 0, 0, 0, 0, 0}, {200, 287}, 0, 0, "no step: nothing, not an endless count"},
    };
    for (const Row& row : rows) {
        const TGridSize size = SheetGridSize(row.Grid, row.Area);
        EXPECT_EQ(size.Cols, row.Cols) << row.Why;
        EXPECT_EQ(size.Rows, row.Rows) << row.Why;
    }
}

// "Use next method" with count 3 prints 0001, 0002, 0003 and leaves 0001; the pages follow the
// grid.
TEST_F(EanSetupTest, PrintsWithTheNextMethod) {
    target_.SetTypBarCode(TTypBarCode::bc25Industrial);
    target_.SetBarCode("0001");
    Reload();
    std::vector<std::string> printed;
    std::vector<TRect> boxes;
    form_.EAN().OnPaint = [&](TCustomEAN&, const TRect& r, const std::string& text) {
        printed.push_back(text);
        boxes.push_back(r);
    };
    TempDir dir;
    QPdfWriter pdf(QString::fromStdString(dir.file("lap.pdf")));
    pdf.setResolution(254); // 10 dots per mm
    pdf.setPageSize(QPageSize(QSizeF(100, 60), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&pdf);
    // 100 × 60 mm: one column, one row of 40 × 20 boxes per page.
    form_.PrintBarCodes(pdf, painter, 3, true);
    painter.end();
    EXPECT_EQ(printed, (std::vector<std::string>{"0001", "0002", "0003"}));
    EXPECT_EQ(form_.EAN().BarCode(), "0001");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].Left, 100);
    EXPECT_EQ(boxes[0].Top, 100);
    EXPECT_EQ(boxes[2].Top, 100) << "a new page starts at the top margin";

    // Without "next" every copy is the same text.
    printed.clear();
    QPdfWriter pdf2(QString::fromStdString(dir.file("lap2.pdf")));
    QPainter painter2(&pdf2);
    form_.PrintBarCodes(pdf2, painter2, 2, false);
    EXPECT_EQ(printed, (std::vector<std::string>{"0001", "0001"}));
}

// "&Print" asks for the printer; cancelling prints nothing and keeps the text.
TEST_F(EanSetupTest, PrintCancelled) {
    const std::string before = form_.EAN().BarCode();
    modal_.ExpectPrinter(std::nullopt);
    Click("BitBtn1");
    modal_.Verify();
    EXPECT_EQ(form_.EAN().BarCode(), before);
}

// "&Print" prints on what the printer dialog chose: "Print to file" writes the sheet there.
TEST_F(EanSetupTest, PrintsToTheFileChosenInTheDialog) {
    TempDir dir;
    TPrintChoice choice;
    choice.OutputFile = QString::fromStdString(dir.file("vonalkodok.pdf"));
    modal_.ExpectPrinter(choice);
    Click("BitBtn1");
    modal_.Verify();
    QFile pdf(choice.OutputFile);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

// The catalogue export through the save dialog, for the target barcode.
TEST_F(EanSetupTest, ExportToHtml) {
    TempDir dir;
    const QString page = QString::fromStdString(dir.file("katalogus.html"));
    modal_.ExpectSaveFile(page, [](const TFileDialogOptions& o) {
        EXPECT_EQ(o.DefaultExt, QStringLiteral("html"));
        EXPECT_EQ(o.Filter, QStringLiteral("HTML file|*.htm;*.html"));
    });
    Click("BitBtn3");
    modal_.Verify();
    EXPECT_TRUE(QFile::exists(page));
    modal_.ExpectSaveFile(std::nullopt);
    Click("BitBtn3");
}

// ShowEditor: modal through the seam, on the page asked for by name in any case.
TEST(EanSetupEditor, OpensOnThePageNamed) {
    ScriptedModal modal;
    TEan target;
    modal.ExpectModal(QStringLiteral("EANSetupFmt"), 1, [](QObject& w) {
        auto& form = static_cast<TEANSetupFmt&>(w);
        EXPECT_EQ(form.ZAL->currentWidget()->objectName(), QStringLiteral("SHEET_PRINT"));
        form.findChild<QCheckBox*>(QStringLiteral("ShowLabels"))->click();
        form.findChild<QPushButton*>(QStringLiteral("BtnOk"))->click();
        return form.result();
    });
    EXPECT_EQ(ShowEditor(target, modal, QStringLiteral("sheet_print")), QDialog::Accepted);
    EXPECT_FALSE(target.ShowLabels());
}

// Each page drawn offscreen for a look (EanSetup-*.png beside the test program).
QString PictureFile(const QString& suffix) {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/EanSetup-%1.png").arg(suffix);
}

TEST_F(EanSetupTest, Pictures) {
    form_.show();
    for (int i = 0; i < form_.ZAL->count(); ++i) {
        form_.ZAL->setCurrentIndex(i);
        const QImage image = form_.grab().toImage();
        EXPECT_FALSE(image.isNull());
        image.save(PictureFile(QString::number(i)));
    }
    // The first page with each two-dimensional type's settings.
    form_.ZAL->setCurrentIndex(0);
    for (TTypBarCode type :
         {TTypBarCode::bcQRCode, TTypBarCode::bcDataMatrix, TTypBarCode::bcPDF417, TTypBarCode::bcAztec}) {
        Choose(form_.CBTyp, int(type));
        const QImage image = form_.grab().toImage();
        EXPECT_FALSE(image.isNull());
        image.save(PictureFile(QString::fromLatin1(BarCodeTypeIdent(type).data())));
    }
    form_.hide();
}

} // namespace
} // namespace etikor
