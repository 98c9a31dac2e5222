#include "SkinButton.h"

BOOL CSkinButton::SetSkin(UINT, int, int top, int bottom, int left, int right) {
  m_nBorderTop = top;
  m_nBorderBottom = bottom;
  m_nBorderLeft = left;
  m_nBorderRight = right;
  return FALSE;
}

void CSkinButton::SetTextColor(COLORREF color) {
  m_crText = color;
  UpdateWindow();
}

LRESULT CSkinButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return FALSE;  // DrawItem covers the whole button
  return CButton::WindowProc(msg, wp, lp);
}

BOOL CSkinButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  HDC dc = dis->hDC;
  RECT rc;
  GetClientRect(&rc);
  ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
  bool grey = !(dis->itemState & ODS_FOCUS) && (dis->itemState & ODS_DISABLED);
  if ((dis->itemState & ODS_FOCUS) && (dis->itemState & ODS_SELECTED)) rc.left += 5;
  int oldMode = ::SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = ::SetTextColor(dc, grey ? ::GetSysColor(COLOR_GRAYTEXT) : m_crText);
  HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
  CString caption = GetWindowText();
  ::DrawTextW(dc, caption.c_str(), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(dc, oldFont);
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
  return TRUE;
}
