// The real KTTxtSplit.exe, started as a process and driven from outside: the start notice, the second
// instance, a start without the notification component, the ways it ends, its resources.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>
#include <algorithm>
#include <string>
#include <vector>
#include "E2E.h"
#include "Fixtures.h"
#include "frmTxtSplit.h"

namespace {

const wchar_t kCaption[] = L"TXT文件分割工具 V1.5";
const std::string kNotice = "ktfilesplit|Other information,Not used.\n";

std::wstring ExePath() { return e2e::ProgramPath(L"KTTxtSplit.exe"); }

bool IsFormWindow(HWND h) {
  wchar_t cls[32] = {};
  GetClassNameW(h, cls, 32);
  return lstrcmpW(cls, kt::forms::Form::kClassName) == 0;
}

// Names the notice log for the program about to start; the started program inherits it.
std::wstring WithNoticeLog(const std::wstring& log) {
  SetEnvironmentVariableW(L"KT_NOTIFY_LOG", log.c_str());
  return ExePath();
}

// The real program, started with its notices going to log; ended, if still running, at the end.
class Program : public e2e::Process {
public:
  explicit Program(const std::wstring& log) : e2e::Process(WithNoticeLog(log)) {
    SetEnvironmentVariableW(L"KT_NOTIFY_LOG", nullptr);
  }
  // Its window, once shown (waits up to 30 s).
  HWND waitForWindow() const { return WaitWindow(IsMain, 30000); }
  HWND window() const {
    for (HWND h : Windows())
      if (IsMain(h)) return h;
    return nullptr;
  }
  // Waits for the end; returns the exit code, or -1 when still running after the time.
  long waitForExit(DWORD ms = 15000) const {
    DWORD code = 0;
    return WaitExit(ms, &code) ? static_cast<long>(code) : -1;
  }

private:
  static bool IsMain(HWND h) { return IsFormWindow(h) && kt::WindowText(h) == kCaption; }
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
  ASSERT_TRUE(p.started()) << GetLastError();
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
  ASSERT_TRUE(second.started());
  // The second one ends by itself, without a window of its own, visible or not, while it runs.
  bool sawWindow = false;
  while (WaitForSingleObject(second.handle(), 20) == WAIT_TIMEOUT)
    for (HWND h : second.Windows(false))
      if (IsFormWindow(h)) sawWindow = true;
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
    EXPECT_EQ(1u, p.Windows().size()) << "nothing but the window shows";
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
