#pragma once
// Window objects. A CWnd is neither copyable nor movable. Thin wrappers only hold the handle; controls with
// behaviour of their own subclass their window (SetWindowSubclass, removed at WM_NCDESTROY) and keep `this`
// as the subclass reference data, so there is no global map from handles to objects.
#include <windows.h>
#include <commctrl.h>
#include "strings.h"

class CWnd {
public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return this ? m_hWnd : nullptr; }

  // Binds the object to a control of a dialog; called by DDX_Control on the first exchange.
  virtual void AttachControl(HWND hwnd) { m_hWnd = hwnd; }
  // Subclasses hwnd so that WindowProc sees its messages.
  BOOL SubclassWindow(HWND hwnd);
  // The object behind a subclassed window, or nullptr.
  static CWnd* FromSubclassed(HWND hwnd);

  // Owner-draw requests reflected by the parent dialog. Returns TRUE when drawn.
  virtual BOOL DrawItem(LPDRAWITEMSTRUCT) { return FALSE; }

  LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
  BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageW(m_hWnd, msg, wp, lp); }
  BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  HWND SetFocus() const { return ::SetFocus(m_hWnd); }
  void SetWindowText(const CString& text) const { ::SetWindowTextW(m_hWnd, text.c_str()); }
  CString GetWindowText() const;
  void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
  void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void GetClientRect(RECT* rc) const { ::GetClientRect(m_hWnd, rc); }
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  // A box owned by this window, with the given caption.
  int MessageBox(const CString& text, const CString& caption, UINT type = MB_OK) const;

  HWND m_hWnd = nullptr;

protected:
  // Messages of a subclassed window; the default passes them on.
  virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return ::DefSubclassProc(m_hWnd, msg, wp, lp); }

private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  bool m_bSubclassed = false;
};

namespace kt {

// The whole window text of any window.
CString WindowText(HWND hwnd);

// The one place that shows message boxes. Tests watch it through a thread hook, never by replacing it.
int ShowMessageBox(HWND owner, const CString& text, const CString& caption, UINT type);

// Runs f; a CFileException that escapes shows its text with the stop icon, anything else a generic error
// box. Every callback the system calls into goes through here, so nothing crashes through a window procedure.
template <class F>
auto ExceptionWall(F&& f, decltype(f()) onError) noexcept -> decltype(f());
void ReportEscapedException() noexcept;

}  // namespace kt

// An application-level box: caption = the application's name; no icon given means the exclamation icon.
int AfxMessageBox(const CString& text, UINT type = MB_OK, UINT helpId = 0);

template <class F>
auto kt::ExceptionWall(F&& f, decltype(f()) onError) noexcept -> decltype(f()) {
  try {
    return f();
  } catch (...) {
    ReportEscapedException();
    return onError;
  }
}
