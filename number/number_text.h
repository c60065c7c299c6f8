#pragma once
// The calculator's number texts: general format, at most 15 significant
// digits, the decimal comma, scientific notation below 0.0001 and from 1E15
// in magnitude. Locale-free; the hot paths allocate nothing but the result.
// These functions keep no state; NumberTexts (number_texts.h) adds a
// memory of the last texts for the hot loops that own one.
#include <cstddef>
#include <string>
#include <string_view>

#include "number/failure.h"

namespace veltrum {

// Longest text: "-1,23456789012345E-4951".
inline constexpr std::size_t kNumberTextCapacity = 32;

// Writes the text of v into buf (at least kNumberTextCapacity bytes) and
// returns its length. A value that is not finite has no text: it fails as
// the step that made it would have failed (an infinity as an overflow, NaN
// as an invalid operation), and buf is left as it was.
std::size_t FormatNumber(Extended v, char* buf);
std::string NumberText(Extended v);

// Reads a display text: leading and trailing blanks, an optional sign,
// digits with an optional comma, an optional exponent "E"/"e" whose digits
// may be missing (then 0). Fails with a conversion error otherwise, or
// when the value lies outside the extended range.
Extended ReadNumber(std::string_view text);

// The number text of minus the value of text, when text is already a
// number text in fixed notation (as NumberText writes it): then only the
// sign changes. Nothing for any other text.
bool NegateNumberText(std::string_view text, std::string& out);

// The same text read straight into the nearest double; a value inside the
// extended range but beyond the double range fails as an overflow.
double ReadNumberDouble(std::string_view text);

}  // namespace veltrum
