#include "Fixtures.h"
#include <shellapi.h>
#include <atomic>

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  path_ = std::wstring(base) + L"kt-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempDir::~TempDir() {
  std::wstring from = path_ + L'\0';
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

std::vector<unsigned char> Pattern(uint64_t length, uint32_t seed) {
  std::vector<unsigned char> v(length);
  uint32_t x = seed * 2654435761u + 12345u;
  for (auto& b : v) {
    x ^= x << 13; x ^= x >> 17; x ^= x << 5;
    b = static_cast<unsigned char>(x);
  }
  return v;
}

void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put = 0;
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    WriteFile(h, bytes.data() + done, chunk, &put, nullptr);
    done += put;
  }
  CloseHandle(h);
}

std::vector<unsigned char> ReadBytes(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER size{};
  GetFileSizeEx(h, &size);
  std::vector<unsigned char> v(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  DWORD got = 0;
  while (done < v.size() && ReadFile(h, v.data() + done, static_cast<DWORD>(std::min<size_t>(v.size() - done, 1 << 24)),
                                     &got, nullptr) && got)
    done += got;
  CloseHandle(h);
  return v;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int64_t FileLength(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring EnvPath(const wchar_t* name) {
  wchar_t buf[1024] = {};
  DWORD n = GetEnvironmentVariableW(name, buf, 1024);
  if (n == 0 || n >= 1024) return {};
  std::wstring unixPath = buf;
  if (unixPath.size() > 1 && unixPath[1] == L':') return unixPath;
  for (auto& c : unixPath) if (c == L'/') c = L'\\';
  return L"Z:" + unixPath;
}

LiveDialog::LiveDialog() {
  AfxGetApp()->SetDialogBkColor(RGB(200, 200, 200), RGB(100, 50, 50));
  dlg.Create(nullptr);
  AfxGetApp()->m_pMainWnd = &dlg;
}

LiveDialog::~LiveDialog() {
  AfxGetApp()->m_pMainWnd = nullptr;
  dlg.DestroyWindow();
}

std::wstring LiveDialog::text(int id) const {
  wchar_t buf[2048] = {};
  GetDlgItemTextW(dlg.m_hWnd, id, buf, 2048);
  return buf;
}

void LiveDialog::click(int id) const {
  SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(item(id)));
}
