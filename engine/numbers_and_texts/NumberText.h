#pragma once

#include <string>
#include <string_view>

namespace trellon {

// With "," as separator every "." becomes ","; with "." every "," becomes "."; any other
// separator leaves the text as it is.
std::string NormalizeDecimalSeparator(std::string_view text, char decimalSeparator);

// Converts a typed number that uses decimalSeparator: optional sign, digits with an optional
// fraction, an optional exponent; blanks around it are allowed, nothing else. Throws
// CommandError "'<text>' is not a valid floating point value" otherwise.
double TextToFloat(std::string_view text, char decimalSeparator);

// A number as the user typed it, with either decimal mark: NormalizeDecimalSeparator, then
// TextToFloat.
double TypedNumber(std::string_view text, char decimalSeparator);

// Converts a whole decimal integer; throws CommandError "'<text>' is not a valid integer value".
int TextToInt(std::string_view text);

// The one way a result becomes text: P significant digits, rounded half away from zero, trailing
// zeros dropped, fixed notation for exponents -3..P, otherwise mantissa and exponent (1.235E5).
std::string FormatGeneral(double value, int precision, char decimalSeparator);

// A number in the general format with 17 significant digits and a point, for machine output.
std::string FormatExact(double value);

// The same with the fewest significant digits that still read back as `value`: 41.2, not
// 41.200000000000003, for lists people read as well as programs. Numbers from 1E-4 to below 1E15
// are written without an exponent (510, 0.0047).
std::string FormatShortest(double value);

}  // namespace trellon
