// The hand-over of a run: the checks before it, the printer dialog's preset page range, an
// empty data set's message and its sheet without labels in the preview, a cancelled printer
// dialog.

#include "printing/ui/LabelPrint.h"

#include "MemDataSet.h"
#include "printing/ui/PreviewForm.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QTest>

namespace etikor {
namespace {

using test::MemDataSet;
using test::ReadFileBytes;
using test::ScriptedModal;
using test::TempDir;

TEST(LabelPrint, TheUpperPageBoundIsPresetOnPagesNarrowerThan200mm) {
    struct Row {
        double width;
        int records;
        int from, to;
    };
    const Row rows[] = {{199.9, 13, 1, 13}, {200, 13, 0, 0}, {210, 5, 0, 0}, {100, 0, 1, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.width);
        const TPrintChoice preset = PrinterDialogPreset(row.records, row.width);
        EXPECT_EQ(preset.MinPage, 1);
        EXPECT_EQ(preset.MaxPage, std::max(row.records, 1));
        EXPECT_EQ(preset.FromPage, row.from);
        EXPECT_EQ(preset.ToPage, row.to);
    }
}

TLabelRun OneTextRun(TPrintMode mode) {
    TLabelRun run;
    TLabelElement text;
    text.Kind = TElemKind::ekText;
    text.Source = "Kod";
    text.Mm = {1, 1, 20, 5};
    run.Elements = {text};
    run.Mode = mode;
    return run;
}

TEST(LabelPrint, AnEmptyDataSetPreviewsOneSheetWithoutLabels) {
    MemDataSet empty({{"Kod", TFieldType::ftString, 10}});
    empty.Open();
    int pages = 0, items = -1;
    ScriptedModal modal;
    modal.ExpectMessage("I", QString::fromUtf8("Üres az adatforrás!"));
    modal.ExpectModal(QStringLiteral("PreviewForm"), 0, [&](QObject& window) {
        auto& preview = static_cast<TPreviewForm&>(window);
        while (preview.Preparing())
            QTest::qWait(1);
        pages = preview.PageCount();
        items = static_cast<int>(preview.Pages().Page(0).Items.size());
        return 0;
    });
    RunLabelPrint(OneTextRun(TPrintMode::pmPreview), empty, modal);
    modal.Verify();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(items, 0);
}

TEST(LabelPrint, ACancelledPrinterDialogPrintsNothing) {
    MemDataSet data({{"Kod", TFieldType::ftString, 10}}, {{TVariant("A")}});
    data.Open();
    ScriptedModal modal;
    modal.ExpectPrinter(std::nullopt);
    RunLabelPrint(OneTextRun(TPrintMode::pmPrint), data, modal);
    modal.Verify();
}

// A template whose page values the controls would never take stops before any dialog, naming
// the value; a bound field the data lacks is asked about, and No prints nothing.
TEST(LabelPrint, ChecksComeBeforeTheDialogs) {
    MemDataSet data({{"Kod", TFieldType::ftString, 10}}, {{TVariant("A")}});
    data.Open();
    {
        TLabelRun run = OneTextRun(TPrintMode::pmPrint);
        run.Page.LabelHeightMm = 0;
        ScriptedModal modal;
        modal.ExpectMessage("H", QString::fromUtf8("A sablon oldalbeállításával nem lehet nyomtatni:\r"
                                                   "„Címke magassága” értéke 0 mm, de csak 10 mm és 297 mm "
                                                   "között lehet."));
        RunLabelPrint(run, data, modal);
        modal.Verify();
    }
    TLabelRun run = OneTextRun(TPrintMode::pmPrint);
    run.Elements.front().Source = "Cikkszam";
    for (const bool printAnyway : {false, true}) {
        SCOPED_TRACE(printAnyway);
        ScriptedModal modal;
        modal.ExpectMessage(
            "K",
            QString::fromUtf8("Ezek a mezők nincsenek meg az adatforrásban, az értékük üresen "
                              "nyomtatódna: Cikkszam\rÍgy is nyomtat?"),
            printAnyway);
        if (printAnyway)
            modal.ExpectPrinter(std::nullopt);
        RunLabelPrint(run, data, modal);
        modal.Verify();
    }
}

// The printer dialog's choice reaches the device: "print to file" writes that PDF (and is not
// remembered as a printer); a queue that cannot be opened is named and nothing is printed.
TEST(LabelPrint, TheChosenPrinterOrFileGetsThePages) {
    MemDataSet data({{"Kod", TFieldType::ftString, 10}}, {{TVariant("A")}});
    data.Open();
    TempDir dir;
    TLabelRun run = OneTextRun(TPrintMode::pmPrint);
    QStringList remembered;
    run.PrinterChosen = [&](const QString& name) { remembered << name; };

    TPrintChoice toFile = PrinterDialogPreset(1, 210);
    toFile.OutputFile = QString::fromStdString(dir.file("cimkek.pdf"));
    ScriptedModal modal;
    modal.ExpectPrinter(toFile);
    RunLabelPrint(run, data, modal);
    modal.Verify();
    const std::string pdf = ReadFileBytes(dir.file("cimkek.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_TRUE(remembered.isEmpty());

    TPrintChoice missing = PrinterDialogPreset(1, 210);
    missing.PrinterName = QStringLiteral("Nincs_ilyen_nyomtato");
    modal.ExpectPrinter(missing).ExpectMessage(
        "H",
        QString::fromUtf8("A(z) „Nincs_ilyen_nyomtato” nyomtató nem nyitható meg, a nyomtatás elmarad."));
    RunLabelPrint(run, data, modal);
    modal.Verify();
    EXPECT_EQ(remembered, QStringList{QStringLiteral("Nincs_ilyen_nyomtato")});
}

} // namespace
} // namespace etikor
