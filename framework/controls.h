#pragma once
// Thin, non-owning wrappers over the standard controls: each call is one message.
#include <windows.h>
#include <commctrl.h>
#include "wnd.h"

class CButton : public CWnd {
public:
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int check) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
};

class CEdit : public CWnd {
public:
  void SetSel(int start, int end) const { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
  void ScrollCaret() const { SendMessage(EM_SCROLLCARET); }
};

class CComboBox : public CWnd {
public:
  int AddString(const CString& s) const { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()))); }
  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int i) const { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(i))); }
  CString GetLBText(int i) const;
};

class CProgressCtrl : public CWnd {
public:
  LRESULT SetRange(short lower, short upper) const { return SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
  LRESULT SetRange32(int lower, int upper) const { return SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
  int SetPos(int pos) const { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos))); }
  int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};

inline CString CComboBox::GetLBText(int i) const {
  LRESULT n = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(i));
  if (n == CB_ERR) return {};
  CString s(static_cast<size_t>(n) + 1, L'\0');
  n = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(n == CB_ERR ? 0 : static_cast<size_t>(n));
  return s;
}
