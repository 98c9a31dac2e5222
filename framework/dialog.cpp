#include "dialog.h"
#include <algorithm>
#include <windowsx.h>
#include "app.h"

HWND CDataExchange::PrepareCtrl(int id) const { return ::GetDlgItem(m_pDlgWnd->m_hWnd, id); }

void DDX_Control(CDataExchange* dx, int id, CWnd& ctl) {
  if (!ctl.m_hWnd) ctl.AttachControl(dx->PrepareCtrl(id));
}

// Writing a control repaints it even when nothing changes; the commands refresh the fields after every
// piece, so a text that is already there is left alone.
static void SetTextIfChanged(HWND h, const CString& value) {
  if (kt::WindowText(h) != value) ::SetWindowTextW(h, value.c_str());
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND h = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = kt::WindowText(h);
  } else {
    SetTextIfChanged(h, value);
  }
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
  HWND h = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    DDX_Text(dx, id, value);
    return;
  }
  LRESULT match = ::SendMessageW(h, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str()));
  if (match == CB_ERR) {
    SetTextIfChanged(h, value);
  } else {
    CString item(static_cast<size_t>(std::max<LRESULT>(0, ::SendMessageW(h, CB_GETLBTEXTLEN, match, 0))), L'\0');
    ::SendMessageW(h, CB_GETLBTEXT, match, reinterpret_cast<LPARAM>(&item[0]));
    item.resize(wcslen(item.c_str()));
    if (::SendMessageW(h, CB_GETCURSEL, 0, 0) != match || kt::WindowText(h) != item)
      ::SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(match), 0);
  }
}

INT_PTR CDialog::DoModal() {
  m_bModal = true;
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner) {
    // No parent given: the main window owns the dialog, unless this is the main window.
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd != this && ::IsWindow(app->m_pMainWnd->m_hWnd))
      owner = app->m_pMainWnd->m_hWnd;
  }
  INT_PTR r = ::DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner, DialogProc,
                                reinterpret_cast<LPARAM>(this));
  m_bModal = false;
  return r;
}

BOOL CDialog::Create(HWND owner) {
  m_bModal = false;
  return ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::DestroyWindow() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

BOOL CDialog::UpdateData(BOOL save) {
  CDataExchange dx(this, save);
  DoDataExchange(&dx);
  return TRUE;
}

void CDialog::EndDialog(int result) {
  if (m_bModal) ::EndDialog(m_hWnd, result);
  else ::DestroyWindow(m_hWnd);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

// A template placed at 0, 0 without a centring style is centred over its owner, or in the work area.
void CDialog::CenterIfUnplaced() {
  HRSRC res = ::FindResourceW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), RT_DIALOG);
  HGLOBAL mem = res ? ::LoadResource(AfxGetResourceHandle(), res) : nullptr;
  auto* words = static_cast<const WORD*>(mem ? ::LockResource(mem) : nullptr);
  if (!words) return;
  short x, y;
  DWORD style;
  if (words[0] == 1 && words[1] == 0xFFFF) {  // DLGTEMPLATEEX
    style = *reinterpret_cast<const DWORD*>(words + 6);
    x = static_cast<short>(words[9]);
    y = static_cast<short>(words[10]);
  } else {
    auto* t = reinterpret_cast<const DLGTEMPLATE*>(words);
    style = t->style;
    x = t->x;
    y = t->y;
  }
  if (x != 0 || y != 0 || (style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN))) return;

  RECT me;
  ::GetWindowRect(m_hWnd, &me);
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  MONITORINFO mi{sizeof(mi)};
  ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
  RECT area = mi.rcWork;
  RECT around = area;
  if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &around);
  int w = me.right - me.left, h = me.bottom - me.top;
  int left = (around.left + around.right - w) / 2;
  int top = (around.top + around.bottom - h) / 2;
  if (left + w > area.right) left = area.right - w;
  if (left < area.left) left = area.left;
  if (top + h > area.bottom) top = area.bottom - h;
  if (top < area.top) top = area.top;
  ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CDialog::CtlColor(HDC dc, HWND ctl, UINT msg) {
  CWinApp* app = AfxGetApp();
  if (!app || !app->HasDialogColors()) return FALSE;
  if (msg == WM_CTLCOLORSTATIC && ctl) {
    // A disabled edit that the user could otherwise type into keeps the system colours.
    wchar_t cls[16] = {};
    ::GetClassNameW(ctl, cls, 16);
    if (lstrcmpiW(cls, L"Edit") == 0 && !(::GetWindowLongPtrW(ctl, GWL_STYLE) & ES_READONLY)) return FALSE;
  }
  ::SetTextColor(dc, app->DialogTextColor());
  ::SetBkColor(dc, app->DialogBkColor());
  return reinterpret_cast<INT_PTR>(app->DialogBrush());
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  CDialog* self;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lp);
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    self->m_hWnd = hwnd;
  } else {
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->m_hWnd = nullptr;
    return FALSE;
  }
  return kt::ExceptionWall([&] { return self->HandleMessage(msg, wp, lp); }, static_cast<INT_PTR>(TRUE));
}

INT_PTR CDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      CenterIfUnplaced();
      return OnInitDialog();
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      return CtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg);
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lp);
      if (CWnd* ctl = CWnd::FromSubclassed(dis->hwndItem)) return ctl->DrawItem(dis);
      return FALSE;
    }
    default:
      break;
  }
  m_bDefault = false;
  LRESULT result = 0;
  if (OnWndMsg(msg, wp, lp, &result) && !m_bDefault) {
    switch (msg) {  // messages whose result is the dialog procedure's return value
      case WM_QUERYDRAGICON: case WM_CTLCOLORBTN: case WM_COMPAREITEM: case WM_VKEYTOITEM:
      case WM_CHARTOITEM:
        return static_cast<INT_PTR>(result);
      default:
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
  }
  if (m_bDefault) return FALSE;
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
    switch (LOWORD(wp)) {
      case IDOK: OnOK(); return TRUE;
      case IDCANCEL: OnCancel(); return TRUE;
      default:
        if (CWinApp* app = AfxGetApp(); app && app->OnCommand(LOWORD(wp))) return TRUE;
        break;
    }
  }
  return FALSE;
}
