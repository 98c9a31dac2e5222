#include "UnitSize.h"
#include <cmath>
#include "strings.h"

namespace kt {

double RoundHalfEven(double x) {
  const double down = std::floor(x);
  const double rest = x - down;
  if (rest > 0.5) return down + 1;
  if (rest < 0.5) return down;
  return std::fmod(down, 2.0) == 0.0 ? down : down + 1;
}

int64_t UnitBytes(const std::wstring& kilobytes) {
  const double bytes = RoundHalfEven(ReadLeadingNumber(kilobytes) * 1024.0);
  // 2^63 and beyond has no meaning for a file length and would overflow the conversion.
  if (!(bytes >= 1.0 && bytes < 9223372036854775808.0)) return 0;
  return static_cast<int64_t>(bytes);
}

}  // namespace kt
