#pragma once
// GDI wrappers. One type per kind of device context, because each is released differently: CDC either
// borrows a handle it was handed (never deleted) or owns a memory context it created or was given by
// Attach (deleted); CPaintDC ends its paint; CClientDC releases the window's context. Graphics objects own
// their handle and delete it in their destructor. kt::scoped_select puts the previous object back.
#include <windows.h>
#include "strings.h"

class CWnd;

class CGdiObject {
public:
  CGdiObject() = default;
  virtual ~CGdiObject() { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  // Takes ownership of h, deleting what was held before.
  void Attach(HGDIOBJ h) {
    DeleteObject();
    m_hObject = h;
  }
  HGDIOBJ Detach() {
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
  }
  BOOL DeleteObject() {
    if (!m_hObject) return FALSE;
    ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return TRUE;
  }
  int GetObject(int size, void* out) const { return m_hObject ? ::GetObjectW(m_hObject, size, out) : 0; }

protected:
  HGDIOBJ m_hObject = nullptr;
};

class CDC;

class CBitmap : public CGdiObject {
public:
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  // From the resources of the program (AfxGetResourceHandle).
  BOOL LoadBitmap(UINT id);
  BOOL CreateCompatibleBitmap(const CDC* dc, int width, int height);
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits = nullptr);
  BITMAP GetBitmap() const;
};

class CBrush : public CGdiObject {
public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  BOOL CreateSolidBrush(COLORREF color) {
    Attach(::CreateSolidBrush(color));
    return m_hObject != nullptr;
  }
};

class CFont : public CGdiObject {
public:
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  BOOL CreateFontIndirect(const LOGFONTW* lf) {
    Attach(::CreateFontIndirectW(lf));
    return m_hObject != nullptr;
  }
};

class CDC {
public:
  CDC() = default;
  // Borrows a context handed in by the system; it is not deleted.
  explicit CDC(HDC borrowed) : m_hDC(borrowed) {}
  virtual ~CDC() { DeleteDC(); }
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }

  // A memory context compatible with dc (or the screen when dc is null), owned by this object.
  BOOL CreateCompatibleDC(const CDC* dc);
  // Takes ownership of a memory context.
  BOOL Attach(HDC h);
  HDC Detach();
  BOOL DeleteDC();

  HGDIOBJ SelectObject(HGDIOBJ h) const { return ::SelectObject(m_hDC, h); }
  HGDIOBJ SelectObject(const CGdiObject* obj) const { return ::SelectObject(m_hDC, obj->GetSafeHandle()); }

  int GetClipBox(RECT* rc) const { return ::GetClipBox(m_hDC, rc); }
  POINT SetWindowOrg(int x, int y) const {
    POINT old{};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
  }
  COLORREF SetBkColor(COLORREF c) const { return ::SetBkColor(m_hDC, c); }
  COLORREF SetTextColor(COLORREF c) const { return ::SetTextColor(m_hDC, c); }
  int SetBkMode(int mode) const { return ::SetBkMode(m_hDC, mode); }
  BOOL BitBlt(int x, int y, int w, int h, const CDC* src, int sx, int sy, DWORD rop) const {
    return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, rop);
  }
  BOOL StretchBlt(int x, int y, int w, int h, const CDC* src, int sx, int sy, int sw, int sh, DWORD rop) const {
    return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, sw, sh, rop);
  }
  void FillRect(const RECT* rc, const CBrush* brush) const { ::FillRect(m_hDC, rc, *brush); }
  int DrawText(const CString& text, RECT* rc, UINT format) const {
    return ::DrawTextW(m_hDC, text.c_str(), static_cast<int>(text.size()), rc, format);
  }

protected:
  HDC m_hDC = nullptr;
  bool m_bOwned = false;
};

// BeginPaint on construction, EndPaint on destruction.
class CPaintDC : public CDC {
public:
  explicit CPaintDC(const CWnd* wnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

private:
  HWND m_hWnd;
};

// The client-area context of a window (GetDC), released on destruction.
class CClientDC : public CDC {
public:
  explicit CClientDC(const CWnd* wnd);
  ~CClientDC() override;

private:
  HWND m_hWnd;
};

namespace kt {

// Selects an object into a context and selects the previous one back when it goes out of scope.
class scoped_select {
public:
  scoped_select(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(obj ? ::SelectObject(dc, obj) : nullptr) {}
  scoped_select(const CDC& dc, const CGdiObject& obj) : scoped_select(dc.GetSafeHdc(), obj.GetSafeHandle()) {}
  ~scoped_select() {
    if (m_old) ::SelectObject(m_dc, m_old);
  }
  scoped_select(const scoped_select&) = delete;
  scoped_select& operator=(const scoped_select&) = delete;

private:
  HDC m_dc;
  HGDIOBJ m_old;
};

}  // namespace kt
