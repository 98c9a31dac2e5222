#include "gdi.h"
#include "app.h"
#include "wnd.h"

BOOL CBitmap::LoadBitmap(UINT id) {
  Attach(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id)));
  return m_hObject != nullptr;
}

BOOL CBitmap::CreateCompatibleBitmap(const CDC* dc, int width, int height) {
  Attach(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height));
  return m_hObject != nullptr;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
  return m_hObject != nullptr;
}

BITMAP CBitmap::GetBitmap() const {
  BITMAP bm{};
  GetObject(sizeof bm, &bm);
  return bm;
}

BOOL CDC::CreateCompatibleDC(const CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::Attach(HDC h) {
  DeleteDC();
  m_hDC = h;
  m_bOwned = h != nullptr;
  return m_bOwned;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  m_hDC = nullptr;
  m_bOwned = false;
  return h;
}

BOOL CDC::DeleteDC() {
  BOOL deleted = FALSE;
  if (m_bOwned && m_hDC) deleted = ::DeleteDC(m_hDC);
  m_hDC = nullptr;
  m_bOwned = false;
  return deleted;
}

CPaintDC::CPaintDC(const CWnd* wnd) : m_hWnd(wnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  m_hDC = nullptr;
}

CClientDC::CClientDC(const CWnd* wnd) : m_hWnd(wnd->m_hWnd) { m_hDC = ::GetDC(m_hWnd); }

CClientDC::~CClientDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
  m_hDC = nullptr;
}
