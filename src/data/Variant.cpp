#include "data/Variant.h"

#include "data/FormatSettings.h"

#include <cmath>

namespace etikor {

TVariant::TVariant(std::vector<TVariant> items)
    : FType(TVarType::varArray), FItems(std::make_shared<const std::vector<TVariant>>(std::move(items))) {}

TVariant TVariant::FromDateTime(double dateTime) {
    TVariant v;
    v.FType = TVarType::varDate;
    v.FDouble = dateTime;
    return v;
}

namespace {

[[noreturn]] void CannotConvert(const TVariant& v, const char* to) {
    throw EVariantError("Could not convert variant value '" + v.ToString() + "' to " + to);
}

} // namespace

bool TVariant::ToBool() const {
    switch (FType) {
    case TVarType::varBoolean:
    case TVarType::varInteger:
        return FInt != 0;
    case TVarType::varDouble:
    case TVarType::varDate:
        return FDouble != 0;
    case TVarType::varString: {
        if (FText == "True" || FText == "TRUE" || FText == "true")
            return true;
        if (FText == "False" || FText == "FALSE" || FText == "false")
            return false;
        int64_t n;
        if (TryStrToInt(FText, n))
            return n != 0;
        CannotConvert(*this, "Boolean");
    }
    default:
        CannotConvert(*this, "Boolean");
    }
}

int64_t TVariant::ToInt() const {
    switch (FType) {
    case TVarType::varBoolean:
        return FInt ? -1 : 0; // true is all bits set, as in the classic variant
    case TVarType::varInteger:
        return FInt;
    case TVarType::varDouble:
    case TVarType::varDate:
        if (!std::isfinite(FDouble) || std::fabs(FDouble) > 9.2e18)
            CannotConvert(*this, "Integer");
        return static_cast<int64_t>(std::llround(FDouble));
    case TVarType::varString: {
        int64_t n;
        if (TryStrToInt(FText, n))
            return n;
        double d;
        if (TryStrToFloat(FText, d) && std::isfinite(d) && std::fabs(d) < 9.2e18)
            return static_cast<int64_t>(std::llround(d));
        CannotConvert(*this, "Integer");
    }
    default:
        CannotConvert(*this, "Integer");
    }
}

double TVariant::ToDouble() const {
    switch (FType) {
    case TVarType::varBoolean:
        return FInt ? -1.0 : 0.0;
    case TVarType::varInteger:
        return static_cast<double>(FInt);
    case TVarType::varDouble:
    case TVarType::varDate:
        return FDouble;
    case TVarType::varString: {
        double d;
        if (TryStrToFloat(FText, d))
            return d;
        CannotConvert(*this, "Double");
    }
    default:
        CannotConvert(*this, "Double");
    }
}

double TVariant::ToDateTime() const {
    switch (FType) {
    case TVarType::varInteger:
        return static_cast<double>(FInt);
    case TVarType::varDouble:
    case TVarType::varDate:
        return FDouble;
    case TVarType::varString: {
        TDateTime d;
        if (TryStrToDateTime(FText, d))
            return d;
        CannotConvert(*this, "Date");
    }
    default:
        CannotConvert(*this, "Date");
    }
}

std::string TVariant::ToString() const {
    switch (FType) {
    case TVarType::varNull:
        return {};
    case TVarType::varBoolean:
        return FInt ? "True" : "False";
    case TVarType::varInteger:
        return IntToStr(FInt);
    case TVarType::varDouble:
        return FloatToStr(FDouble);
    case TVarType::varDate:
        return DateTimeToStr(FDouble);
    case TVarType::varString:
        return FText;
    case TVarType::varArray: {
        std::string text;
        for (size_t i = 0; i < FItems->size(); ++i) {
            if (i)
                text += '\t';
            text += (*FItems)[i].ToString();
        }
        return text;
    }
    }
    return {};
}

int TVariant::ArrayCount() const {
    return FType == TVarType::varArray ? static_cast<int>(FItems->size()) : 1;
}

const TVariant& TVariant::operator[](int index) const {
    static const TVariant null;
    if (FType != TVarType::varArray)
        return index == 0 ? *this : null;
    if (index < 0 || index >= static_cast<int>(FItems->size()))
        return null;
    return (*FItems)[static_cast<size_t>(index)];
}

bool TVariant::operator==(const TVariant& other) const {
    if (FType == TVarType::varNull || other.FType == TVarType::varNull)
        return FType == other.FType;
    if (FType == TVarType::varString || other.FType == TVarType::varString)
        return FType == other.FType && FText == other.FText;
    if (FType == TVarType::varArray || other.FType == TVarType::varArray) {
        if (FType != other.FType || FItems->size() != other.FItems->size())
            return false;
        for (size_t i = 0; i < FItems->size(); ++i)
            if (!((*FItems)[i] == (*other.FItems)[i]))
                return false;
        return true;
    }
    if (FType == TVarType::varBoolean || other.FType == TVarType::varBoolean)
        return FType == other.FType && FInt == other.FInt;
    bool exactInts = FType == TVarType::varInteger && other.FType == TVarType::varInteger;
    if (exactInts)
        return FInt == other.FInt;
    double a = FType == TVarType::varInteger ? static_cast<double>(FInt) : FDouble;
    double b = other.FType == TVarType::varInteger ? static_cast<double>(other.FInt) : other.FDouble;
    return a == b;
}

} // namespace etikor
