#include "data/Field.h"

#include "data/Cp1250.h"
#include "data/DataSet.h"
#include "data/FormatSettings.h"

#include <cmath>
#include <limits>

namespace etikor {

namespace {

enum class ValueClass { Text, Integer, Boolean, Float, Date };

ValueClass ClassOf(TFieldType type) {
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
        return ValueClass::Integer;
    case TFieldType::ftBoolean:
        return ValueClass::Boolean;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return ValueClass::Float;
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
        return ValueClass::Date;
    default:
        return ValueClass::Text;
    }
}

int DefaultDisplayWidth(TFieldType type, int size) {
    switch (type) {
    case TFieldType::ftString:
        return size > 0 ? size : 20;
    case TFieldType::ftSmallint:
    case TFieldType::ftWord:
        return 6;
    case TFieldType::ftBoolean:
        return 5;
    case TFieldType::ftDateTime:
        return 18;
    default:
        return 10;
    }
}

// The range an integer field accepts.
void IntegerRange(TFieldType type, int64_t& low, int64_t& high) {
    switch (type) {
    case TFieldType::ftSmallint:
        low = -32768, high = 32767;
        break;
    case TFieldType::ftWord:
        low = 0, high = 65535;
        break;
    case TFieldType::ftLargeint:
        low = std::numeric_limits<int64_t>::min(), high = std::numeric_limits<int64_t>::max();
        break;
    default:
        low = std::numeric_limits<int32_t>::min(), high = std::numeric_limits<int32_t>::max();
        break;
    }
}

const char* BlobCaption(TFieldType type, bool empty) {
    switch (type) {
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo:
        return empty ? "(Memo)" : "(MEMO)";
    case TFieldType::ftGraphic:
        return empty ? "(Graphic)" : "(GRAPHIC)";
    default:
        return empty ? "(Blob)" : "(BLOB)";
    }
}

} // namespace

TField::TField(TDataSet& dataSet, std::string name, TFieldType type, int size, TFieldKind kind)
    : FDataSet(dataSet), FName(std::move(name)), FType(type), FSize(size), FKind(kind) {
    DisplayWidth = DefaultDisplayWidth(type, size);
    if (IsNumeric())
        Alignment = TAlignment::taRightJustify;
}

bool TField::IsBlob() const {
    return FType == TFieldType::ftBlob || FType == TFieldType::ftMemo || FType == TFieldType::ftFmtMemo ||
           FType == TFieldType::ftGraphic;
}

bool TField::IsNumeric() const {
    ValueClass c = ClassOf(FType);
    return c == ValueClass::Integer || c == ValueClass::Float;
}

TVariant TField::Value() const {
    return FDataSet.GetFieldValue(*this);
}

void TField::SetValue(const TVariant& value) {
    FDataSet.SetFieldValue(*this, value);
}

bool TField::IsNull() const {
    return Value().IsNull();
}

TVariant TField::Convert(const TVariant& value) const {
    if (value.IsNull())
        return {};
    auto fail = [&](const std::string& what) -> TVariant {
        FDataSet.DatabaseError("'" + value.ToString() + "' is not a valid " + what + " for field '" +
                               DisplayName() + "'");
    };
    bool text = value.Type() == TVarType::varString;
    ValueClass cls = ClassOf(FType);
    if (text && value.Text().empty() && cls != ValueClass::Text)
        return {};
    switch (cls) {
    case ValueClass::Text: {
        std::string s = value.ToString();
        if (FType == TFieldType::ftString && FSize > 0 && static_cast<int>(s.size()) > FSize)
            s.resize(static_cast<size_t>(FSize));
        return TVariant(std::move(s));
    }
    case ValueClass::Integer: {
        int64_t n = 0;
        if (text) {
            if (!TryStrToInt(value.Text(), n))
                return fail("integer value");
        } else if (value.Type() == TVarType::varBoolean) {
            n = value.ToBool() ? 1 : 0;
        } else {
            double d = value.ToDouble();
            if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
                return fail("integer value");
            n = static_cast<int64_t>(std::llround(d));
        }
        int64_t low, high;
        IntegerRange(FType, low, high);
        if (n < low || n > high)
            FDataSet.DatabaseError(std::to_string(n) + " is not a valid value for field '" + DisplayName() +
                                   "'. The allowed range is " + std::to_string(low) + " to " +
                                   std::to_string(high));
        return TVariant(n);
    }
    case ValueClass::Boolean: {
        if (!text)
            return TVariant(value.ToBool());
        // A leading part of "True" or "False", in any letter case.
        std::string upper = Cp1250UpperCase(value.Text());
        if (std::string_view("FALSE").starts_with(upper))
            return TVariant(false);
        if (std::string_view("TRUE").starts_with(upper))
            return TVariant(true);
        return fail("boolean value");
    }
    case ValueClass::Float: {
        double d = 0;
        if (text) {
            if (!TryStrToFloat(value.Text(), d))
                return fail("floating point value");
        } else if (value.Type() == TVarType::varBoolean) {
            d = value.ToBool() ? 1 : 0;
        } else {
            d = value.ToDouble();
        }
        return TVariant(d);
    }
    case ValueClass::Date: {
        TDateTime d = 0;
        if (text) {
            bool ok = FType == TFieldType::ftDate   ? TryStrToDate(value.Text(), d)
                      : FType == TFieldType::ftTime ? TryStrToTime(value.Text(), d)
                                                    : TryStrToDateTime(value.Text(), d);
            if (!ok)
                return fail(FType == TFieldType::ftDate   ? "date"
                            : FType == TFieldType::ftTime ? "time"
                                                          : "date and time");
        } else if (value.Type() == TVarType::varBoolean) {
            return fail("date and time");
        } else {
            d = value.ToDouble();
        }
        if (FType == TFieldType::ftDate)
            d = DateOf(d);
        else if (FType == TFieldType::ftTime)
            d = TimeOf(d);
        return TVariant::FromDateTime(d);
    }
    }
    return {};
}

std::string TField::FormatValue(const TVariant& value) const {
    if (value.IsNull())
        return {};
    switch (ClassOf(FType)) {
    case ValueClass::Text:
        return value.ToString();
    case ValueClass::Integer:
        return IntToStr(value.ToInt());
    case ValueClass::Boolean:
        return value.ToBool() ? "True" : "False";
    case ValueClass::Float:
        return FloatToStr(value.ToDouble());
    case ValueClass::Date: {
        double d = value.ToDateTime();
        if (FType == TFieldType::ftDate)
            return DateToStr(d);
        if (FType == TFieldType::ftTime)
            return TimeToStr(d);
        return DateTimeToStr(d);
    }
    }
    return {};
}

std::string TField::FormatDisplay(const TVariant& value, bool display) const {
    if (IsBlob())
        return display ? BlobCaption(FType, value.IsNull() || value.Text().empty()) : value.ToString();
    if (value.IsNull())
        return {};
    const std::string& format = display ? DisplayFormat : EditFormat;
    switch (ClassOf(FType)) {
    case ValueClass::Integer:
    case ValueClass::Float:
        if (!format.empty())
            return FormatFloat(format, value.ToDouble());
        if (display && FType == TFieldType::ftCurrency)
            return FormatFloat("#,##0.00", value.ToDouble());
        return FormatValue(value);
    case ValueClass::Date:
        if (display && !format.empty())
            return FormatDateTime(format, value.ToDateTime());
        return FormatValue(value);
    default:
        return FormatValue(value);
    }
}

std::string TField::AsString() const {
    return FormatValue(Value());
}

void TField::SetAsString(std::string_view text) {
    SetValue(TVariant(text));
}

namespace {

// A field's value read through `convert`: null gives `empty`, a value that does not convert
// raises "'<text>' is not a valid <what>" on the field's dataset.
template <typename T, typename Convert>
T ConvertedValue(const TField& field, T empty, Convert convert, std::string_view what) {
    const TVariant v = field.Value();
    if (v.IsNull())
        return empty;
    try {
        return static_cast<T>(convert(v));
    } catch (const EVariantError&) {
        field.DataSet().DatabaseError("'" + v.ToString() + "' is not a valid " + std::string(what));
    }
}

} // namespace

int TField::AsInteger() const {
    return ConvertedValue(
        *this, 0, [](const TVariant& v) { return v.ToInt(); }, "integer value");
}

void TField::SetAsInteger(int value) {
    SetValue(TVariant(value));
}

double TField::AsFloat() const {
    return ConvertedValue(
        *this, 0.0, [](const TVariant& v) { return v.ToDouble(); }, "floating point value");
}

void TField::SetAsFloat(double value) {
    SetValue(TVariant(value));
}

bool TField::AsBoolean() const {
    return ConvertedValue(
        *this, false, [](const TVariant& v) { return v.ToBool(); }, "boolean value");
}

void TField::SetAsBoolean(bool value) {
    SetValue(TVariant(value));
}

double TField::AsDateTime() const {
    return ConvertedValue(
        *this, 0.0, [](const TVariant& v) { return v.ToDateTime(); }, "date and time");
}

void TField::SetAsDateTime(double value) {
    SetValue(TVariant::FromDateTime(value));
}

std::string TField::Text() const {
    return FormatDisplay(Value(), false);
}

std::string TField::DisplayText() const {
    return FormatDisplay(Value(), true);
}

} // namespace etikor
