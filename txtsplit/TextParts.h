#pragma once
// Names and head lines of the text parts.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kt {

// folder + "\" + the folder's own name (after its last backslash) + n + ".txt".
std::wstring PartPath(const std::wstring& folder, uint32_t n);

// The head line of a part from its first bytes: up to, not including, the first carriage return (a line feed
// alone does not end it), decoded as GBK whatever the system's code page.
std::wstring HeadLineText(const char* bytes, size_t count);

}  // namespace kt
