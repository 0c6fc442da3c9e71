// The run from a linked worksheet up to the hand-over: the skip count's checks and messages,
// the question's count with blank places, the sequence ordered by the first column.

#include "printing/LinkedRun.h"

#include "MemDataSet.h"
#include "printing/LabelReport.h"
#include "support/ScriptedModal.h"

#include <gtest/gtest.h>

namespace etikor {
namespace {

using test::MemDataSet;
using test::ScriptedModal;

const QString kPrompt = QString::fromUtf8("Hány darab címkehelyet hagy ki?");

std::unique_ptr<MemDataSet> Sheet(int records) {
    std::vector<std::vector<TVariant>> rows;
    for (int i = 0; i < records; ++i)
        rows.push_back({TVariant("K" + std::to_string((i * 7) % records)), TVariant(i)});
    auto data = std::make_unique<MemDataSet>(
        TFieldDefs{{"Kod", TFieldType::ftString, 10}, {"Sor", TFieldType::ftInteger, 0}}, std::move(rows));
    data->Open();
    return data;
}

TEST(LinkedRun, SkipCountsAndTheQuestion) {
    struct Row {
        const char* answer;
        int records;
        const char* error;    // empty: asked to start
        const char* question; // the count in the question
    };
    const Row rows[] = {
        {"abc", 10, "abc nem szám!", ""},
        {"49", 10, "49 túl nagy szám! (Max.: 48)", ""},
        {"48", 10, "", "Indulhat 58 db. cimke nyomtatása?"},
        {"3", 10, "", "Indulhat 13 db. cimke nyomtatása?"},
        {"-3", 10, "", "Indulhat 10 db. cimke nyomtatása?"},
        {"0", 0, "", "Indulhat 1 db. cimke nyomtatása?"}, // an empty sheet still asks for one
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        auto sheet = Sheet(row.records);
        ScriptedModal modal;
        modal.ExpectInputBox(kPrompt, QString::fromUtf8(row.answer));
        if (*row.error)
            modal.ExpectMessage("H", QString::fromUtf8(row.error));
        else
            modal.ExpectMessage("K", QString::fromUtf8(row.question), true);
        const auto sequence = PrepareLinkedRun(*sheet, modal, true);
        EXPECT_EQ(sequence != nullptr, *row.error == 0);
        modal.Verify();
    }
}

TEST(LinkedRun, NoOrCancelEndsTheRunAndPreviewAsksNothing) {
    auto sheet = Sheet(2);
    {
        ScriptedModal modal;
        modal.ExpectInputBox(kPrompt, QString("1"));
        modal.ExpectMessage("K", QString::fromUtf8("Indulhat 3 db. cimke nyomtatása?"), false);
        EXPECT_EQ(PrepareLinkedRun(*sheet, modal, true), nullptr);
    }
    {
        ScriptedModal modal;
        modal.ExpectInputBox(kPrompt, std::nullopt);
        EXPECT_EQ(PrepareLinkedRun(*sheet, modal, true), nullptr);
    }
    {
        ScriptedModal modal;
        modal.ExpectInputBox(kPrompt, QString("1"));
        const auto sequence = PrepareLinkedRun(*sheet, modal, false);
        ASSERT_NE(sequence, nullptr);
        EXPECT_EQ(sequence->RecordCount(), 3);
    }
}

TEST(LinkedRun, BlankPlacesThenTheRecordsByTheirFirstColumn) {
    auto sheet = Sheet(5); // K0, K2, K4, K1, K3
    ScriptedModal modal;
    modal.ExpectInputBox(kPrompt, QString("2"));
    const auto sequence = PrepareLinkedRun(*sheet, modal, false);
    ASSERT_NE(sequence, nullptr);
    std::vector<std::string> order;
    for (sequence->First(); !sequence->Eof(); sequence->Next())
        order.push_back(IsBlankPlace(*sequence) ? "_" : sequence->Fields(0).AsString());
    EXPECT_EQ(order, (std::vector<std::string>{"_", "_", "K0", "K1", "K2", "K3", "K4"}));
    // The worksheet keeps its own order.
    sheet->First();
    EXPECT_EQ(sheet->Fields(0).AsString(), "K0");
    sheet->Next();
    EXPECT_EQ(sheet->Fields(0).AsString(), "K2");
    EXPECT_EQ(sheet->RecordCount(), 5);
}

} // namespace
} // namespace etikor
