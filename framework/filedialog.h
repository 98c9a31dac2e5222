#pragma once
// The system's Open dialog. Filters use the notation "description|pattern|...||".
#include <windows.h>
#include <commdlg.h>
#include <vector>
#include "strings.h"

class CWnd;

class CFileDialog {
public:
  CFileDialog(BOOL openFileDialog, const wchar_t* defExt = nullptr, const wchar_t* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* filter = nullptr,
              CWnd* parent = nullptr);
  INT_PTR DoModal();
  CString GetPathName() const { return m_path; }
  CString GetFileName() const;

  // "a|b|c|d||" -> "a\0b\0c\0d\0\0", the form the system takes.
  static std::vector<wchar_t> TranslateFilter(const CString& filter);

  OPENFILENAMEW m_ofn{};

private:
  BOOL m_bOpen;
  CString m_defExt;
  CWnd* m_pParent;
  std::vector<wchar_t> m_filter;
  std::vector<wchar_t> m_file;
  CString m_path;
};
