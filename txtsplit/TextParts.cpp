#include "TextParts.h"
#include <windows.h>
#include <algorithm>
#include <climits>
#include <cstring>

namespace kt {

namespace {
constexpr UINT kGbk = 936;
}

std::wstring PartPath(const std::wstring& folder, uint32_t n) {
  const size_t slash = folder.rfind(L'\\');
  const std::wstring name = slash == std::wstring::npos ? folder : folder.substr(slash + 1);
  return folder + L"\\" + name + std::to_wstring(n) + L".txt";
}

std::wstring HeadLineText(const char* bytes, size_t count) {
  const void* cr = count ? std::memchr(bytes, '\r', count) : nullptr;
  const size_t line = cr ? static_cast<size_t>(static_cast<const char*>(cr) - bytes) : count;
  const int length = static_cast<int>(std::min<size_t>(line, INT_MAX));
  if (length == 0) return {};
  int wide = ::MultiByteToWideChar(kGbk, 0, bytes, length, nullptr, 0);
  UINT codePage = kGbk;
  if (wide == 0) {  // a system without the GBK table: its own code page is the best left
    codePage = CP_ACP;
    wide = ::MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
  }
  std::wstring text(static_cast<size_t>(wide), L'\0');
  if (wide) ::MultiByteToWideChar(codePage, 0, bytes, length, text.data(), wide);
  return text;
}

}  // namespace kt
