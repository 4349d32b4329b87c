// fields.hpp - the field conversions every element-set reader shares: decimal
// text to double, whole numbers, dates and times to microseconds, and the
// checks on the elements' ranges; a field that cannot be taken is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "elements/elements.hpp"

namespace talik::elements {

// A field's text and how messages name it: "line 2, columns 27-33
// (eccentricity)", "line 14: ECCENTRICITY", "entry 3: EPOCH".
struct Field {
    std::string_view text;
    std::string label;
};

[[noreturn]] void refuse(const Field& field, const std::string& complaint);

std::string_view trim(std::string_view text);
bool equal_ignoring_case(std::string_view a, std::string_view b);

// Closed or half-open ranges of the elements, with their text for messages.
struct Bounds {
    double low;
    double high;
    bool low_open;
    bool high_open;
    const char* refusal;  // completes "VALUE is ..."
};
inline constexpr Bounds ANY_NUMBER{-1e308, 1e308, false, false, "too large"};
inline constexpr Bounds ECCENTRICITY_BOUNDS{0.0, 1.0, false, true, "outside [0, 1)"};
inline constexpr Bounds MEAN_MOTION_BOUNDS{0.0, 1e308, true, false, "not above 0"};
inline constexpr Bounds INCLINATION_BOUNDS{0.0, 180.0, false, false, "outside [0, 180]"};
inline constexpr Bounds ANGLE_BOUNDS{0.0, 360.0, false, false, "outside [0, 360]"};

// A decimal number ("-.22483E-4", "10.84869164", "+5"), correctly rounded,
// finite and within the bounds.
double decimal(const Field& field, const Bounds& bounds = ANY_NUMBER);

// Digits only (blanks around them ignored), at most max.
std::int32_t whole_number(const Field& field, std::int32_t max);

// A catalogue number in the two-line sets' Alpha-5 form (A0000 = 100000 ...
// Z9999 = 339999); nullopt for any other text.
std::optional<std::int32_t> alpha5_number(std::string_view text);

// A name or designator: blanks around it dropped, at most MAX_ELEMENT_FIELD_BYTES.
std::string text_value(const Field& field);

inline constexpr std::int64_t MICROSECONDS_PER_SECOND = 1'000'000;
inline constexpr std::int64_t MICROSECONDS_PER_DAY = 86'400 * MICROSECONDS_PER_SECOND;

// "YYYY-MM-DDThh:mm:ss[.f...][Z]" or "YYYY-DDDThh:mm:ss[.f...][Z]" (UTC) to
// microseconds since 1970, rounded to the nearest microsecond.
std::int64_t iso_epoch_us(const Field& field);

}  // namespace talik::elements
