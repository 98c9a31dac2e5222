#pragma once
// Dialogs from templates, modal or (for tests) modeless, with data exchange and the program's dialog colours.
#include <windows.h>
#include "strings.h"
#include "wnd.h"

class CDialog;

// One run of data exchange: to the members (save) or to the controls.
class CDataExchange {
public:
  CDataExchange(CDialog* dlg, BOOL save) : m_bSaveAndValidate(save), m_pDlgWnd(dlg) {}
  HWND PrepareCtrl(int id) const;
  BOOL m_bSaveAndValidate;
  CDialog* m_pDlgWnd;
};

// Attaches ctl to control id at the first exchange.
void DDX_Control(CDataExchange* dx, int id, CWnd& ctl);
// Window text <-> string.
void DDX_Text(CDataExchange* dx, int id, CString& value);
// Combo box edit text -> string; string -> select the first entry that begins with it, else the edit text.
void DDX_CBString(CDataExchange* dx, int id, CString& value);

class CDialog : public CWnd {
public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

  virtual INT_PTR DoModal();
  // Modeless creation, for driving a dialog by messages in the same process.
  BOOL Create(HWND owner = nullptr);
  void DestroyWindow();

  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  void EndDialog(int result);

  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange*) {}
  virtual void OnOK();
  virtual void OnCancel();

protected:
  // The dialog's own message map; returns TRUE when handled (the result in *result).
  virtual BOOL OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) { return FALSE; }
  // The system's default processing of the current message.
  void OnSysCommand(UINT id, LPARAM lp) { m_bDefault = true; }
  void OnPaint() { m_bDefault = true; }

private:
  static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR CtlColor(HDC dc, HWND ctl, UINT msg);
  void CenterIfUnplaced();

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  bool m_bModal = false;
  bool m_bDefault = false;
};
