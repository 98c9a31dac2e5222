#include "FolderPicker.h"
#include <shlobj.h>

namespace {

// Opens s as a writable buffer of n characters; Close cuts it at the first NUL the callee wrote.
wchar_t* OpenBuffer(CString& s, size_t n) {
  s.resize(n);
  return s.data();
}
void CloseBuffer(CString& s) { s.resize(wcsnlen(s.c_str(), s.size())); }

// The shell's allocator and the item list it handed out: the list is freed and the allocator released on
// every way out of Browse.
class BrowseResources {
public:
  ~BrowseResources() {
    if (m_pList) m_pMalloc->Free(m_pList);
    if (m_pMalloc) m_pMalloc->Release();
  }
  IMalloc* m_pMalloc = nullptr;
  LPITEMIDLIST m_pList = nullptr;
};

}  // namespace

int CFolderPicker::Browse(CWnd* owner) {
  BrowseResources shell;
  if (FAILED(::SHGetMalloc(&shell.m_pMalloc)) || !shell.m_pMalloc) return 0;

  BROWSEINFOW bi{};  // no root list: the tree starts at the desktop, nothing preselected
  bi.hwndOwner = owner ? owner->m_hWnd : nullptr;
  bi.pszDisplayName = OpenBuffer(m_strFolderPath, MAX_PATH);
  bi.lpszTitle = m_strTitle.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
  bi.lpfn = BrowseCallbackProc;
  bi.lParam = reinterpret_cast<LPARAM>(this);

  shell.m_pList = ::SHBrowseForFolderW(&bi);
  CloseBuffer(m_strFolderPath);  // the display name of the chosen item
  if (!shell.m_pList) return 0;
  m_nImage = bi.iImage;

  BOOL hasPath = ::SHGetPathFromIDListW(shell.m_pList, OpenBuffer(m_strFolderPath, MAX_PATH));
  CloseBuffer(m_strFolderPath);
  return hasPath ? 1 : 0;
}

int CALLBACK CFolderPicker::BrowseCallbackProc(HWND hwnd, UINT, LPARAM, LPARAM) {
  // OK stays enabled whatever is selected; Browse tells items without a path apart afterwards.
  ::SendMessageW(hwnd, BFFM_ENABLEOK, 0, 1);
  return 0;
}
