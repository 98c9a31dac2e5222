#include "BoxRecorder.h"

namespace {
BoxRecorder* g_recorder = nullptr;

std::wstring TextOf(HWND h) {
  wchar_t buf[4096] = {};
  GetWindowTextW(h, buf, 4096);
  return buf;
}

UINT IconStyle(HWND box) {
  HWND icon = nullptr;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && (GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE)) icon = c;
  if (!icon) return 0;
  HICON h = reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0));
  struct { LPCWSTR id; UINT style; } icons[] = {
      {IDI_EXCLAMATION, MB_ICONEXCLAMATION}, {IDI_HAND, MB_ICONSTOP},
      {IDI_ASTERISK, MB_ICONINFORMATION}, {IDI_QUESTION, MB_ICONQUESTION}};
  for (auto& i : icons)
    if (h == LoadIconW(nullptr, i.id)) return i.style;
  return 0;
}

UINT ButtonStyle(HWND box) {
  bool yes = GetDlgItem(box, IDYES), no = GetDlgItem(box, IDNO), cancel = GetDlgItem(box, IDCANCEL);
  if (yes && no) return cancel ? MB_YESNOCANCEL : MB_YESNO;
  return cancel ? MB_OKCANCEL : MB_OK;
}
}  // namespace

BoxRecorder::BoxRecorder(int answer) : answer_(answer) {
  g_recorder = this;
  hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

BoxRecorder::~BoxRecorder() {
  UnhookWindowsHookEx(hook_);
  g_recorder = nullptr;
}

LRESULT CALLBACK BoxRecorder::Hook(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && g_recorder) {
    HWND box = reinterpret_cast<HWND>(wp);
    wchar_t cls[32] = {};
    GetClassNameW(box, cls, 32);
    HWND text = GetDlgItem(box, 0xFFFF);
    bool alreadySeen = GetPropW(box, L"kt.test.seen") != nullptr;
    if (!alreadySeen && lstrcmpW(cls, L"#32770") == 0 && text) {
      SetPropW(box, L"kt.test.seen", reinterpret_cast<HANDLE>(1));
      g_recorder->boxes.push_back({TextOf(box), TextOf(text), IconStyle(box) | ButtonStyle(box)});
      if (g_recorder->onBox) g_recorder->onBox(box);
      PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(g_recorder->answer_), 0);
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
