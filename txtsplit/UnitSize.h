#pragma once
// The unit size typed in kilobytes, turned into the length of one part in bytes.
#include <cstdint>
#include <string>

namespace kt {

// Reads the number at the start of text, leniently: leading blanks, an optional sign, digits with an optional
// "." fraction and an optional exponent. Whatever follows the number is ignored ("100KB" reads as 100); text
// that does not begin with a number reads as 0.
double ReadUnitNumber(const std::wstring& text);

// x rounded to the nearest whole number, exact halves going to the even neighbour.
double RoundHalfEven(double x);

// The kilobytes times 1024, rounded halves to even. 0 when that is below one byte or too large for a length.
int64_t UnitBytes(const std::wstring& kilobytes);

}  // namespace kt
