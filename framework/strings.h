#pragma once
// Text helpers. Text is UTF-16 inside (std::wstring); file contents are bytes and never pass through here.
#include <windows.h>
#include <string>

using CString = std::wstring;

namespace kt {

// Index of the last occurrence of ch, or -1. On UTF-16 text a backslash can never be the trail half of a
// double-byte character, which is what the multibyte-aware search guards against.
inline int ReverseFind(const CString& s, wchar_t ch) {
  auto pos = s.rfind(ch);
  return pos == CString::npos ? -1 : static_cast<int>(pos);
}

// Text to the left of the last ch (the whole text when there is none).
inline CString LeftOfLast(const CString& s, wchar_t ch) {
  int i = ReverseFind(s, ch);
  return i < 0 ? s : s.substr(0, static_cast<size_t>(i));
}

// Reads the number at the start of text, leniently: leading blanks, an optional sign, digits with an optional
// "." fraction and an optional exponent (counted only with digits after it). Whatever follows is ignored
// ("100KB" reads as 100); text that does not begin with a number reads as 0.
double ReadLeadingNumber(const CString& text);

// Replaces every "%1" with arg.
CString FormatPercent1(const CString& pattern, const CString& arg);

}  // namespace kt
