#include "E2E.h"

namespace e2e {

namespace {

const UINT kTimeoutMs = 5000;  // for one message sent to another process

std::wstring DesktopName() {
  wchar_t name[256] = {};
  DWORD needed = 0;
  if (!GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, &needed))
    return {};
  return name;
}

bool IsVisibleTop(HWND h) { return IsWindowVisible(h) != FALSE; }

}  // namespace

std::wstring ProgramPath(const std::wstring& exeName) {
  std::wstring dir = KT_BIN_DIR;
  for (auto& c : dir)
    if (c == L'/') c = L'\\';
  // A Unix path of the build seen through Wine's drive of the root.
  if (!dir.empty() && dir[0] == L'\\') dir = L"Z:" + dir;
  return dir + L"\\" + exeName;
}

bool UseOwnDesktop() {
  std::wstring name = L"kt-e2e-" + std::to_wstring(GetCurrentProcessId());
  HDESK desk = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  return desk && SetThreadDesktop(desk);
}

std::wstring Text(HWND h) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           kTimeoutMs, &got))
    return {};
  text.resize(got);
  return text;
}

std::wstring ClassOf(HWND h) {
  wchar_t cls[256] = {};
  GetClassNameW(h, cls, 256);
  return cls;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  return children;
}

std::vector<std::wstring> ChildTexts(HWND parent) {
  std::vector<std::wstring> texts;
  for (HWND c : Children(parent)) texts.push_back(Text(c));
  return texts;
}

bool IsMessageBox(HWND h) {
  if (ClassOf(h) != L"#32770") return false;
  int texts = 0;
  for (HWND c : Children(h)) {
    if (GetDlgCtrlID(c) != 0xFFFF) continue;
    // Dialogs of the programs have unnamed statics too, but never just one that is not an icon.
    if (lstrcmpiW(ClassOf(c).c_str(), L"Static") != 0 || (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      return false;
    ++texts;
  }
  return texts == 1;
}

Box ReadBox(HWND h) {
  Box box;
  if (!IsMessageBox(h)) return box;
  box.hwnd = h;
  box.caption = Text(h);
  box.text = Text(GetDlgItem(h, 0xFFFF));
  bool yes = GetDlgItem(h, IDYES), no = GetDlgItem(h, IDNO), cancel = GetDlgItem(h, IDCANCEL);
  box.buttons = yes && no ? (cancel ? MB_YESNOCANCEL : MB_YESNO) : (cancel ? MB_OKCANCEL : MB_OK);
  for (HWND c : Children(h))
    if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(c) &&
        lstrcmpiW(ClassOf(c).c_str(), L"Static") == 0)
      box.hasIcon = true;
  return box;
}

HWND WaitFor(const std::function<HWND()>& f, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND h = f()) return h;
    if (GetTickCount() - start >= ms) return nullptr;
    Sleep(20);
  }
}

void Click(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool TypeInto(HWND dialog, int id, const std::wstring& text) {
  HWND control = GetDlgItem(dialog, id);
  DWORD_PTR result = 0;
  return control && SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                        SMTO_ABORTIFHUNG, kTimeoutMs, &result) && result;
}

void SysCommand(HWND window, UINT command) { PostMessageW(window, WM_SYSCOMMAND, command, 0); }

Process::Process(const std::wstring& exe, const std::wstring& args, const std::wstring& dir) {
  std::wstring desktop = DesktopName();
  STARTUPINFOW si{sizeof(si)};
  if (!desktop.empty() && desktop != L"Default") si.lpDesktop = desktop.data();
  std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
  started_ = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            dir.empty() ? nullptr : dir.c_str(), &si, &pi_) != FALSE;
}

Process::~Process() {
  if (!started_) return;
  Close();
  CloseHandle(pi_.hThread);
  CloseHandle(pi_.hProcess);
}

bool Process::Running() const { return started_ && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

std::vector<HWND> Process::Windows(bool visibleOnly) const {
  struct Search {
    DWORD pid;
    bool visibleOnly;
    std::vector<HWND> found;
  } s{pi_.dwProcessId, visibleOnly, {}};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == s->pid && (!s->visibleOnly || IsVisibleTop(h))) s->found.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND Process::WaitWindow(const std::function<bool(HWND)>& match, DWORD ms) const {
  if (!started_) return nullptr;
  return WaitFor(
      [&]() -> HWND {
        for (HWND h : Windows())
          if (IsWindowEnabled(h) && match(h)) return h;
        return nullptr;
      },
      ms);
}

HWND Process::WaitWindow(const std::wstring& caption, DWORD ms) const {
  return WaitWindow([&](HWND h) { return Text(h) == caption; }, ms);
}

HWND Process::WaitDialog(const std::wstring& caption, DWORD ms) const {
  return WaitWindow([&](HWND h) { return ClassOf(h) == L"#32770" && !IsMessageBox(h) && Text(h) == caption; },
                    ms);
}

Box Process::WaitBox(DWORD ms) const { return ReadBox(WaitWindow(IsMessageBox, ms)); }

bool Process::WaitGone(HWND h, DWORD ms) const {
  return WaitFor([&]() -> HWND { return IsWindow(h) ? nullptr : HWND(1); }, ms) != nullptr;
}

bool Process::WaitExit(DWORD ms, DWORD* code) const {
  if (!started_ || WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(pi_.hProcess, code);
  return true;
}

bool Process::Close(DWORD ms) {
  if (!Running()) return true;
  for (HWND h : Windows()) PostMessageW(h, WM_CLOSE, 0, 0);
  if (WaitExit(ms)) return true;
  TerminateProcess(pi_.hProcess, 1);
  WaitForSingleObject(pi_.hProcess, 5000);
  return false;
}

}  // namespace e2e
