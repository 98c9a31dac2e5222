#pragma once
// The unit size typed in kilobytes, turned into the length of one part in bytes.
#include <cstdint>
#include <string>

namespace kt {

// x rounded to the nearest whole number, exact halves going to the even neighbour.
double RoundHalfEven(double x);

// The kilobytes (read by kt::ReadLeadingNumber) times 1024, rounded halves to even. 0 when that is below one byte or too large for a length.
int64_t UnitBytes(const std::wstring& kilobytes);

}  // namespace kt
