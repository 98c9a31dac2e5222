#include "filedialog.h"
#include <commdlg.h>
#include "app.h"
#include "wnd.h"

CFileDialog::CFileDialog(BOOL open, const wchar_t* defExt, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, CWnd* parent)
    : m_bOpen(open), m_defExt(defExt ? defExt : L""), m_pParent(parent), m_file(32768, L'\0') {
  if (filter) m_filter = TranslateFilter(filter);
  if (fileName) lstrcpynW(m_file.data(), fileName, static_cast<int>(m_file.size()));
  m_ofn.lStructSize = sizeof(m_ofn);
  m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
}

std::vector<wchar_t> CFileDialog::TranslateFilter(const CString& filter) {
  std::vector<wchar_t> out(filter.begin(), filter.end());
  for (auto& c : out)
    if (c == L'|') c = L'\0';
  out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

CString CFileDialog::GetFileName() const {
  auto pos = m_path.find_last_of(L"\\/:");
  return pos == CString::npos ? m_path : m_path.substr(pos + 1);
}

INT_PTR CFileDialog::DoModal() {
  HWND owner = m_pParent ? m_pParent->m_hWnd : nullptr;
  if (!owner)
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd) owner = app->m_pMainWnd->m_hWnd;
  m_ofn.hwndOwner = owner;
  m_ofn.hInstance = AfxGetInstanceHandle();
  m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.data();
  m_ofn.lpstrFile = m_file.data();
  m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
  m_ofn.lpstrDefExt = m_defExt.empty() ? nullptr : m_defExt.c_str();
  BOOL ok = m_bOpen ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
  if (!ok) return IDCANCEL;
  m_path = m_file.data();
  return IDOK;
}
