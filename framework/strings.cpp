#include "strings.h"
#include <cwchar>

namespace kt {

namespace {
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x3000; }
}  // namespace

double ReadLeadingNumber(const CString& text) {
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
  if (i < n && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    if (j < n && (text[j] == L'+' || text[j] == L'-')) ++j;
    size_t expDigits = 0;
    for (; j < n && IsDigit(text[j]); ++j) ++expDigits;
    if (expDigits) i = j;
  }
  // Only the checked stretch reaches the converter, so none of its own extras (hex, "inf") can slip in.
  return std::wcstod(text.substr(start, i - start).c_str(), nullptr);
}

CString FormatPercent1(const CString& pattern, const CString& arg) {
  CString out;
  out.reserve(pattern.size() + arg.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L'1') {
      out += arg;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace kt
