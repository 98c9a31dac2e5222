#pragma once
// The About box: the program's icon, name and version, and the maker's home page. Its only active control
// is the skinned OK button; OK, Enter, Esc and the close box all end it through the framework's defaults.
#include "SkinButton.h"
#include "afx.h"

class CAboutDlg : public CDialog {
public:
  CAboutDlg();

  CSkinButton m_btnOK;

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
};
