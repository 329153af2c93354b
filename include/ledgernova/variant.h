#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>

#include "ledgernova/date.h"
#include "ledgernova/export.h"

namespace ledgernova {

// A conversion the value does not allow: reading a Null as text or number, text that is not a
// number, a number out of range. The message is the description a caller sees after the source
// name of the routine that failed.
class LEDGERNOVA_API ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The value of a field and of a late-bound argument. Null is a state of its own: it never turns
// silently into 0 or "". Every conversion either succeeds exactly or throws ConversionError.
class LEDGERNOVA_API Variant {
  public:
    enum class Kind { Empty, Null, Boolean, Long, Double, Date, Text };

    Variant() = default;  // Empty
    explicit Variant(bool value) : value_(value) {}
    explicit Variant(std::int32_t value) : value_(value) {}
    explicit Variant(double value) : value_(value) {}
    explicit Variant(Date value) : value_(value) {}
    explicit Variant(std::string value) : value_(std::move(value)) {}
    explicit Variant(const char* value) : value_(std::string(value != nullptr ? value : "")) {}
    [[nodiscard]] static Variant null();

    [[nodiscard]] Kind kind() const { return static_cast<Kind>(value_.index()); }
    [[nodiscard]] bool is_null() const { return kind() == Kind::Null; }
    [[nodiscard]] bool is_empty() const { return kind() == Kind::Empty; }

    // Empty reads as "", 0 and False; Null throws "Invalid use of Null".
    [[nodiscard]] std::string to_text() const;
    [[nodiscard]] double to_double() const;
    [[nodiscard]] bool to_bool() const;
    // Rounds half to even, as the 16-bit conversion of the original platform does; "Overflow"
    // outside -32768..32767.
    [[nodiscard]] std::int16_t to_int16() const;
    [[nodiscard]] std::int32_t to_long() const;
    // "Overflow" for a date that is not valid (Date::is_valid).
    [[nodiscard]] Date to_date() const;

    friend bool operator==(const Variant&, const Variant&) = default;

  private:
    [[nodiscard]] Date any_date() const;

    struct NullTag {
        friend bool operator==(NullTag, NullTag) = default;
    };
    std::variant<std::monostate, NullTag, bool, std::int32_t, double, Date, std::string> value_;
};

}  // namespace ledgernova
