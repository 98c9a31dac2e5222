#pragma once
// The shell's folder browser: the user picks a folder that has a file-system path.
#include "afx.h"

class CFolderPicker {
public:
  CFolderPicker() : m_strTitle(L"选择目标文件夹") {}
  virtual ~CFolderPicker() = default;

  // 1 when the user confirmed a folder with a file-system path (then in m_strFolderPath), else 0.
  int Browse(CWnd* owner);
  static int CALLBACK BrowseCallbackProc(HWND hwnd, UINT msg, LPARAM lp, LPARAM data);

  CString m_strFolderPath;
  CString m_strTitle;
  int m_nImage = 0;
};
