#include "document/LabelTemplate.h"

#include "data/Cp1250.h"
#include "data/Cp1250Text.h"
#include "document/ShippedFiles.h"
#include "support/TempDir.h"
#include "tablestore/StoreTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

namespace etikor {
namespace {

using test::ReadFileBytes;
using test::TempDir;

// Every field of every row, by element name: null or the field's text.
using RowImage = std::vector<std::string>;
std::map<std::string, RowImage> Rows(const std::string& path) {
    TStoreTable t;
    t.SetTableName(path);
    t.Open();
    std::map<std::string, RowImage> rows;
    for (t.First(); !t.Eof(); t.Next()) {
        RowImage row;
        for (int i = 0; i < t.FieldCount(); ++i)
            row.push_back(t.Fields(i).IsNull() ? std::string("<null>") : t.Fields(i).AsString());
        rows[t.FieldByName("Elemnev").AsString()] = row;
    }
    return rows;
}

std::set<std::string> ChangedFields(const RowImage& before, const RowImage& after) {
    std::set<std::string> changed;
    for (size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i])
            changed.insert(ElemekFieldDefs()[i].Name);
    return changed;
}

// Records what the template tells its listeners.
struct Recorder final : TTemplateListener {
    std::vector<std::string> Events;
    void TemplateReplaced() override { Events.push_back("replaced"); }
    void PageChanged() override { Events.push_back("page"); }
    void ElementAdded(const TLabelElement& e) override { Events.push_back("added " + e.Name.toStdString()); }
    void ElementChanged(const TLabelElement& e, TElementChange c) override {
        Events.push_back("changed " + e.Name.toStdString() + " " + std::to_string(static_cast<int>(c)));
    }
    void ElementRemoved(const QString& name) override { Events.push_back("removed " + name.toStdString()); }
};

// One row of each kind and every form a stored font takes: the program's own descriptor, a
// colour without a name, a hand-made descriptor with semicolons and lower-case styles, and one
// whose colour is no colour; texts with accented letters and a byte the code page leaves
// undefined; fields the program never writes for a kind left null.
class LabelTemplateTest : public testing::Test {
protected:
    LabelTemplateTest() {
        TStoreTable t;
        t.FieldDefs = ElemekFieldDefs();
        t.Open();
        AppendPageSetupRow(t, TPageSetup{});
        auto element = [&](TElemKind kind, const char* name, TPixelRect px, const std::string& betu,
                           const std::string& forras, const std::string& fertek,
                           TShapeCode shape = stRectangle) {
            AppendElementRow(t, kind, name, px, shape);
            t.Edit();
            t.FieldByName("Betu").SetAsString(betu);
            t.FieldByName("Forras").SetAsString(forras);
            t.FieldByName("FErtek").SetAsString(fertek);
            t.Post();
        };
        element(TElemKind::ekText, "Szoveg_1", {10, 10, 40, 12}, "Arial,8,,0,clWindowText,1", "",
                Utf8ToCp1250("Árvíztűrő tükörfúrógép") + "\x81");
        element(TElemKind::ekText, "Szoveg_3", {10, 30, 40, 12}, "Times New Roman;12;bi", "Vonalkod1", "x");
        element(TElemKind::ekText, "Szoveg_4", {10, 50, 40, 12}, "Courier New,10,BU,1,$00123456,238",
                DateTimeCodeSource(6), "01.02.2026");
        element(TElemKind::ekText, "Szoveg_5", {10, 70, 40, 12}, "Arial,9,,0,nocolour,1", "", "rossz");
        element(TElemKind::ekBarcode, "Vkod_1", {60, 10, 150, 50}, "Arial,8,,0,$000000FF,1", "", "12345678");
        element(TElemKind::ekPicture, "Kep_1", {170, 10, 40, 30}, "", "C:\\kep.bmp", "C:\\kep.bmp");
        element(TElemKind::ekDrawing, "Rajz_1", {170, 60, 60, 60}, "", "", "", stCircle);
        t.SaveTable(Path());
        table_.SetTableName(Path());
        table_.SetIndexFieldNames("Elemnev");
        table_.Open();
        model_.AddListener(&recorder_);
        model_.Load();
    }

    std::string Path() const { return dir_.file("t.ctv"); }
    const TLabelElement& Element(const char* name) {
        const TLabelElement* e = model_.Find(QString::fromLatin1(name));
        EXPECT_NE(e, nullptr) << name;
        return *e;
    }

    TempDir dir_;
    TStoreTable table_;
    TLabelTemplate model_{table_};
    Recorder recorder_;
};

TEST_F(LabelTemplateTest, DecodesEveryRow) {
    EXPECT_EQ(recorder_.Events, std::vector<std::string>{"replaced"});
    ASSERT_TRUE(model_.HasPageSetup());
    EXPECT_DOUBLE_EQ(model_.PageSetup().LabelWidthMm, 62.5);
    EXPECT_EQ(model_.PageSetupRow().Name, QStringLiteral("Oldalbeall"));
    // In the table's order, which is by name; the page-setup row is no element.
    std::vector<QString> names;
    for (const TLabelElement& e : model_.Elements())
        names.push_back(e.Name);
    EXPECT_EQ(names, (std::vector<QString>{"Kep_1", "Rajz_1", "Szoveg_1", "Szoveg_3", "Szoveg_4", "Szoveg_5",
                                           "Vkod_1"}));

    const TLabelElement& text = Element("Szoveg_1");
    EXPECT_EQ(text.Kind, TElemKind::ekText);
    EXPECT_EQ(text.Value, QStringLiteral("Árvíztűrő tükörfúrógép\u0081"));
    EXPECT_EQ(text.Font.Name(), "Arial");
    EXPECT_EQ(text.Font.Color(), clWindowText);
    EXPECT_EQ(text.Alignment, TAlignment::taLeftJustify);
    EXPECT_EQ(text.Px.Top, 10);

    const TLabelElement& handMade = Element("Szoveg_3");
    EXPECT_EQ(handMade.Font.Name(), "Times New Roman");
    EXPECT_EQ(handMade.Font.Size(), 12);
    EXPECT_EQ(handMade.Font.Style(), fsBold | fsItalic);
    EXPECT_TRUE(handMade.HasSource());

    const TLabelElement& coloured = Element("Szoveg_4");
    EXPECT_EQ(coloured.Font.Color(), TColor(0x00123456));
    EXPECT_EQ(coloured.Font.Charset(), 238);
    EXPECT_EQ(coloured.Source, QStringLiteral("[06]D: NN.HH.ÉÉÉÉ"));

    // The fields before the colour apply; the character set stays a new control's.
    const TLabelElement& damaged = Element("Szoveg_5");
    EXPECT_EQ(damaged.Font.Size(), 9);
    EXPECT_EQ(damaged.Font.Charset(), kDefaultCharset);

    const TLabelElement& barcode = Element("Vkod_1");
    EXPECT_EQ(barcode.TypeIndex, kNewBarcodeIndex);
    EXPECT_TRUE(barcode.ShowValue);
    EXPECT_TRUE(barcode.StartStop);
    EXPECT_EQ(barcode.Font.Color(), clRed);
    EXPECT_EQ(Element("Rajz_1").TypeIndex, stCircle);
    EXPECT_EQ(Element("Kep_1").Source, QStringLiteral("C:\\kep.bmp"));
}

// Opening a template and writing it back, or writing every element's decoded values back
// through the edit operations, leaves the file byte for byte as it was.
TEST_F(LabelTemplateTest, UnchangedValuesWriteTheSameFile) {
    const std::string before = ReadFileBytes(Path());
    ASSERT_FALSE(before.empty());
    model_.Save();
    EXPECT_EQ(ReadFileBytes(Path()), before);

    const std::vector<TLabelElement> elements = model_.Elements();
    for (const TLabelElement& e : elements) {
        SCOPED_TRACE(e.Name.toStdString());
        ASSERT_TRUE(model_.SetValue(e.Name, e.Source, e.Value));
        ASSERT_TRUE(model_.SetRotation(e.Name, e.Rotation));
        if (e.Kind == TElemKind::ekBarcode) {
            ASSERT_TRUE(model_.SetBarcode(e.Name, e.TypeIndex, e.ShowValue, e.StartStop));
        }
        if (e.Kind == TElemKind::ekText) {
            ASSERT_TRUE(model_.SetAlignment(e.Name, e.Alignment));
        }
    }
    // Fonts in the program's own form are written back as they were read.
    for (const char* name : {"Szoveg_1", "Szoveg_4"})
        ASSERT_TRUE(model_.SetFont(QString::fromLatin1(name), Element(name).Font));
    model_.SetPageSetup(model_.PageSetup());
    EXPECT_EQ(ReadFileBytes(Path()), before);
}

// The shipped default template survives the same round trip.
TEST(LabelTemplateShipped, DefaultTemplateRoundTrip) {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    WriteDefaultSet(folder);
    const std::string path = dir.file("Sorozat0.ctv");
    const std::string before = ReadFileBytes(path);
    ASSERT_FALSE(before.empty());
    TStoreTable table;
    table.SetTableName(path);
    table.SetIndexFieldNames("Elemnev");
    table.Open();
    TLabelTemplate model(table);
    model.Load();
    EXPECT_TRUE(model.HasPageSetup());
    EXPECT_TRUE(model.Elements().empty());
    model.SetPageSetup(model.PageSetup());
    model.Save();
    EXPECT_EQ(ReadFileBytes(path), before);
}

// Each edit writes its own fields of its own row to the file at once, and nothing else, and
// tells the listeners which element changed in which way.
TEST_F(LabelTemplateTest, EditsWriteTheirFieldsAtOnce) {
    TFont bold = Element("Szoveg_1").Font;
    bold.SetStyle(fsBold);
    const struct {
        const char* Element;
        std::function<bool()> Edit;
        std::set<std::string> Fields;
        TElementChange Change;
    } cases[] = {
        {"Szoveg_1",
         [&] { return model_.SetValue(QStringLiteral("Szoveg_1"), {}, QStringLiteral("Új érték")); },
         {"FErtek"},
         TElementChange::ecValue},
        {"Szoveg_3",
         [&] { return model_.SetValue(QStringLiteral("Szoveg_3"), {}, QStringLiteral("x")); },
         {"Forras"},
         TElementChange::ecValue},
        {"Szoveg_1",
         [&] { return model_.SetFont(QStringLiteral("Szoveg_1"), bold); },
         {"Betu"},
         TElementChange::ecFont},
        {"Szoveg_1",
         [&] { return model_.SetRotation(QStringLiteral("Szoveg_1"), 3); },
         {"Forgat"},
         TElementChange::ecRotation},
        {"Szoveg_1",
         [&] { return model_.SetAlignment(QStringLiteral("Szoveg_1"), TAlignment::taRightJustify); },
         {"Tajolas"},
         TElementChange::ecAlignment},
        {"Vkod_1",
         [&] { return model_.SetBarcode(QStringLiteral("Vkod_1"), 9, false, true); },
         {"Vk_index", "VErtek"},
         TElementChange::ecBarcode},
        // x = 45 at zoom 2 is 22.5 stored pixels, which rounds to even.
        {"Rajz_1",
         [&] {
             return model_.SetScreenGeometry(QStringLiteral("Rajz_1"), {45, 120, 120, 120}, 2);
         },
         {"Left_px", "Left_mm", "Top_mm", "Width_mm", "Height_mm"},
         TElementChange::ecGeometry},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Element + std::string(" ") + *c.Fields.begin());
        const auto before = Rows(Path());
        recorder_.Events.clear();
        ASSERT_TRUE(c.Edit());
        const auto after = Rows(Path());
        for (const auto& [name, row] : before)
            EXPECT_EQ(ChangedFields(row, after.at(name)),
                      name == c.Element ? c.Fields : std::set<std::string>{})
                << name;
        EXPECT_EQ(recorder_.Events, std::vector<std::string>{"changed " + std::string(c.Element) + " " +
                                                             std::to_string(static_cast<int>(c.Change))});
    }
    EXPECT_EQ(Element("Szoveg_1").Value, QStringLiteral("Új érték"));
    EXPECT_EQ(Element("Szoveg_1").Font.Style(), fsBold);
    EXPECT_EQ(Element("Szoveg_1").Rotation, 3);
    EXPECT_EQ(Element("Vkod_1").TypeIndex, 9);
    const TLabelElement& shape = Element("Rajz_1");
    EXPECT_EQ(shape.Px.Left, 22);
    EXPECT_DOUBLE_EQ(shape.Mm.Left, 45 * 100.0 / 200 / 96 * 25.4);
    // A name that is not in the template changes nothing.
    EXPECT_FALSE(model_.SetRotation(QStringLiteral("Szoveg_9"), 1));
}

// A new element takes the first free name of its kind (four texts loaded, so 5 is tried and
// taken, then 6), starts with the values of a new element, is written at once and takes its
// place in the table's order.
TEST_F(LabelTemplateTest, AddAndRemoveElements) {
    recorder_.Events.clear();
    const QString name = model_.AddElement(TElemKind::ekText, {5, 6, 60, 12});
    EXPECT_EQ(name, QStringLiteral("Szoveg_6"));
    EXPECT_EQ(recorder_.Events, std::vector<std::string>{"added Szoveg_6"});
    const TLabelElement& added = Element("Szoveg_6");
    EXPECT_EQ(added.Value, name);
    EXPECT_EQ(added.Font.Name(), "Arial");
    EXPECT_EQ(added.Px.Width, 60);
    EXPECT_TRUE(Rows(Path()).contains("Szoveg_6"));
    // The elements keep the order of the table's rows.
    std::vector<QString> tableOrder;
    for (table_.First(); !table_.Eof(); table_.Next()) {
        const std::string rowName = table_.FieldByName("Elemnev").AsString();
        if (rowName != kPageSetupName)
            tableOrder.push_back(QString::fromStdString(rowName));
    }
    std::vector<QString> modelOrder;
    for (const TLabelElement& e : model_.Elements())
        modelOrder.push_back(e.Name);
    EXPECT_EQ(modelOrder, tableOrder);

    EXPECT_EQ(model_.AddElement(TElemKind::ekDrawing, {0, 0, 60, 50}, stEllipse), QStringLiteral("Rajz_2"));
    EXPECT_EQ(Element("Rajz_2").TypeIndex, stEllipse);

    recorder_.Events.clear();
    EXPECT_TRUE(model_.Remove(QStringLiteral("Szoveg_3")));
    EXPECT_FALSE(model_.Remove(QStringLiteral("Szoveg_3")));
    EXPECT_EQ(recorder_.Events, std::vector<std::string>{"removed Szoveg_3"});
    EXPECT_EQ(model_.Find(QStringLiteral("Szoveg_3")), nullptr);
    EXPECT_FALSE(Rows(Path()).contains("Szoveg_3"));
    EXPECT_EQ(Rows(Path()).size(), 9u);
}

// Every kind of edit, each undone in turn, gives back the file byte for byte; redone, the edited
// file. Edits inside one group are one step; an edit that changes nothing is no step; the table
// keeps its order by name after a restore.
TEST_F(LabelTemplateTest, UndoAndRedoGiveBackTheFile) {
    const std::string original = ReadFileBytes(Path());
    std::vector<std::string> files{original};
    const std::vector<std::function<void()>> edits = {
        [&] {
            model_.AddElement(TElemKind::ekBarcode, {10, 10, 150, 80});
        },
        [&] {
            model_.SetScreenGeometry(QStringLiteral("Szoveg_1"), {20, 22, 41, 13}, 2);
        },
        [&] { model_.Remove(QStringLiteral("Kep_1")); },
        [&] { model_.SetValue(QStringLiteral("Szoveg_3"), QString(), QStringLiteral("Érték")); },
        [&] { model_.SetRotation(QStringLiteral("Vkod_1"), 3); },
        [&] { model_.SetAlignment(QStringLiteral("Szoveg_3"), TAlignment::taCenter); },
        [&] { model_.SetBarcode(QStringLiteral("Vkod_1"), 9, false, true); },
        [&] {
            TPageSetup setup = model_.PageSetup();
            setup.LabelWidthMm = 80;
            model_.SetPageSetup(setup);
        },
        [&] {
            TLabelTemplate::TEditGroup group(model_, QStringLiteral("kettő"));
            model_.SetRotation(QStringLiteral("Szoveg_1"), 1);
            model_.SetAlignment(QStringLiteral("Szoveg_1"), TAlignment::taRightJustify);
        },
    };
    for (const auto& edit : edits) {
        edit();
        files.push_back(ReadFileBytes(Path()));
    }
    EXPECT_EQ(model_.History().UndoHint(), QStringLiteral("kettő"));
    // Writing what a row already holds is no step.
    model_.SetRotation(QStringLiteral("Szoveg_1"), 1);
    EXPECT_EQ(model_.History().UndoHint(), QStringLiteral("kettő"));

    recorder_.Events.clear();
    for (size_t i = edits.size(); i > 0; --i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(model_.Undo());
        EXPECT_EQ(ReadFileBytes(Path()), files[i - 1]);
    }
    EXPECT_FALSE(model_.Undo());
    EXPECT_EQ(ReadFileBytes(Path()), original);
    EXPECT_NE(model_.Find(QStringLiteral("Kep_1")), nullptr);
    EXPECT_EQ(model_.Find(QStringLiteral("Vkod_2")), nullptr);
    EXPECT_EQ(recorder_.Events.front(), "replaced");
    for (size_t i = 1; i <= edits.size(); ++i) {
        ASSERT_TRUE(model_.Redo());
        EXPECT_EQ(ReadFileBytes(Path()), files[i]);
    }
    EXPECT_FALSE(model_.Redo());
    EXPECT_EQ(model_.PageSetup().LabelWidthMm, 80);
    // Still in order by name: with Kep_1 removed the page-setup row comes first.
    table_.First();
    EXPECT_EQ(table_.FieldByName("Elemnev").AsString(), "Oldalbeall");
    // Loading the template again forgets the history.
    model_.Load();
    EXPECT_FALSE(model_.History().CanUndo());
}

// A template without a page-setup row gains one when asked, written to its file; the page
// setup then changes in place.
TEST_F(LabelTemplateTest, PageSetupRow) {
    ASSERT_TRUE(LocatePageSetup(table_));
    table_.Delete();
    table_.SaveTable(Path());
    model_.Load();
    EXPECT_FALSE(model_.HasPageSetup());
    EXPECT_TRUE(model_.PageSetupRow().Name.isEmpty());
    TPageSetup setup;
    setup.LabelWidthMm = 40;
    recorder_.Events.clear();
    EXPECT_TRUE(model_.EnsurePageSetup(setup));
    EXPECT_FALSE(model_.EnsurePageSetup(setup));
    EXPECT_EQ(recorder_.Events, std::vector<std::string>{"page"});
    EXPECT_TRUE(Rows(Path()).contains("Oldalbeall"));
    EXPECT_DOUBLE_EQ(model_.PageSetup().LabelWidthMm, 40);

    setup.Columns = 4;
    setup.LabelHeightMm = 20;
    model_.SetPageSetup(setup);
    TStoreTable reread;
    reread.SetTableName(Path());
    reread.Open();
    ASSERT_TRUE(LocatePageSetup(reread));
    EXPECT_EQ(ReadPageSetup(reread).Columns, 4);
    EXPECT_DOUBLE_EQ(model_.PageSetupRow().Mm.Height, 20);
    // The elements are still all there.
    EXPECT_EQ(model_.Elements().size(), 7u);
}

// The one conversion between stored bytes and window text keeps every byte, the five the code
// page leaves undefined included; a character the code page lacks becomes '?'.
TEST(Cp1250Text, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(ToCp1250(FromCp1250(all)), all);
    EXPECT_EQ(FromCp1250("\xC1rv\xEDzt\xFBr\xF5"), QStringLiteral("Árvíztűrő"));
    EXPECT_EQ(ToCp1250(QStringLiteral("x€y日")), "x\x80y?");
}

// A closed table is an empty template.
TEST(LabelTemplateClosed, ClosedTableIsEmpty) {
    TStoreTable table;
    TLabelTemplate model(table);
    model.Load();
    EXPECT_FALSE(model.HasPageSetup());
    EXPECT_TRUE(model.Elements().empty());
    EXPECT_FALSE(model.SetValue(QStringLiteral("Szoveg_1"), {}, {}));
}

} // namespace
} // namespace etikor
