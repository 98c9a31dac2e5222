#include "file.h"

namespace {

const wchar_t* const kCauseTexts[CFileException::causeCount] = {
    L"无错误发生。",
    L"在对 %1 进行访问时发生了一个不明错误。",
    L"没有找到 %1。",
    L"%1 中包含无效的路径。",
    L"无法打开 %1 因为太多文件已被打开。",
    L"对 %1 的存取被拒绝。",
    L"一个无效的文件柄与 %1 相关联。",
    L"无法删除 %1 因为它是当前目录。",
    L"该目录已满，无法创建 %1。",
    L"对 %1 进行查找失败。",
    L"在存取 %1 时一个硬件输入/输出错误被报告。",
    L"在存取 %1 时发生共享违例。",
    L"在存取 %1 时发生锁违例。",
    L"在存取 %1 时磁盘已满。",
    L"试图越过其尾端对 %1 进行读写。",
};

// The name shown when a read fails: no path is known to the user's text then.
const wchar_t kUnnamedFile[] = L"一未命名文件";

CString FullPath(const CString& path) {
  DWORD n = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  CString full(n, L'\0');
  n = ::GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  full.resize(n);
  return full;
}

}  // namespace

const wchar_t* CFileException::CauseText(int cause) {
  if (cause < 0 || cause >= causeCount) cause = generic;
  return kCauseTexts[cause];
}

CString CFileException::GetErrorMessage() const {
  return kt::FormatPercent1(CauseText(m_cause), m_strFileName);
}

int CFileException::OsErrorToCause(LONG osError) {
  switch (osError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_NAME: case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: case ERROR_BAD_NETPATH: case ERROR_DIRECTORY: case ERROR_FILENAME_EXCED_RANGE:
      return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED: case ERROR_WRITE_PROTECT: case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS: case ERROR_ALREADY_EXISTS:
      return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK: case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC: case ERROR_READ_FAULT: case ERROR_WRITE_FAULT: case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY: case ERROR_SECTOR_NOT_FOUND: case ERROR_IO_DEVICE: case ERROR_DEV_NOT_EXIST:
      return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return generic;
  }
}

BOOL CFile::Open(const CString& path, UINT flags, CFileException* error) {
  Abort();
  DWORD access = 0;
  switch (flags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD share = 0;
  switch (flags & 0x70) {
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    default: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
  }
  DWORD creation = OPEN_EXISTING;
  if (flags & modeCreate) creation = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

  HANDLE h = ::CreateFileW(path.c_str(), access, share, nullptr, creation,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    LONG os = static_cast<LONG>(::GetLastError());
    if (error) *error = CFileException(CFileException::OsErrorToCause(os), os, path);
    return FALSE;
  }
  m_file.reset(h);
  m_strFileName = FullPath(path);
  return TRUE;
}

void CFile::Throw(DWORD osError, const CString& name) const {
  throw CFileException(CFileException::OsErrorToCause(static_cast<LONG>(osError)),
                       static_cast<LONG>(osError), name);
}

UINT CFile::Read(void* buffer, UINT count) {
  if (count == 0) return 0;
  DWORD got = 0;
  if (!::ReadFile(m_file.get(), buffer, count, &got, nullptr)) {
    DWORD os = ::GetLastError();
    if (os == ERROR_BROKEN_PIPE || os == ERROR_HANDLE_EOF) return 0;
    Throw(os, kUnnamedFile);
  }
  return got;
}

void CFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  DWORD put = 0;
  if (!::WriteFile(m_file.get(), buffer, count, &put, nullptr)) Throw(::GetLastError(), m_strFileName);
  if (put < count) Throw(ERROR_DISK_FULL, m_strFileName);
}

uint64_t CFile::GetLength() const {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(m_file.get(), &size)) Throw(::GetLastError(), m_strFileName);
  return static_cast<uint64_t>(size.QuadPart);
}

CString CFile::GetFileName() const {
  auto pos = m_strFileName.find_last_of(L"\\/:");
  return pos == CString::npos ? m_strFileName : m_strFileName.substr(pos + 1);
}

void CFile::Close() {
  if (!m_file) return;
  HANDLE h = m_file.release();
  if (!::CloseHandle(h)) Throw(::GetLastError(), m_strFileName);
}

void CFile::Abort() { m_file.reset(); }
