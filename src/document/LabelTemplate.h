#pragma once

// The open label template as the program works on it: the page setup and the ordered elements,
// decoded once from the `Elemek` table (texts as QString, fonts as font values). Every edit is
// an operation here: it changes the decoded element, writes the fields it changed into the
// element's row, writes the file through the table's writer at once and tells the listeners.
// Rows are only ever edited field by field, so fields an edit does not touch keep their bytes
// and a template that is opened and left alone is written back unchanged.

#include "document/FontDescriptor.h"
#include "document/TemplateHistory.h"
#include "document/TemplateSchema.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace etikor {

class TStoreTable;

// An element's geometry in millimetres, as the move/resize handling stores it (unrounded).
struct TMmRect {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

// What one row says about its element.
struct TLabelElement {
    TElemKind Kind = TElemKind::ekText;
    QString Name;     // `Elemnev`
    QString Source;   // `Forras`: empty, a field name, a date/time code or a picture path
    QString Value;    // `FErtek`
    int Rotation = 0; // `Forgat` code; only 0 to 3 turn anything
    TFont Font;       // `Betu` applied over a new control's font
    TAlignment Alignment = TAlignment::taLeftJustify;
    int TypeIndex = 0;      // `Vk_index`: barcode type index or drawing shape code
    bool ShowValue = false; // `VErtek`
    bool StartStop = false; // `Startstop`
    TMmRect Mm;
    TPixelRect Px; // stored pixels (screen pixels at zoom 1)

    // The source trimmed of blanks is not empty (a field or a date/time code supplies the value).
    bool HasSource() const { return !Source.trimmed().isEmpty(); }
};

// The page-setup row as the element panel shows it while nothing is selected.
struct TPageSetupRow {
    QString Name;
    QString Source;
    QString Value;
    TMmRect Mm;
};

// Which part of an element an edit changed.
enum class TElementChange : uint8_t { ecGeometry, ecValue, ecFont, ecRotation, ecAlignment, ecBarcode };

// Told about every change; the default does nothing.
class TTemplateListener {
public:
    virtual ~TTemplateListener();
    // Another file was opened, or the same one read again: everything may differ.
    virtual void TemplateReplaced() {}
    virtual void PageChanged() {}
    virtual void ElementAdded(const TLabelElement&) {}
    virtual void ElementChanged(const TLabelElement&, TElementChange) {}
    virtual void ElementRemoved(const QString& /*name*/) {}
    // What can be undone or redone changed.
    virtual void HistoryChanged() {}
};

class TLabelTemplate {
public:
    // Works on `table`, which the template files open, close and replace.
    explicit TLabelTemplate(TStoreTable& table);
    TLabelTemplate(const TLabelTemplate&) = delete;
    TLabelTemplate& operator=(const TLabelTemplate&) = delete;

    // Reads every row of the open table again (after the table was opened or replaced) and
    // tells the listeners the template was replaced. A closed table is an empty template.
    void Load();
    // Writes the whole table to its file.
    void Save();

    bool HasPageSetup() const { return FPageRow.has_value(); }
    // The page setup; the defaults of a new page-setup row while there is none.
    const TPageSetup& PageSetup() const { return FPage; }
    // The page-setup row's name, texts and label size, or a blank row while there is none.
    TPageSetupRow PageSetupRow() const;
    // A template without a page-setup row gets one with `setup`; false when it had one.
    bool EnsurePageSetup(const TPageSetup& setup);
    void SetPageSetup(const TPageSetup& setup);

    // The elements in the table's order (sorted by name while the table is).
    const std::vector<TLabelElement>& Elements() const { return FElements; }
    const TLabelElement* Find(const QString& name) const;

    // The first-free-name counters. Building the canvas recounts them from the elements.
    TElementNamer& Namer() { return FNamer; }
    void RecountNames();

    // Adds an element named by its kind's counter, with the initial values of a new element
    // and `px` as its stored geometry; returns its name.
    QString AddElement(TElemKind kind, const TPixelRect& px, TShapeCode shape = stRectangle);
    // The move/resize handling: an on-screen rectangle at zoom z becomes the stored pixels
    // (divided by z, ties to even) and the millimetres of the rulers. False for an unknown name.
    bool SetScreenGeometry(const QString& name, const TPixelRect& screen, int zoom);
    bool Remove(const QString& name);
    bool SetValue(const QString& name, const QString& source, const QString& value);
    bool SetFont(const QString& name, const TFont& font);
    bool SetRotation(const QString& name, int code);
    bool SetAlignment(const QString& name, TAlignment alignment);
    bool SetBarcode(const QString& name, int typeIndex, bool showValue, bool startStop);
    // The element panel's apply: source, value, rotation, alignment and type index in one post.
    bool ApplyValue(const QString& name, const QString& source, const QString& value, int rotation,
                    TAlignment alignment, int typeIndex);

    // The names of every row (the page-setup row too) in the table's current order.
    const std::vector<QString>& RowOrder() const { return FRowOrder; }

    // One user edit: the writes made until the matching EndEdit are undone and redone together
    // under `hint`. Edits nest; every operation above is an edit of its own when called alone.
    void BeginEdit(const QString& hint);
    void EndEdit();
    class TEditGroup {
    public:
        TEditGroup(TLabelTemplate& t, const QString& hint) : FTemplate(t) { t.BeginEdit(hint); }
        ~TEditGroup() { FTemplate.EndEdit(); }
        TEditGroup(const TEditGroup&) = delete;
        TEditGroup& operator=(const TEditGroup&) = delete;

    private:
        TLabelTemplate& FTemplate;
    };

    const TTemplateHistory& History() const { return FHistory; }
    // Undo and redo put the table back as it was before or after the edit and write the file
    // through the table's writer, then tell the listeners the template was replaced. False when
    // there is nothing to undo or redo.
    bool Undo();
    bool Redo();
    // Forgets every step (another template was opened or created).
    void ClearHistory();

    void AddListener(TTemplateListener* listener);
    void RemoveListener(TTemplateListener* listener);

private:
    void Decode();
    TLabelElement* FindMutable(const QString& name);
    // One edit of the named element as a step of its own: locates its row, runs `edit` (which
    // writes the row and updates the element) and tells the listeners. False when there is no
    // such element.
    template <typename Edit>
    bool EditElement(const QString& name, const QString& caption, TElementChange change, Edit&& edit);
    bool LocateRow(const QString& name);
    // Edits the located row with `write`, posts it and writes the file.
    template <typename Write>
    void WriteRow(Write&& write);
    void Changed(const TLabelElement& element, TElementChange change);
    std::string Image() const;
    void Restore(const std::string& image);
    void HistoryNotify();

    TStoreTable& FTable;
    TPageSetup FPage;
    std::optional<TPageSetupRow> FPageRow;
    std::vector<TLabelElement> FElements;
    TElementNamer FNamer;
    std::vector<TTemplateListener*> FListeners;
    std::vector<QString> FRowOrder;
    TTemplateHistory FHistory;
    int FEditDepth = 0;
    QString FEditHint;
    std::string FEditBefore;
};

// The element font of a stored descriptor, applied over a new control's font. A colour field
// that names no colour leaves the fields before it applied: a damaged row still shows.
TFont DecodeFontDescriptor(std::string_view betu);

} // namespace etikor
