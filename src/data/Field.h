#pragma once

// One field of a dataset: its definition, its display properties and typed access to its
// value in the dataset's active record (the current record, the edit buffer while editing,
// the record being filtered or calculated). Field objects belong to their dataset and keep
// their identity (and display settings) across close and reopen while the structure keeps a
// field of the same name and type.

#include "data/Alignment.h"
#include "data/FieldTypes.h"
#include "data/Variant.h"

#include <string>
#include <string_view>

namespace etikor {

class TDataSet;

enum class TFieldKind : uint8_t { fkData, fkCalculated };

class TField {
public:
    TField(TDataSet& dataSet, std::string name, TFieldType type, int size, TFieldKind kind);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TDataSet& DataSet() const { return FDataSet; }
    const std::string& FieldName() const { return FName; }
    TFieldType DataType() const { return FType; }
    int Size() const { return FSize; }
    TFieldKind FieldKind() const { return FKind; }
    bool Calculated() const { return FKind == TFieldKind::fkCalculated; }
    bool IsBlob() const;
    bool IsNumeric() const;
    // Position among all fields, and among the data fields (-1 for calculated ones).
    int Index() const { return FIndex; }
    int DataIndex() const { return FDataIndex; }

    // Display properties.
    std::string DisplayLabel; // empty: the field name
    const std::string& DisplayName() const { return DisplayLabel.empty() ? FName : DisplayLabel; }
    int DisplayWidth = 0;                             // set from the type when the field is created
    TAlignment Alignment = TAlignment::taLeftJustify; // numbers default to right
    std::string DisplayFormat;                        // numbers: "0.######", "#,##0.00"; dates: "yyyy.mm.dd."
    std::string EditFormat;                           // numbers in edit text; empty: plain
    bool ReadOnly = false;
    bool Visible = true;
    bool Required = false;
    std::string DefaultExpression;

    // Value in the active record. Reads of null give 0, false, "" or 0.0.
    TVariant Value() const;
    void SetValue(const TVariant& value);
    TVariant AsVariant() const { return Value(); }
    void SetAsVariant(const TVariant& value) { SetValue(value); }
    bool IsNull() const;
    void Clear() { SetValue(TVariant()); }

    std::string AsString() const;
    void SetAsString(std::string_view text);
    int AsInteger() const;
    void SetAsInteger(int value);
    double AsFloat() const;
    void SetAsFloat(double value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);
    double AsDateTime() const;
    void SetAsDateTime(double value);

    // Edit text (what an editor shows) and display text (what a grid shows), both through the
    // current format settings and the field's formats.
    std::string Text() const;
    void SetText(std::string_view text) { SetAsString(text); }
    std::string DisplayText() const;

    // The value converted to this field's type: text parsed by the current format settings.
    // Raises EDatabaseError naming the field when it does not convert.
    TVariant Convert(const TVariant& value) const;
    // The text of a value of this field as AsString gives it.
    std::string FormatValue(const TVariant& value) const;
    std::string FormatDisplay(const TVariant& value, bool display) const;

private:
    friend class TDataSet;
    TDataSet& FDataSet;
    std::string FName;
    TFieldType FType;
    int FSize;
    TFieldKind FKind;
    int FIndex = -1;
    int FDataIndex = -1;
    int FCalcIndex = -1;
};

} // namespace etikor
