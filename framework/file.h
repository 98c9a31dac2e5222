#pragma once
// Binary files with the open and share modes the commands use. Read and write failures throw
// CFileException; the destructor closes silently. Lengths and offsets are 64-bit.
#include <windows.h>
#include <cstdint>
#include "handle.h"
#include "strings.h"

class CFileException {
public:
  enum Cause {
    none = 0, generic, fileNotFound, badPath, tooManyOpenFiles, accessDenied, invalidFile,
    removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation, lockViolation, diskFull,
    endOfFile,
  };
  static constexpr int causeCount = endOfFile + 1;

  CFileException() = default;
  CFileException(int cause, LONG osError, CString fileName)
      : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

  // The user's text for this failure, "%1" replaced by the file name.
  CString GetErrorMessage() const;

  static int OsErrorToCause(LONG osError);
  static const wchar_t* CauseText(int cause);  // with "%1" still in it

  int m_cause = none;
  LONG m_lOsError = 0;
  CString m_strFileName;
};

class CFile {
public:
  enum OpenFlags : UINT {
    modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002,
    shareCompat = 0x0000, shareExclusive = 0x0010, shareDenyWrite = 0x0020, shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoTruncate = 0x00100, modeCreate = 0x01000,
    typeText = 0x04000, typeBinary = 0x08000,
  };

  CFile() = default;
  ~CFile() = default;  // the owner closes silently
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // On failure returns FALSE and, when given, fills *error (cause, OS error, the path as given).
  BOOL Open(const CString& path, UINT flags, CFileException* error = nullptr);
  // Reads up to count bytes; 0 at the end of the file.
  UINT Read(void* buffer, UINT count);
  // Writes all count bytes; a short write counts as a full disk.
  void Write(const void* buffer, UINT count);
  uint64_t GetLength() const;
  CString GetFileName() const;  // text after the last backslash, slash or colon of the full path
  const CString& GetFilePath() const { return m_strFileName; }
  // Closes and reports a failed close as a file exception.
  void Close();
  // Closes without reporting anything.
  void Abort();
  bool IsOpen() const { return static_cast<bool>(m_file); }
  HANDLE Handle() const { return m_file.get(); }

private:
  [[noreturn]] void Throw(DWORD osError, const CString& name) const;

  kt::unique_file m_file;
  CString m_strFileName;  // full path of the open file
};
