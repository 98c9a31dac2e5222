#include "E2E.h"
#include <tlhelp32.h>
#include <algorithm>
#include <map>

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

// Every program a test starts, and whatever those start, is in one job that ends with the test process: a test
// stopped by its time limit, or one that crashes, leaves nothing running for the next test.
HANDLE TestJob() {
  static HANDLE job = [] {
    HANDLE j = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION info{};
    info.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (j && !SetInformationJobObject(j, JobObjectExtendedLimitInformation, &info, sizeof info)) {
      CloseHandle(j);
      j = nullptr;
    }
    return j;
  }();
  return job;
}

}  // namespace

std::wstring WindowsPath(std::wstring path) {
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  // A Unix path seen through Wine's drive of the root.
  if (!path.empty() && path[0] == L'\\') path = L"Z:" + path;
  return path;
}

std::wstring ProgramPath(const std::wstring& exeName) {
  wchar_t env[1024] = {};
  DWORD n = GetEnvironmentVariableW(L"KT_BIN_DIR", env, 1024);
  std::wstring dir = WindowsPath(n > 0 && n < 1024 ? env : KT_BIN_DIR);
  while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  return dir + L"\\" + exeName;
}

bool UseOwnDesktop() {
  std::wstring name = L"kt-e2e-" + std::to_wstring(GetCurrentProcessId());
  HDESK desk = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (!desk || !SetThreadDesktop(desk)) return false;
  // The desktop's own window (and Wine's process behind it) comes from this process, not from the first
  // program started there, so it is never taken for something a program started.
  return GetDesktopWindow() != nullptr;
}

std::vector<HWND> DesktopWindows() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        if (IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

DWORD ProcessOf(HWND h) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  return pid;
}

std::wstring ImagePath(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  wchar_t path[MAX_PATH * 4] = {};
  DWORD size = MAX_PATH * 4;
  BOOL ok = QueryFullProcessImageNameW(process, 0, path, &size);
  CloseHandle(process);
  return ok ? std::wstring(path, size) : std::wstring();
}

std::vector<DWORD> DescendantsOf(DWORD pid) {
  std::multimap<DWORD, DWORD> children;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return {};
  PROCESSENTRY32W e{sizeof(e)};
  for (BOOL more = Process32FirstW(snap, &e); more; more = Process32NextW(snap, &e))
    if (e.th32ProcessID != e.th32ParentProcessID) children.emplace(e.th32ParentProcessID, e.th32ProcessID);
  CloseHandle(snap);
  // Never this process, nor the one behind the desktop's window.
  const DWORD spared[] = {GetCurrentProcessId(), ProcessOf(GetDesktopWindow())};
  std::vector<DWORD> found;
  std::vector<DWORD> todo{pid};
  while (!todo.empty()) {
    DWORD parent = todo.back();
    todo.pop_back();
    auto range = children.equal_range(parent);
    for (auto it = range.first; it != range.second; ++it) {
      DWORD child = it->second;
      if (std::find(std::begin(spared), std::end(spared), child) != std::end(spared) ||
          std::find(found.begin(), found.end(), child) != found.end())
        continue;
      found.push_back(child);
      todo.push_back(child);
    }
  }
  return found;
}

bool EndProcess(DWORD pid, DWORD ms) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!process) return true;  // already gone
  for (HWND h : DesktopWindows())
    if (ProcessOf(h) == pid) PostMessageW(h, WM_CLOSE, 0, 0);
  bool ended = WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
  if (!ended) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
  }
  CloseHandle(process);
  return ended;
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
  // A box without an icon keeps its icon static, empty and of no size.
  for (HWND c : Children(h)) {
    RECT r{};
    DWORD_PTR icon = 0;
    if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(c) &&
        lstrcmpiW(ClassOf(c).c_str(), L"Static") == 0 && GetClientRect(c, &r) && !IsRectEmpty(&r) &&
        SendMessageTimeoutW(c, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &icon) && icon)
      box.hasIcon = true;
  }
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

bool WaitUntil(const std::function<bool()>& condition, DWORD ms) {
  return WaitFor([&]() -> HWND { return condition() ? HWND(1) : nullptr; }, ms) != nullptr;
}

HWND WaitDesktopWindow(const std::function<bool(HWND)>& match, DWORD ms) {
  return WaitFor(
      [&]() -> HWND {
        for (HWND h : DesktopWindows())
          if (IsWindowEnabled(h) && match(h)) return h;
        return nullptr;
      },
      ms);
}

HWND FindChild(HWND parent, const std::wstring& cls, const std::wstring& text) {
  for (HWND c : Children(parent))
    if (lstrcmpiW(ClassOf(c).c_str(), cls.c_str()) == 0 && Text(c) == text) return c;
  return nullptr;
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

void Press(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool IsChecked(HWND button) {
  DWORD_PTR state = 0;
  return SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &state) &&
         state == BST_CHECKED;
}

bool PickFromList(HWND dialog, int comboId, const std::wstring& entry) {
  HWND combo = GetDlgItem(dialog, comboId);
  DWORD_PTR index = 0, result = 0;
  if (!combo ||
      !SendMessageTimeoutW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(entry.c_str()), SMTO_ABORTIFHUNG, kTimeoutMs, &index) ||
      static_cast<LRESULT>(index) == CB_ERR)
    return false;
  if (!SendMessageTimeoutW(combo, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &result) ||
      static_cast<LRESULT>(result) != static_cast<LRESULT>(index))
    return false;
  // The list tells its parent itself only when the user picks; a selection set by message does not.
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

bool Answer(HWND box, int id, DWORD ms) {
  if (!IsWindow(box)) return false;
  Click(box, id);
  return WaitFor([&]() -> HWND { return IsWindow(box) ? nullptr : HWND(1); }, ms) != nullptr;
}

Process::Process(const std::wstring& exe, const std::wstring& args, const std::wstring& dir) {
  std::wstring desktop = DesktopName();
  STARTUPINFOW si{sizeof(si)};
  if (!desktop.empty() && desktop != L"Default") si.lpDesktop = desktop.data();
  std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
  // Suspended until it is in the job, so that nothing it starts escapes the job.
  started_ = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                            dir.empty() ? nullptr : dir.c_str(), &si, &pi_) != FALSE;
  if (!started_) return;
  if (HANDLE job = TestJob()) AssignProcessToJobObject(job, pi_.hProcess);
  ResumeThread(pi_.hThread);
}

Process::Process(DWORD pid) {
  pi_.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
  pi_.dwProcessId = pid;
  started_ = pi_.hProcess != nullptr;
}

Process::~Process() {
  if (!started_) return;
  Close();
  if (pi_.hThread) CloseHandle(pi_.hThread);
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
  if (!started_) return true;
  // Taken first: once the program is gone, what it started no longer traces back to it.
  std::vector<DWORD> started = DescendantsOf(pi_.dwProcessId);
  bool ended = true;
  if (Running()) {
    for (HWND h : Windows()) PostMessageW(h, WM_CLOSE, 0, 0);
    ended = WaitExit(ms);
    if (!ended) {
      TerminateProcess(pi_.hProcess, 1);
      WaitForSingleObject(pi_.hProcess, 5000);
    }
  }
  for (DWORD pid : started) EndProcess(pid);
  return ended;
}

std::vector<DWORD> Process::RunningDescendants() const {
  std::vector<DWORD> running;
  if (!started_) return running;
  for (DWORD pid : DescendantsOf(pi_.dwProcessId)) {
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!h) continue;
    if (WaitForSingleObject(h, 0) == WAIT_TIMEOUT) running.push_back(pid);
    CloseHandle(h);
  }
  return running;
}

}  // namespace e2e
