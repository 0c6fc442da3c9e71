#include "document/LabelTemplate.h"

#include "data/Cp1250Text.h"
#include "tablestore/StoreCursor.h"
#include "tablestore/StoreTable.h"

#include <QCoreApplication>
#include <algorithm>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TLabelTemplateText {
    Q_DECLARE_TR_FUNCTIONS(TLabelTemplateText)
};
} // namespace

TTemplateListener::~TTemplateListener() = default;

TFont DecodeFontDescriptor(std::string_view betu) {
    TFont font;
    try {
        ApplyFontDescriptor(betu, font);
    } catch (const EConvertError&) {
    }
    return font;
}

namespace {

TMmRect ReadMm(const TDataSet& t) {
    return {t.FieldByName("Left_mm").AsFloat(), t.FieldByName("Top_mm").AsFloat(),
            t.FieldByName("Width_mm").AsFloat(), t.FieldByName("Height_mm").AsFloat()};
}

TLabelElement ReadElement(const TDataSet& t, TElemKind kind) {
    auto text = [&](std::string_view f) { return FromCp1250(t.FieldByName(f).AsString()); };
    auto integer = [&](std::string_view f) { return t.FieldByName(f).AsInteger(); };
    TLabelElement e;
    e.Kind = kind;
    e.Name = text("Elemnev");
    e.Source = text("Forras");
    e.Value = text("FErtek");
    e.Rotation = integer("Forgat");
    e.Font = DecodeFontDescriptor(t.FieldByName("Betu").AsString());
    e.Alignment = AlignmentFromLetter(t.FieldByName("Tajolas").AsString());
    e.TypeIndex = integer("Vk_index");
    e.ShowValue = t.FieldByName("VErtek").AsBoolean();
    e.StartStop = t.FieldByName("Startstop").AsBoolean();
    e.Mm = ReadMm(t);
    e.Px = {integer("Left_px"), integer("Top_px"), integer("Width_px"), integer("Height_px")};
    return e;
}

} // namespace

TLabelTemplate::TLabelTemplate(TStoreTable& table) : FTable(table) {}

void TLabelTemplate::Decode() {
    FElements.clear();
    FRowOrder.clear();
    FPageRow.reset();
    FPage = TPageSetup{};
    if (!FTable.Active())
        return;
    const int recNo = FTable.RecNo();
    for (FTable.First(); !FTable.Eof(); FTable.Next()) {
        const std::string name = FTable.FieldByName("Elemnev").AsString();
        FRowOrder.push_back(FromCp1250(name));
        if (name == kPageSetupName) {
            // The first row of that name, as locating it would find.
            if (!FPageRow) {
                FPage = ReadPageSetup(FTable);
                FPageRow =
                    TPageSetupRow{FromCp1250(name), FromCp1250(FTable.FieldByName("Forras").AsString()),
                                  FromCp1250(FTable.FieldByName("FErtek").AsString()), ReadMm(FTable)};
            }
            continue;
        }
        if (const std::optional<TElemKind> kind = KindFromLetter(FTable.FieldByName("Azon").AsString()))
            FElements.push_back(ReadElement(FTable, *kind));
    }
    if (recNo > 0)
        FTable.SetRecNo(recNo);
    else
        FTable.First();
}

void TLabelTemplate::Load() {
    FHistory.Clear();
    Decode();
    RecountNames();
    for (TTemplateListener* l : FListeners)
        l->TemplateReplaced();
    HistoryNotify();
}

void TLabelTemplate::Save() {
    FTable.SaveTable(FTable.FilePath());
}

TPageSetupRow TLabelTemplate::PageSetupRow() const {
    return FPageRow.value_or(TPageSetupRow{});
}

bool TLabelTemplate::EnsurePageSetup(const TPageSetup& setup) {
    if (FPageRow)
        return false;
    TEditGroup group(*this, TLabelTemplateText::tr("Oldalbeállítás"));
    AppendPageSetupRow(FTable, setup);
    Save();
    Decode();
    for (TTemplateListener* l : FListeners)
        l->PageChanged();
    return true;
}

void TLabelTemplate::SetPageSetup(const TPageSetup& setup) {
    TEditGroup group(*this, TLabelTemplateText::tr("Oldal és címke beállítása"));
    if (!FPageRow) {
        EnsurePageSetup(setup);
        return;
    }
    if (!LocatePageSetup(FTable))
        return;
    WriteRow([&](TDataSet& t) { WritePageSetup(t, setup); });
    FPage = setup;
    FPageRow->Mm.Width = setup.LabelWidthMm;
    FPageRow->Mm.Height = setup.LabelHeightMm;
    for (TTemplateListener* l : FListeners)
        l->PageChanged();
}

const TLabelElement* TLabelTemplate::Find(const QString& name) const {
    const auto it = std::find_if(FElements.begin(), FElements.end(),
                                 [&](const TLabelElement& e) { return e.Name == name; });
    return it == FElements.end() ? nullptr : &*it;
}

TLabelElement* TLabelTemplate::FindMutable(const QString& name) {
    return const_cast<TLabelElement*>(Find(name));
}

void TLabelTemplate::RecountNames() {
    FNamer.Reset();
    for (const TLabelElement& e : FElements)
        FNamer.Loaded(e.Kind);
}

bool TLabelTemplate::LocateRow(const QString& name) {
    return FTable.Active() && FTable.Locate("Elemnev", TVariant(ToCp1250(name)), 0);
}

template <typename Write>
void TLabelTemplate::WriteRow(Write&& write) {
    FTable.Edit();
    write(static_cast<TDataSet&>(FTable));
    FTable.Post();
    Save();
}

void TLabelTemplate::Changed(const TLabelElement& element, TElementChange change) {
    for (TTemplateListener* l : FListeners)
        l->ElementChanged(element, change);
}

QString TLabelTemplate::AddElement(TElemKind kind, const TPixelRect& px, TShapeCode shape) {
    TEditGroup group(*this, TLabelTemplateText::tr("Új elem"));
    const std::string name = FNamer.NextName(
        kind, [this](std::string_view candidate) { return Find(FromCp1250(candidate)) != nullptr; });
    AppendElementRow(FTable, kind, name, px, shape);
    Save();
    // The new row takes its place in the table's order.
    Decode();
    const QString qname = FromCp1250(name);
    if (const TLabelElement* added = Find(qname))
        for (TTemplateListener* l : FListeners)
            l->ElementAdded(*added);
    return qname;
}

template <typename Edit>
bool TLabelTemplate::EditElement(const QString& name, const QString& caption, TElementChange change,
                                 Edit&& edit) {
    TEditGroup group(*this, caption);
    TLabelElement* e = FindMutable(name);
    if (!e || !LocateRow(name))
        return false;
    edit(e);
    Changed(*e, change);
    return true;
}

bool TLabelTemplate::SetScreenGeometry(const QString& name, const TPixelRect& screen, int zoom) {
    return EditElement(name, TLabelTemplateText::tr("Áthelyezés, átméretezés"), TElementChange::ecGeometry,
                       [&](TLabelElement* e) {
                           const TElementGeometry g = GeometryFromScreen(screen, zoom);
                           WriteRow([&](TDataSet& t) {
                               t.FieldByName("Height_mm").SetAsFloat(g.HeightMm);
                               t.FieldByName("Left_mm").SetAsFloat(g.LeftMm);
                               t.FieldByName("Top_mm").SetAsFloat(g.TopMm);
                               t.FieldByName("Width_mm").SetAsFloat(g.WidthMm);
                               t.FieldByName("Height_px").SetAsInteger(g.Px.Height);
                               t.FieldByName("Left_px").SetAsInteger(g.Px.Left);
                               t.FieldByName("Top_px").SetAsInteger(g.Px.Top);
                               t.FieldByName("Width_px").SetAsInteger(g.Px.Width);
                           });
                           e->Mm = {g.LeftMm, g.TopMm, g.WidthMm, g.HeightMm};
                           e->Px = g.Px;
                       });
}

bool TLabelTemplate::Remove(const QString& name) {
    TEditGroup group(*this, TLabelTemplateText::tr("Elem törlése"));
    const auto it = std::find_if(FElements.begin(), FElements.end(),
                                 [&](const TLabelElement& e) { return e.Name == name; });
    if (it == FElements.end() || !LocateRow(name))
        return false;
    FTable.Delete();
    Save();
    FElements.erase(it);
    std::erase(FRowOrder, name);
    for (TTemplateListener* l : FListeners)
        l->ElementRemoved(name);
    return true;
}

bool TLabelTemplate::SetValue(const QString& name, const QString& source, const QString& value) {
    return EditElement(name, TLabelTemplateText::tr("Érték"), TElementChange::ecValue, [&](TLabelElement* e) {
        WriteRow([&](TDataSet& t) {
            t.FieldByName("Forras").SetAsString(ToCp1250(source));
            t.FieldByName("FErtek").SetAsString(ToCp1250(value));
        });
        // What the fields hold: the code page may have replaced characters.
        e->Source = FromCp1250(ToCp1250(source));
        e->Value = FromCp1250(ToCp1250(value));
    });
}

bool TLabelTemplate::SetFont(const QString& name, const TFont& font) {
    return EditElement(name, TLabelTemplateText::tr("Betűtípus"), TElementChange::ecFont,
                       [&](TLabelElement* e) {
                           const std::string descriptor = FontToDescriptor(font);
                           WriteRow([&](TDataSet& t) { t.FieldByName("Betu").SetAsString(descriptor); });
                           e->Font = DecodeFontDescriptor(descriptor);
                       });
}

bool TLabelTemplate::SetRotation(const QString& name, int code) {
    return EditElement(name, TLabelTemplateText::tr("Elforgatás"), TElementChange::ecRotation,
                       [&](TLabelElement* e) {
                           WriteRow([&](TDataSet& t) { t.FieldByName("Forgat").SetAsInteger(code); });
                           e->Rotation = code;
                       });
}

bool TLabelTemplate::SetAlignment(const QString& name, TAlignment alignment) {
    return EditElement(
        name, TLabelTemplateText::tr("Igazítás"), TElementChange::ecAlignment, [&](TLabelElement* e) {
            WriteRow([&](TDataSet& t) {
                t.FieldByName("Tajolas").SetAsString(std::string(1, AlignmentLetter(alignment)));
            });
            e->Alignment = alignment;
        });
}

bool TLabelTemplate::SetBarcode(const QString& name, int typeIndex, bool showValue, bool startStop) {
    return EditElement(name, TLabelTemplateText::tr("Vonalkód beállítása"), TElementChange::ecBarcode,
                       [&](TLabelElement* e) {
                           WriteRow([&](TDataSet& t) {
                               t.FieldByName("Vk_index").SetAsInteger(typeIndex);
                               t.FieldByName("VErtek").SetAsBoolean(showValue);
                               t.FieldByName("Startstop").SetAsBoolean(startStop);
                           });
                           e->TypeIndex = typeIndex;
                           e->ShowValue = showValue;
                           e->StartStop = startStop;
                       });
}

bool TLabelTemplate::ApplyValue(const QString& name, const QString& source, const QString& value,
                                int rotation, TAlignment alignment, int typeIndex) {
    return EditElement(name, TLabelTemplateText::tr("Érték"), TElementChange::ecValue, [&](TLabelElement* e) {
        WriteRow([&](TDataSet& t) {
            t.FieldByName("Forras").SetAsString(ToCp1250(source));
            t.FieldByName("FErtek").SetAsString(ToCp1250(value));
            t.FieldByName("Forgat").SetAsInteger(rotation);
            t.FieldByName("Tajolas").SetAsString(std::string(1, AlignmentLetter(alignment)));
            t.FieldByName("Vk_index").SetAsInteger(typeIndex);
        });
        e->Source = FromCp1250(ToCp1250(source));
        e->Value = FromCp1250(ToCp1250(value));
        e->Rotation = rotation;
        e->Alignment = alignment;
        e->TypeIndex = typeIndex;
    });
}

// ---- undo and redo ------------------------------------------------------------------------

std::string TLabelTemplate::Image() const {
    std::string image;
    if (FTable.Active() && FTable.Cursor())
        FTable.Cursor()->WriteToStream(image);
    return image;
}

void TLabelTemplate::BeginEdit(const QString& hint) {
    if (FEditDepth++ > 0)
        return;
    FEditHint = hint;
    FEditBefore = Image();
}

void TLabelTemplate::EndEdit() {
    if (--FEditDepth > 0)
        return;
    std::string after = Image();
    // A selection rewrites the geometry it already had: nothing to undo.
    if (after == FEditBefore || FEditBefore.empty())
        return;
    FHistory.Record({FEditHint, std::move(FEditBefore), std::move(after)});
    FEditBefore.clear();
    HistoryNotify();
}

void TLabelTemplate::Restore(const std::string& image) {
    // Opening on the image keeps the table's file and order; the writer then puts the file back
    // exactly as the image was.
    FTable.LoadFromStream(image);
    Save();
    Decode();
    RecountNames();
    for (TTemplateListener* l : FListeners)
        l->TemplateReplaced();
}

bool TLabelTemplate::Undo() {
    if (!FHistory.CanUndo() || FEditDepth > 0)
        return false;
    Restore(FHistory.Undo().Before);
    HistoryNotify();
    return true;
}

bool TLabelTemplate::Redo() {
    if (!FHistory.CanRedo() || FEditDepth > 0)
        return false;
    Restore(FHistory.Redo().After);
    HistoryNotify();
    return true;
}

void TLabelTemplate::ClearHistory() {
    FHistory.Clear();
    HistoryNotify();
}

void TLabelTemplate::HistoryNotify() {
    for (TTemplateListener* l : FListeners)
        l->HistoryChanged();
}

void TLabelTemplate::AddListener(TTemplateListener* listener) {
    if (std::find(FListeners.begin(), FListeners.end(), listener) == FListeners.end())
        FListeners.push_back(listener);
}

void TLabelTemplate::RemoveListener(TTemplateListener* listener) {
    std::erase(FListeners, listener);
}

} // namespace etikor
