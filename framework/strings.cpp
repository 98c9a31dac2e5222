#include "strings.h"

namespace kt {

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
