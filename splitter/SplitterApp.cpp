#include "SplitterApp.h"
#include "SplitterDlg.h"
#include "resource.h"

CSplitterApp theApp;

BOOL CSplitterApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControlsStatic();
  SetDialogBkColor(RGB(200, 200, 200), RGB(100, 50, 50));
  CSplitterDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;  // end the program rather than enter a message loop
}

BOOL CSplitterApp::OnCommand(UINT id) {
  if (id != ID_HELP) return FALSE;
  OnHelp();
  return TRUE;
}
