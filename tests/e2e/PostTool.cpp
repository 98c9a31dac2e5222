// ktpost CAPTION MESSAGE WPARAM [LPARAM]: posts a message to the top-level window with that caption, waiting
// up to 15 s for it to show. For showing a window of a running program under a display, such as the About box
// for a screenshot (ktpost 岚石大文件分割器V1.5 0x112 0x10).
#include <windows.h>
#include <cwchar>
#include "E2E.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    fwprintf(stderr, L"usage: ktpost CAPTION MESSAGE WPARAM [LPARAM]\n");
    return 2;
  }
  std::wstring caption = argv[1];
  UINT msg = static_cast<UINT>(wcstoul(argv[2], nullptr, 0));
  WPARAM wp = static_cast<WPARAM>(wcstoull(argv[3], nullptr, 0));
  LPARAM lp = argc > 4 ? static_cast<LPARAM>(wcstoll(argv[4], nullptr, 0)) : 0;
  HWND target = e2e::WaitFor(
      [&]() -> HWND {
        HWND found = nullptr;
        struct Search { const std::wstring* caption; HWND* found; } s{&caption, &found};
        EnumWindows(
            [](HWND h, LPARAM p) -> BOOL {
              auto* s = reinterpret_cast<Search*>(p);
              if (IsWindowVisible(h) && e2e::Text(h) == *s->caption) {
                *s->found = h;
                return FALSE;
              }
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&s));
        return found;
      },
      15000);
  if (!target) {
    fwprintf(stderr, L"no window with that caption\n");
    return 1;
  }
  return PostMessageW(target, msg, wp, lp) ? 0 : 1;
}
