#include "FolderPicker.h"
#include <shlobj.h>

int CFolderPicker::Browse(CWnd* owner) {
  IMalloc* malloc = nullptr;
  if (FAILED(::SHGetMalloc(&malloc)) || !malloc) return 0;
  BROWSEINFOW bi{};
  bi.hwndOwner = owner ? owner->m_hWnd : nullptr;
  wchar_t display[MAX_PATH] = {};
  bi.pszDisplayName = display;
  bi.lpszTitle = m_strTitle.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
  bi.lpfn = BrowseCallbackProc;
  bi.lParam = reinterpret_cast<LPARAM>(this);

  int result = 0;
  if (LPITEMIDLIST list = ::SHBrowseForFolderW(&bi)) {
    m_strFolderPath = display;
    m_nImage = bi.iImage;
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(list, path)) {
      m_strFolderPath = path;
      result = 1;
    }
    malloc->Free(list);
  }
  malloc->Release();
  return result;
}

int CALLBACK CFolderPicker::BrowseCallbackProc(HWND hwnd, UINT, LPARAM, LPARAM) {
  // OK stays enabled whatever is selected; Browse tells folders without a path apart afterwards.
  ::SendMessageW(hwnd, BFFM_ENABLEOK, 0, 1);
  return 0;
}
