#pragma once
// A push button painted from a bitmap strip. Until a skin is loaded it paints the button face and its caption.
#include <windows.h>
#include "afx.h"

class CSkinButton : public CButton {
public:
  CSkinButton() = default;
  ~CSkinButton() override = default;

  BOOL SetSkin(UINT bitmapId, int frames, int top, int bottom, int left, int right);
  void SetTextColor(COLORREF color);
  BOOL DrawItem(LPDRAWITEMSTRUCT dis) override;
  void AttachControl(HWND hwnd) override { SubclassWindow(hwnd); }

protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  BOOL m_bSkinReady = FALSE;
  int m_nBorderTop = 8, m_nBorderBottom = 8, m_nBorderLeft = 8, m_nBorderRight = 17;
  COLORREF m_crText = RGB(0, 0, 0);
};
