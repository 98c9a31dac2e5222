#include "wnd.h"
#include <commctrl.h>
#include <exception>
#include "app.h"
#include "file.h"

namespace {
constexpr UINT_PTR kSubclassId = 0x4B54;  // one subclass of ours per window
// The object behind a subclassed window, kept with the window itself (not every comctl32 exports a lookup).
const wchar_t kObjectProp[] = L"kt.CWnd";
}

CWnd::~CWnd() {
  if (m_bSubclassed && m_hWnd) {
    ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    ::RemovePropW(m_hWnd, kObjectProp);
  }
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!hwnd || !::SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return FALSE;
  ::SetPropW(hwnd, kObjectProp, this);
  m_hWnd = hwnd;
  m_bSubclassed = true;
  return TRUE;
}

CWnd* CWnd::FromSubclassed(HWND hwnd) {
  return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kObjectProp)) : nullptr;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  auto* self = reinterpret_cast<CWnd*>(ref);
  if (msg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
    ::RemovePropW(hwnd, kObjectProp);
    self->m_bSubclassed = false;
    self->m_hWnd = nullptr;
    return ::DefSubclassProc(hwnd, msg, wp, lp);
  }
  return kt::ExceptionWall([&] { return self->WindowProc(msg, wp, lp); },
                           static_cast<LRESULT>(0));
}

CString kt::WindowText(HWND hwnd) {
  int n = ::GetWindowTextLengthW(hwnd);
  CString text(static_cast<size_t>(n) + 1, L'\0');
  n = ::GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(static_cast<size_t>(n < 0 ? 0 : n));
  return text;
}

CString CWnd::GetWindowText() const { return kt::WindowText(m_hWnd); }

int CWnd::MessageBox(const CString& text, const CString& caption, UINT type) const {
  return kt::ShowMessageBox(m_hWnd, text, caption, type);
}

int kt::ShowMessageBox(HWND owner, const CString& text, const CString& caption, UINT type) {
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

int AfxMessageBox(const CString& text, UINT type, UINT) {
  if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
  HWND owner = nullptr;
  if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd && ::IsWindow(app->m_pMainWnd->m_hWnd))
    owner = app->m_pMainWnd->m_hWnd;
  else
    owner = ::GetActiveWindow();
  return kt::ShowMessageBox(owner, text, AfxGetAppName(), type);
}

void kt::ReportEscapedException() noexcept {
  try {
    throw;
  } catch (const CFileException& e) {
    AfxMessageBox(e.GetErrorMessage(), MB_ICONSTOP);
  } catch (const std::bad_alloc&) {
    AfxMessageBox(L"内存不足，操作未能完成。", MB_ICONSTOP);
  } catch (...) {
    AfxMessageBox(L"发生了一个内部错误，操作未能完成。", MB_ICONSTOP);
  }
}
