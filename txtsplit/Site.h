#pragma once
// The maker's web site; the menu pages lie on it.
namespace kt {
inline constexpr const wchar_t kSiteAddress[] = L"http://www.example.com";
}
