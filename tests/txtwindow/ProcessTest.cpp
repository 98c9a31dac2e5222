// The real KTTxtSplit.exe, started as a process and driven from outside: the start notice, the second
// instance, a start without the notification component, the ways it ends, its resources.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>
#include <algorithm>
#include <string>
#include <vector>
#include "Fixtures.h"
#include "frmTxtSplit.h"

namespace {

const wchar_t kCaption[] = L"TXT文件分割工具 V1.5";
const std::string kNotice = "ktfilesplit|Other information,Not used.\n";

std::wstring ExePath() {
  std::wstring dir = KT_BIN_DIR;
  for (auto& c : dir)
    if (c == L'/') c = L'\\';
  return L"Z:" + dir + L"\\KTTxtSplit.exe";
}

// The program's windows: top-level, of the forms' class, with the caption; visible ones only if asked.
std::vector<HWND> WindowsOf(DWORD pid, bool visibleOnly) {
  struct Search { DWORD pid; bool visible; std::vector<HWND> found; } s{pid, visibleOnly, {}};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == s->pid && (!s->visible || IsWindowVisible(h))) s->found.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

class Program {
public:
  explicit Program(const std::wstring& log) {
    SetEnvironmentVariableW(L"KT_NOTIFY_LOG", log.c_str());
    STARTUPINFOW si{sizeof(si)};
    std::wstring cmd = L"\"" + ExePath() + L"\"";
    started = CreateProcessW(ExePath().c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(L"KT_NOTIFY_LOG", nullptr);
  }
  ~Program() {
    if (!started) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
      if (HWND h = window()) PostMessageW(h, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  // Its window, once shown (waits up to 30 s).
  HWND waitForWindow() const {
    for (int i = 0; i < 300; ++i) {
      if (HWND h = window()) return h;
      if (WaitForSingleObject(pi.hProcess, 100) != WAIT_TIMEOUT) return nullptr;
    }
    return nullptr;
  }
  HWND window() const {
    for (HWND h : WindowsOf(pi.dwProcessId, true)) {
      wchar_t cls[32] = {};
      GetClassNameW(h, cls, 32);
      if (lstrcmpW(cls, kt::forms::Form::kClassName) == 0 && kt::WindowText(h) == kCaption) return h;
    }
    return nullptr;
  }
  // Waits for the end; returns the exit code, or -1 when still running after the time.
  long waitForExit(DWORD ms = 15000) const {
    if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    return static_cast<long>(code);
  }

  BOOL started = FALSE;
  PROCESS_INFORMATION pi{};
};

std::string Text(const std::wstring& path) {
  auto b = ReadBytes(path);
  return std::string(b.begin(), b.end());
}

UINT MenuId(kt::forms::MenuItem frmTxtSplit::*item) {
  frmTxtSplit probe;  // never loaded: only for its menu ids
  return (probe.*item).Id();
}

TEST(TxtProcess, OneStartNotifiesOnceAndTheCloseBoxEndsIt) {
  TempDir dir;
  Program p(dir / L"notify.log");
  ASSERT_TRUE(p.started) << GetLastError();
  HWND w = p.waitForWindow();
  ASSERT_TRUE(w);
  // The notice comes from the load event, before the window shows.
  EXPECT_EQ(kNotice, Text(dir / L"notify.log"));
  PostMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_EQ(0, p.waitForExit());
  EXPECT_EQ(kNotice, Text(dir / L"notify.log"));
}

TEST(TxtProcess, SecondStartEndsSilentlyAndExitEndsTheFirst) {
  TempDir dir;
  Program first(dir / L"notify.log");
  ASSERT_TRUE(first.waitForWindow());
  Program second(dir / L"notify.log");
  ASSERT_TRUE(second.started);
  // The second one ends by itself, without a window of its own, visible or not, while it runs.
  bool sawWindow = false;
  while (WaitForSingleObject(second.pi.hProcess, 20) == WAIT_TIMEOUT)
    for (HWND h : WindowsOf(second.pi.dwProcessId, false)) {
      wchar_t cls[32] = {};
      GetClassNameW(h, cls, 32);
      if (lstrcmpW(cls, kt::forms::Form::kClassName) == 0) sawWindow = true;
    }
  EXPECT_EQ(0, second.waitForExit());
  EXPECT_FALSE(sawWindow);
  EXPECT_EQ(kNotice, Text(dir / L"notify.log")) << "only the first start gives notice";
  ASSERT_TRUE(first.window()) << "the first one runs on";

  // "退出" ends the program at once, with no question.
  PostMessageW(first.window(), WM_COMMAND, MAKEWPARAM(MenuId(&frmTxtSplit::mnuExit), 0), 0);
  EXPECT_EQ(0, first.waitForExit());
}

// Takes the component's registered name away for the life of the object, and puts it back.
class WithoutRegistration {
public:
  WithoutRegistration() {
    wchar_t value[64] = {};
    LONG size = sizeof(value);
    if (RegQueryValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\KTMWNotify.CNotify\\CLSID", value, &size) == ERROR_SUCCESS)
      clsid_ = value;
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\KTMWNotify.CNotify");
  }
  ~WithoutRegistration() {
    if (clsid_.empty()) return;
    RegSetValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\KTMWNotify.CNotify", REG_SZ, L"KTMWNotify.CNotify", 0);
    RegSetValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\KTMWNotify.CNotify\\CLSID", REG_SZ, clsid_.c_str(), 0);
  }
  bool wasRegistered() const { return !clsid_.empty(); }

private:
  std::wstring clsid_;
};

TEST(TxtProcess, WithoutTheComponentItStartsAsUsual) {
  TempDir dir;
  {
    WithoutRegistration gone;
    ASSERT_TRUE(gone.wasRegistered()) << "the test prefix registers the stand-in";
    CLSID clsid;
    ASSERT_NE(S_OK, CLSIDFromProgID(L"KTMWNotify.CNotify", &clsid));
    Program p(dir / L"notify.log");
    HWND w = p.waitForWindow();
    ASSERT_TRUE(w);
    EXPECT_TRUE(IsWindowEnabled(w)) << "no box of its own holds the window";
    EXPECT_EQ(1u, WindowsOf(p.pi.dwProcessId, true).size()) << "nothing but the window shows";
    EXPECT_FALSE(Exists(dir / L"notify.log"));
    PostMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, p.waitForExit());
  }
  CLSID clsid;
  EXPECT_EQ(S_OK, CLSIDFromProgID(L"KTMWNotify.CNotify", &clsid)) << "registration restored";
}

// ---- resources of the program file

std::wstring VersionString(const std::vector<char>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT len = 0;
  std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), &value, &len) || !value) return L"(missing)";
  return static_cast<const wchar_t*>(value);
}

TEST(TxtProcess, VersionRecordAndIcons) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(ExePath().c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(ExePath().c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(MAKELONG(5000, 1), static_cast<LONG>(fixed->dwFileVersionMS));  // 1.5000
  EXPECT_EQ(0u, fixed->dwFileVersionLS);                                      // .0.0
  EXPECT_EQ(MAKELONG(5000, 1), static_cast<LONG>(fixed->dwProductVersionMS));
  EXPECT_EQ(0u, fixed->dwProductVersionLS);
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
  ASSERT_GE(len, 4u);
  EXPECT_EQ(0x0804, translation[0]);
  EXPECT_EQ(1200, translation[1]);
  EXPECT_EQ(L"TXT文本文件分割器", VersionString(info, L"ProductName"));
  EXPECT_EQ(L"KTTxtSplit", VersionString(info, L"InternalName"));
  EXPECT_EQ(L"KTTxtSplit.exe", VersionString(info, L"OriginalFilename"));
  EXPECT_EQ(L"1.5000.0.0", VersionString(info, L"FileVersion"));
  EXPECT_EQ(L"1.5000.0.0", VersionString(info, L"ProductVersion"));

  // One icon group of four images: 16 and 32 pixels, each in 256 colours and in 24-bit colour.
  HMODULE exe = LoadLibraryExW(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(exe);
  int groups = 0;
  EnumResourceNamesW(exe, RT_GROUP_ICON, [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR n) -> BOOL {
    ++*reinterpret_cast<int*>(n);
    return TRUE;
  }, reinterpret_cast<LONG_PTR>(&groups));
  EXPECT_EQ(1, groups);
  HRSRC res = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  ASSERT_TRUE(res);
  auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(exe, res)));
  ASSERT_TRUE(dir);
  WORD count = *reinterpret_cast<const WORD*>(dir + 4);
  std::vector<std::pair<int, int>> images;  // size, bits per pixel
  for (WORD i = 0; i < count; ++i) {
    const BYTE* e = dir + 6 + 14 * i;  // packed group entries
    images.push_back({e[0], *reinterpret_cast<const WORD*>(e + 6)});
  }
  std::sort(images.begin(), images.end());
  EXPECT_EQ((std::vector<std::pair<int, int>>{{16, 8}, {16, 24}, {32, 8}, {32, 24}}), images);
  FreeLibrary(exe);
}

}  // namespace
