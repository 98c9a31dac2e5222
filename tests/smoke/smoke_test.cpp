#include <windows.h>
#include <gtest/gtest.h>
TEST(Smoke, CodePage) { EXPECT_EQ(936u, GetACP()); }
TEST(Smoke, Window) {
  HWND h = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(nullptr, h);
  DestroyWindow(h);
}
