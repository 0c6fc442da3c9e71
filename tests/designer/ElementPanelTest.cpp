#include "designer/ElementPanel.h"

#include "designer/LabelCanvas.h"
#include "designer/SetupTabs.h"
#include "ui/PageSetupFields.h"

#include "support/Named.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

namespace etikor {
namespace {

TLabelElement Element(TElemKind kind, const char* source) {
    TLabelElement e;
    e.Kind = kind;
    e.Name = QStringLiteral("X_1");
    e.Source = QString::fromLatin1(source);
    e.Value = QStringLiteral("érték");
    e.Rotation = 2;
    e.Alignment = TAlignment::taCenter;
    e.TypeIndex = 9;
    e.ShowValue = true;
    e.Mm = {1.5, 2.25, 30, 10};
    return e;
}

// A barcode's value its type cannot encode is explained below the value box while it is typed;
// the box keeps the value; texts have no such check.
TEST(ElementPanel, ExplainsABarcodeValueItsTypeCannotEncode) {
    TElementPanel panel;
    auto* problem = test::Named<QLabel>(panel, "ErtekHiba");
    auto* value = test::Named<QLineEdit>(panel, "Ertek");
    TLabelElement barcode = Element(TElemKind::ekBarcode, "");
    barcode.Value = QStringLiteral("ABC-xy"); // type 9: Ean 13
    panel.ShowSelection(barcode);
    EXPECT_EQ(problem->text(), QStringLiteral("EAN-13: 12 számjegy kell, ellenőrző számjeggyel 13"));
    EXPECT_FALSE(problem->isHidden());
    EXPECT_EQ(value->text(), QStringLiteral("ABC-xy"));
    value->setText(QStringLiteral("400638133393"));
    EXPECT_TRUE(problem->isHidden());
    value->setText(QStringLiteral("4006381333931 1"));
    EXPECT_EQ(problem->text(),
              QStringLiteral("EAN-13: 12 számjegy kell, ellenőrző számjeggyel 13; kiegészítővel "
                             "ezután szóköz és 2 vagy 5 számjegy"));

    // The type decides: Code 128 takes it.
    value->setText(QStringLiteral("ABC-xy"));
    auto* types = test::Named<QComboBox>(panel, "cb_VkTNev");
    types->setCurrentIndex(5);
    emit types->activated(5);
    EXPECT_TRUE(problem->isHidden());

    panel.ShowSelection(Element(TElemKind::ekText, ""));
    value->setText(QStringLiteral("ABC-xy"));
    EXPECT_TRUE(problem->isHidden());
}

// What a selected element of each kind allows on the element tab: a text with a fixed value is
// rotated, one with a source aligned; pictures and drawings are neither and their value is not
// typed; only barcodes show the barcode panel. Controls whose behaviour is not built (rotation,
// alignment, the date and picture buttons) stay disabled whatever the selection allows.
TEST(ElementPanel, SelectionByKind) {
    const struct {
        TElemKind Kind;
        const char* Source;
        bool Rotation;
        bool Alignment;
        bool ReadOnly;
        bool DateButtonShown;
        bool BarcodePanel;
    } rows[] = {
        {TElemKind::ekText, "", true, false, false, true, false},
        {TElemKind::ekText, "Vonalkod1", false, true, false, true, false},
        {TElemKind::ekBarcode, "", true, false, false, true, true},
        {TElemKind::ekPicture, "C:\\kep.bmp", false, false, true, false, false},
        {TElemKind::ekDrawing, "", false, false, true, false, false},
    };
    TElementPanel panel;
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.Kind));
        const TLabelElement e = Element(row.Kind, row.Source);
        panel.ShowSelection(e);
        EXPECT_EQ(panel.RotationAllowed(), row.Rotation);
        EXPECT_EQ(panel.AlignmentAllowed(), row.Alignment);
        EXPECT_EQ(test::Named<QComboBox>(panel, "cb_Elforgat")->isEnabled(), row.Rotation);
        EXPECT_EQ(test::Named<QToolButton>(panel, "sbKozepre")->isEnabled(), row.Alignment);
        EXPECT_TRUE(test::Named<QToolButton>(panel, "sbKozepre")->isChecked());
        EXPECT_EQ(test::Named<QComboBox>(panel, "cb_Elforgat")->currentIndex(), 2);
        EXPECT_EQ(test::Named<QLineEdit>(panel, "Ertek")->isReadOnly(), row.ReadOnly);
        EXPECT_EQ(test::Named<QLineEdit>(panel, "Ertek")->text(), QStringLiteral("érték"));
        EXPECT_EQ(panel.PendingSource(), e.Source);
        EXPECT_EQ(!test::Named<QToolButton>(panel, "DtGomb")->isHidden(), row.DateButtonShown);
        EXPECT_EQ(!test::Named<QGroupBox>(panel, "gbVonalkod")->isHidden(), row.BarcodePanel);
        // The date/time and field buttons work for texts and barcodes, the file button for pictures.
        EXPECT_EQ(test::Named<QToolButton>(panel, "DtGomb")->isEnabled(), row.DateButtonShown);
        EXPECT_EQ(test::Named<QToolButton>(panel, "EMezoGomb")->isEnabled(), row.DateButtonShown);
        EXPECT_EQ(test::Named<QToolButton>(panel, "EFileGomb")->isEnabled(),
                  row.Kind == TElemKind::ekPicture);
    }
    EXPECT_EQ(test::Named<QComboBox>(panel, "cb_VkTNev")->currentIndex(), 9);
    EXPECT_TRUE(test::Named<QCheckBox>(panel, "cbVonalkodErtek")->isChecked());

    panel.ShowRow(Element(TElemKind::ekText, ""));
    EXPECT_EQ(test::Named<QLineEdit>(panel, "ElemNev_edit")->text(), QStringLiteral("X_1"));
    EXPECT_EQ(test::Named<QLineEdit>(panel, "Top_edit")->text(), QStringLiteral("2.25"));

    panel.ShowNoSelection();
    EXPECT_FALSE(panel.RotationAllowed());
    EXPECT_FALSE(panel.AlignmentAllowed());
    EXPECT_FALSE(test::Named<QComboBox>(panel, "cb_Elforgat")->isEnabled());
    EXPECT_EQ(test::Named<QComboBox>(panel, "cb_Elforgat")->currentIndex(), 0);
    EXPECT_FALSE(test::Named<QToolButton>(panel, "sbBalra")->isEnabled());
    EXPECT_TRUE(test::Named<QLineEdit>(panel, "Ertek")->text().isEmpty());
    EXPECT_TRUE(test::Named<QGroupBox>(panel, "gbVonalkod")->isHidden());
    EXPECT_TRUE(test::Named<QListWidget>(panel, "DtLista")->isHidden());
}

// The field list shows the names without their padding.
TEST(ElementPanel, FieldList) {
    TElementPanel panel;
    panel.ShowFieldList(
        {{FieldListName("Vonalkod1"), "ftString", 128}, {FieldListName("Tipus1"), "ftInteger", 0}});
    ASSERT_EQ(test::Named<QTableWidget>(panel, "Mezok")->rowCount(), 2);
    EXPECT_EQ(test::Named<QTableWidget>(panel, "Mezok")->item(0, 0)->text(), QStringLiteral("Vonalkod1"));
    EXPECT_EQ(test::Named<QTableWidget>(panel, "Mezok")->item(1, 1)->text(), QStringLiteral("ftInteger"));
    EXPECT_EQ(test::Named<QTableWidget>(panel, "Mezok")->item(0, 2)->text(), QStringLiteral("128"));
}

// The page and label tabs show a page setup through one set of fields; A4 sets the page size.
TEST(SetupTabs, ShowThePageSetup) {
    TPageSetup setup;
    setup.PageWidthMm = 100;
    setup.Columns = 4;
    setup.LabelWidthMm = 40.25;
    TPageTab page;
    TLabelTab label;
    const TPageSetupFields fields{
        test::Named<QDoubleSpinBox>(page, "OldalHossz"), test::Named<QDoubleSpinBox>(page, "OldalSzel"),
        test::Named<QDoubleSpinBox>(page, "Felsom"),     test::Named<QDoubleSpinBox>(page, "Balm"),
        test::Named<QDoubleSpinBox>(page, "Jobbm"),      test::Named<QDoubleSpinBox>(page, "Alsom"),
        test::Named<QDoubleSpinBox>(label, "CMagassag"), test::Named<QDoubleSpinBox>(label, "CSzeles"),
        test::Named<QSpinBox>(page, "COszlopok"),        test::Named<QDoubleSpinBox>(page, "CTerkoz")};
    fields.Show(setup);
    EXPECT_DOUBLE_EQ(test::Named<QDoubleSpinBox>(page, "OldalSzel")->value(), 100);
    EXPECT_EQ(test::Named<QSpinBox>(page, "COszlopok")->value(), 4);
    EXPECT_DOUBLE_EQ(test::Named<QDoubleSpinBox>(label, "CSzeles")->value(), 40.25);
    EXPECT_DOUBLE_EQ(fields.Read().LabelWidthMm, 40.25);
    EXPECT_EQ(fields.Read().Columns, 4);
    test::Named<QPushButton>(page, "A4Gomb")->click();
    EXPECT_DOUBLE_EQ(test::Named<QDoubleSpinBox>(page, "OldalSzel")->value(), 210);
    EXPECT_DOUBLE_EQ(test::Named<QDoubleSpinBox>(page, "OldalHossz")->value(), 297);
}

} // namespace
} // namespace etikor
