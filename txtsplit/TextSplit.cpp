#include "TextSplitHost.h"
#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>
#include "TextParts.h"
#include "UnitSize.h"
#include "file.h"
#include "waitcursor.h"

namespace kt {

namespace {

const wchar_t kTitle[] = L"提示：";
const wchar_t kQuestionTitle[] = L"汉字断开识别";
const wchar_t kQuestion[] = L"请确认分割后文件头部文字是否正确？";

// Parts are copied through this block, so memory stays the same whatever the unit size.
constexpr size_t kCopyBlock = 1 << 20;
// The head line is shown in a box; a part without a carriage return is not read whole for it.
constexpr size_t kHeadLimit = 64 * 1024;
constexpr size_t kHeadChunk = 4096;

void Tell(TextSplitHost& host, const std::wstring& text) { host.Box(text, kTitle, MB_ICONINFORMATION); }

void SeekTo(CFile& file, uint64_t offset) {
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(file.Handle(), to, nullptr, FILE_BEGIN)) {
    const LONG os = static_cast<LONG>(::GetLastError());
    throw CFileException(CFileException::OsErrorToCause(os), os, file.GetFilePath());
  }
}

// Writes the source bytes [offset, offset + length) as the file at path. Whatever an earlier run left there
// is cut off; a part that could not be written whole is removed, so no cut-short part passes for a whole one.
bool WritePart(CFile& source, uint64_t offset, uint64_t length, const std::wstring& path,
               std::vector<char>& buffer) {
  CFile part;
  if (!part.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary))
    return false;
  try {
    SeekTo(source, offset);
    while (length > 0) {
      const UINT want = static_cast<UINT>(std::min<uint64_t>(length, buffer.size()));
      const UINT got = source.Read(buffer.data(), want);
      if (got == 0) throw CFileException(CFileException::endOfFile, ERROR_HANDLE_EOF, source.GetFilePath());
      part.Write(buffer.data(), got);
      length -= got;
    }
    part.Close();
    return true;
  } catch (const CFileException&) {
    part.Abort();
    ::DeleteFileW(path.c_str());
    return false;
  }
}

// The head line of the part file at path; empty when it cannot be read.
std::wstring ReadHeadLine(const std::wstring& path) {
  CFile part;
  if (!part.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return {};
  std::vector<char> bytes;
  try {
    char chunk[kHeadChunk];
    while (bytes.size() < kHeadLimit) {
      const UINT got = part.Read(chunk, static_cast<UINT>(std::min(kHeadChunk, kHeadLimit - bytes.size())));
      if (got == 0) break;
      bytes.insert(bytes.end(), chunk, chunk + got);
      if (std::find(chunk, chunk + got, '\r') != chunk + got) break;
    }
  } catch (const CFileException&) {
    return {};
  }
  return HeadLineText(bytes.data(), bytes.size());
}

}  // namespace

void TextSplit(TextSplitHost& host) {
  const std::wstring sourcePath = host.SourcePath();
  if (sourcePath.empty()) {
    Tell(host, L"请先选择要分割的TXT文件！");
    return;
  }
  CFile source;
  uint64_t length = 0;
  try {
    if (!source.Open(sourcePath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
      throw CFileException();
    length = source.GetLength();
  } catch (const CFileException&) {
    Tell(host, L"目标文件无法打开！");
    return;
  }

  const int64_t unit = UnitBytes(host.UnitText());
  if (unit < 1) {
    Tell(host, L"分割单位无效，请输入大于0的数值！");
    return;
  }
  const uint64_t u = static_cast<uint64_t>(unit);
  if (length <= u) {
    Tell(host, L"目标文件小于或等于单位尺寸，无须分割！");
    return;
  }
  const uint64_t count = length / u + (length % u ? 1 : 0);
  // Part numbers are 32-bit; a unit that small for this source cannot work either.
  if (count > static_cast<uint64_t>(INT32_MAX)) {
    Tell(host, L"分割单位无效，请输入大于0的数值！");
    return;
  }
  host.ShowPartCount(std::to_wstring(count));

  uint32_t failed = 0;
  {
    CWaitCursor wait;
    // One byte more than a part, for a part that is written again one byte earlier.
    std::vector<char> buffer(static_cast<size_t>(std::min<uint64_t>(u + 1, kCopyBlock)));
    for (uint32_t n = 1; n <= count; ++n) {
      const uint64_t start = (n - 1) * u;
      const uint64_t size = std::min(u, length - start);  // the last part holds what is left
      const std::wstring path = PartPath(host.FolderPath(), n);
      if (!WritePart(source, start, size, path, buffer)) {
        ++failed;
        continue;
      }
      if (n < 2 || !host.ConfirmHeads()) continue;

      const int answer = host.Box(kQuestion + std::wstring(L"\r") + ReadHeadLine(path), kQuestionTitle, MB_YESNO);
      wait.Restore();
      if (answer != IDNO) continue;
      // A double-byte character was cut at the start: the part begins one byte earlier and still ends where it
      // did, so the byte it takes from the part before is in both and no byte is lost.
      ::DeleteFileW(path.c_str());
      if (!WritePart(source, start - 1, size + 1, path, buffer)) ++failed;
    }
    source.Abort();
  }

  if (failed) {
    Tell(host, L"有 " + std::to_wstring(failed) + L" 个分割文件未能写入，请检查目标位置！");
    return;
  }
  Tell(host, L"分割完成，点击确定打开分割目录！");
  host.OpenFolder(host.FolderPath());
}

}  // namespace kt
