#pragma once

// A small tagged value for field values, locate keys and lookup results. Dates and times are
// TDateTime (days since 30 December 1899, time as fraction). Text holds Windows-1250 bytes,
// BLOB values too.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace etikor {

enum class TVarType : uint8_t { varNull, varBoolean, varInteger, varDouble, varDate, varString, varArray };

class TVariant {
public:
    TVariant() = default;
    TVariant(bool v) : FType(TVarType::varBoolean), FInt(v ? 1 : 0) {}
    TVariant(int v) : FType(TVarType::varInteger), FInt(v) {}
    TVariant(int64_t v) : FType(TVarType::varInteger), FInt(v) {}
    TVariant(double v) : FType(TVarType::varDouble), FDouble(v) {}
    TVariant(std::string v) : FType(TVarType::varString), FText(std::move(v)) {}
    TVariant(std::string_view v) : FType(TVarType::varString), FText(v) {}
    TVariant(const char* v) : FType(TVarType::varString), FText(v) {}
    TVariant(std::vector<TVariant> items);

    static TVariant Null() { return {}; }
    static TVariant FromDateTime(double dateTime);

    TVarType Type() const { return FType; }
    bool IsNull() const { return FType == TVarType::varNull; }
    bool IsArray() const { return FType == TVarType::varArray; }
    bool IsNumeric() const {
        return FType == TVarType::varInteger || FType == TVarType::varDouble || FType == TVarType::varBoolean;
    }

    // Conversions. Text converts with the current format settings; a text that does not convert
    // raises EVariantError, as does null to a number.
    bool ToBool() const;
    int64_t ToInt() const;
    double ToDouble() const;
    double ToDateTime() const;
    std::string ToString() const; // null gives ""

    // The raw text of a string value without conversion (empty for other types).
    const std::string& Text() const { return FText; }

    // Array access; a non-array value behaves as an array of itself.
    int ArrayCount() const;
    const TVariant& operator[](int index) const;

    // Equal type and value; numbers of different types compare by value; null equals only null.
    bool operator==(const TVariant& other) const;

private:
    TVarType FType = TVarType::varNull;
    int64_t FInt = 0;
    double FDouble = 0;
    std::string FText;
    std::shared_ptr<const std::vector<TVariant>> FItems;
};

// A conversion of a variant that cannot be made.
class EVariantError : public std::exception {
public:
    explicit EVariantError(std::string message) : FMessage(std::move(message)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

} // namespace etikor
