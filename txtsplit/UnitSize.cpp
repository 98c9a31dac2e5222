#include "UnitSize.h"
#include <cmath>
#include <cwchar>

namespace kt {

namespace {
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0x3000; }
}  // namespace

double ReadUnitNumber(const std::wstring& text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  const size_t start = i;
  if (i < n && (text[i] == L'+' || text[i] == L'-')) ++i;
  size_t digits = 0;
  for (; i < n && IsDigit(text[i]); ++i) ++digits;
  if (i < n && text[i] == L'.')
    for (++i; i < n && IsDigit(text[i]); ++i) ++digits;
  if (digits == 0) return 0.0;
  // An exponent counts only with digits after it; "1e" is 1 followed by other text.
  if (i < n && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    if (j < n && (text[j] == L'+' || text[j] == L'-')) ++j;
    size_t expDigits = 0;
    for (; j < n && IsDigit(text[j]); ++j) ++expDigits;
    if (expDigits) i = j;
  }
  // Only the checked stretch reaches the converter, so none of its own extras (hex, "inf") can slip in.
  const std::wstring number = text.substr(start, i - start);
  return std::wcstod(number.c_str(), nullptr);
}

double RoundHalfEven(double x) {
  const double down = std::floor(x);
  const double rest = x - down;
  if (rest > 0.5) return down + 1;
  if (rest < 0.5) return down;
  return std::fmod(down, 2.0) == 0.0 ? down : down + 1;
}

int64_t UnitBytes(const std::wstring& kilobytes) {
  const double bytes = RoundHalfEven(ReadUnitNumber(kilobytes) * 1024.0);
  // 2^63 and beyond has no meaning for a file length and would overflow the conversion.
  if (!(bytes >= 1.0 && bytes < 9223372036854775808.0)) return 0;
  return static_cast<int64_t>(bytes);
}

}  // namespace kt
