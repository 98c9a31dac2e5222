// The merge command: joins N.kt1, N.kt2, ... from the first piece's folder into N in the target folder.
// The join goes to a temporary file beside the output, which replaces N only once the join is complete.
#include <algorithm>
#include <memory>
#include <vector>
#include "CommandHost.h"

namespace kt {
namespace {

const wchar_t kCaption[] = L"提示";
const wchar_t kChooseSource[] = L"请选择待合并的源文件.";

bool EndsWithKt1(const CString& name) {
  return name.size() >= 3 && name.compare(name.size() - 3, 3, L"kt1") == 0;
}

bool IsMissing(LONG osError) { return osError == ERROR_FILE_NOT_FOUND || osError == ERROR_PATH_NOT_FOUND; }

// The temporary output: removed on every way out unless it was moved over the output.
class TempOutput {
public:
  ~TempOutput() {
    file.Abort();
    if (!path.empty()) ::DeleteFileW(path.c_str());
  }
  // Creates a new, unique file in folder.
  bool Create(const CString& folder, CFileException* error) {
    std::vector<wchar_t> buf(folder.size() + MAX_PATH + 16);
    if (!::GetTempFileNameW(folder.c_str(), L"ktm", 0, buf.data())) {
      LONG os = static_cast<LONG>(::GetLastError());
      *error = CFileException(CFileException::OsErrorToCause(os), os, folder);
      return false;
    }
    path = buf.data();
    return file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary,
                     error) != FALSE;
  }
  // Closes the join and puts it in the output's place.
  void Commit(const CString& output) {
    file.Close();
    if (!::MoveFileExW(path.c_str(), output.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
      LONG os = static_cast<LONG>(::GetLastError());
      throw CFileException(CFileException::OsErrorToCause(os), os, output);
    }
    path.clear();
  }
  CFile file;
  CString path;
};

}  // namespace

int DoMerge(CCommandHost& host) {
  CWaitCursor wait;
  host.ExchangeData(TRUE);

  CFileException error;
  if (!host.m_strSourcePath.empty()) {
    if (!host.m_fileSource.Open(host.m_strSourcePath,
                                CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary, &error)) {
      host.ShowAppBox(error.GetErrorMessage(), MB_OK);
      host.FocusSource();
      return 1;
    }
    auto slash = host.m_strSourcePath.rfind(L'\\');
    host.m_strSourceName = slash == CString::npos ? host.m_strSourcePath : host.m_strSourcePath.substr(slash + 1);
    host.m_fileSource.Close();
  }
  const CString pieceFolder =
      host.m_strSourcePath.substr(0, host.m_strSourcePath.size() -
                                         std::min(host.m_strSourcePath.size(), host.m_strSourceName.size()));

  if (host.m_strTargetFolder.empty()) {
    host.ShowDialogBox(host.m_strSourcePath.empty() ? kChooseSource : L"请选择合并后要保存到的目标文件夹.", kCaption,
                   MB_ICONEXCLAMATION);
    return 1;
  }
  // A name left from an earlier choice does not count: without a source path nothing is merged.
  if (host.m_strSourcePath.empty()) {
    host.ShowDialogBox(kChooseSource, kCaption, MB_ICONEXCLAMATION);
    return 1;
  }
  if (!host.m_strSourceName.empty() && !EndsWithKt1(host.m_strSourceName)) {
    host.ShowAppBox(L"待合并的源文件名不对...", MB_ICONERROR);
    return 1;
  }
  if (host.m_strSourceName.empty()) {
    host.ShowDialogBox(kChooseSource, kCaption, MB_ICONEXCLAMATION);
    return 1;
  }

  host.m_strSourceName.resize(host.m_strSourceName.size() - std::min<size_t>(4, host.m_strSourceName.size()));
  const CString name = host.m_strSourceName;
  const CString output = host.m_strTargetFolder + L"\\" + name;
  host.m_strSourcePath = output;

  TempOutput temp;
  if (!temp.Create(host.m_strTargetFolder, &error)) {
    error.m_strFileName = output;  // the user knows the output's name, not the temporary one
    host.ShowAppBox(error.GetErrorMessage(), MB_OK);
    return 1;
  }

  std::unique_ptr<unsigned char[]> buffer(new unsigned char[kCopyBlock]);
  for (unsigned long long i = 1;; ++i) {
    CString piece = pieceFolder + name + L".kt" + std::to_wstring(i);
    if (!host.m_fileSource.Open(piece, CFile::modeRead | CFile::shareExclusive | CFile::typeBinary, &error)) {
      // Only a piece that is not there ends the set; one that is there but cannot be read stops the merge.
      if (i == 1 || !IsMissing(error.m_lOsError)) {
        host.ShowAppBox(error.GetErrorMessage(), MB_OK);
        return 1;
      }
      break;
    }
    struct Closer {
      CFile& f;
      ~Closer() { f.Abort(); }
    } closer{host.m_fileSource};
    while (UINT got = host.m_fileSource.Read(buffer.get(), kCopyBlock)) temp.file.Write(buffer.get(), got);
    host.m_fileSource.Close();

    host.ProgressRange(0, 5000);
    for (int pos = 0; pos < 5000; ++pos) host.ProgressPos(pos);
    host.m_strStatus = std::to_wstring(i) + L"个文件已合并";
    host.ExchangeData(FALSE);
    host.Repaint();
  }

  temp.Commit(output);
  ClearChoice(host);
  return 0;
}

}  // namespace kt
