// The split command: cuts the source into N.kt1, N.kt2, ... of P bytes each in the target folder.
#include <algorithm>
#include <climits>
#include <memory>
#include "CommandHost.h"
#include "PieceSize.h"

namespace kt {
namespace {

const wchar_t kCaption[] = L"提示";

CString PiecePath(const CString& folder, const CString& name, uint64_t index) {
  // The backslash is always inserted, even after a drive root's own.
  return folder + L"\\" + name + L".kt" + std::to_wstring(index);
}

int ClampToInt(uint64_t v) { return v > INT_MAX ? INT_MAX : static_cast<int>(v); }

// Closes the source on every way out, an exception included.
struct SourceCloser {
  CFile& file;
  ~SourceCloser() { file.Abort(); }
};

// Removes pieces beyond the new set's end that an earlier, longer split left behind, so that a later merge
// cannot join them. Returns false (after telling the user) when one of them cannot be removed.
bool RemoveStalePieces(CCommandHost& host, const CString& folder, const CString& name, uint64_t next) {
  for (;; ++next) {
    CString path = PiecePath(folder, name, next);
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    if (!::DeleteFileW(path.c_str())) {
      LONG os = static_cast<LONG>(::GetLastError());
      host.ShowAppBox(CFileException(CFileException::OsErrorToCause(os), os, path).GetErrorMessage(), MB_OK);
      return false;
    }
  }
}

}  // namespace

int DoSplit(CCommandHost& host) {
  CWaitCursor wait;
  const int64_t size = PieceSizeBytes(host.m_strPieceSize);
  host.ExchangeData(TRUE);
  // The size is the one typed when the command started; it is checked before anything is opened.
  if (size < 1) {
    host.ShowDialogBox(L"分割单位无效，请输入大于0的数值(MB).", kCaption, MB_ICONEXCLAMATION);
    return 1;
  }
  const uint64_t s = static_cast<uint64_t>(size);
  const uint64_t p = FullPieceLength(s);

  if (host.m_strSourcePath.empty()) {
    host.ShowDialogBox(L"请选择待分割的源文件.", kCaption, MB_ICONEXCLAMATION);
    return 1;
  }
  CFileException error;
  if (!host.m_fileSource.Open(host.m_strSourcePath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary,
                              &error)) {
    host.ShowAppBox(error.GetErrorMessage(), MB_OK);
    host.FocusSource();
    return 1;
  }
  SourceCloser closer{host.m_fileSource};
  const uint64_t length = host.m_fileSource.GetLength();

  if (host.m_strTargetFolder.empty()) {
    host.ShowDialogBox(L"请选择分割后保存到的目标文件夹.", kCaption, MB_ICONEXCLAMATION);
    return 1;
  }
  if (length < s) {
    host.ShowDialogBox(L"文件长度为 " + std::to_wstring(length) + L" 字节，不足" + std::to_wstring(s) +
                       L"字节, 没有必要再进行分割.",
                   kCaption, MB_ICONEXCLAMATION);
    host.m_fileSource.Close();
    host.m_strSourcePath.clear();
    host.m_strSourceName.clear();
    host.ExchangeData(FALSE);
    return 1;
  }

  const CString folder = host.m_strTargetFolder;
  const CString name = host.m_fileSource.GetFileName();
  const int upper = ClampToInt(length / s);
  std::unique_ptr<unsigned char[]> buffer(new unsigned char[kCopyBlock]);

  for (uint64_t n = 1;; ++n) {
    CFile piece;
    if (!piece.Open(PiecePath(folder, name, n),
                    CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary, &error)) {
      host.ShowAppBox(error.GetErrorMessage(), MB_OK);
      return 1;
    }
    // Every piece but the last holds exactly P bytes; a piece that reaches S is followed by another.
    uint64_t written = 0;
    while (written < p) {
      UINT want = static_cast<UINT>(std::min<uint64_t>(kCopyBlock, p - written));
      UINT got = host.m_fileSource.Read(buffer.get(), want);
      if (got == 0) break;
      piece.Write(buffer.get(), got);
      written += got;
    }
    piece.Close();

    host.ProgressRange(0, upper);
    host.ProgressPos(ClampToInt(n));
    host.m_strStatus = std::to_wstring(n) + L"个文件生成";
    host.ExchangeData(FALSE);
    host.Repaint();

    if (written < s) {
      host.m_fileSource.Close();
      if (!RemoveStalePieces(host, folder, name, n + 1)) return 1;
      ClearChoice(host);
      return 0;
    }
  }
}

}  // namespace kt
