#include "PieceSize.h"
#include <cmath>
#include <cwchar>
#include <cwctype>

namespace kt {

double ReadLeadingNumber(const CString& text) {
  size_t i = 0, n = text.size();
  while (i < n && std::iswspace(text[i])) ++i;
  size_t start = i;
  if (i < n && (text[i] == L'+' || text[i] == L'-')) ++i;
  size_t digits = 0;
  while (i < n && std::iswdigit(text[i]) && text[i] < 0x80) ++i, ++digits;
  if (i < n && text[i] == L'.') {
    ++i;
    while (i < n && std::iswdigit(text[i]) && text[i] < 0x80) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  if (i < n && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    if (j < n && (text[j] == L'+' || text[j] == L'-')) ++j;
    size_t expDigits = 0;
    while (j < n && std::iswdigit(text[j]) && text[j] < 0x80) ++j, ++expDigits;
    if (expDigits) i = j;
  }
  CString number = text.substr(start, i - start);
  return std::wcstod(number.c_str(), nullptr);
}

int64_t PieceSizeBytes(const CString& megabytes) {
  double bytes = std::trunc(ReadLeadingNumber(megabytes) * 1048576.0);
  // Beyond this the length has no meaning for a file, and the conversion would overflow.
  if (!(bytes >= -9.0e18 && bytes <= 9.0e18)) return 0;
  return static_cast<int64_t>(bytes);
}

}  // namespace kt
