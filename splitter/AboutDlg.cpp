#include "AboutDlg.h"
#include "resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDOK, m_btnOK);
}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_btnOK.SetSkin(IDB_SKIN_LARGE, 5, 5, 5, 5, 4);  // caption keeps its default colour
  return TRUE;  // the focus goes to OK, the only tab stop
}
