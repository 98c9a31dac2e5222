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

// Replaces every "%1" with arg.
CString FormatPercent1(const CString& pattern, const CString& arg);

}  // namespace kt
