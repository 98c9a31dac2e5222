#pragma once
// A push button painted from a bitmap strip (frames side by side: normal, pressed, disabled, focused). Each
// frame is scaled once, in SetSkin, to the button's size by nine-slice scaling: corners copied, edges and
// centre stretched. Pixels of the key colour let the button face show through. Until a skin is loaded the
// button paints its face and its caption. The window must have BS_OWNERDRAW.
#include <windows.h>
#include <memory>
#include "afx.h"
#include "SkinFont.h"

class CSkinButton : public CButton {
public:
  CSkinButton();
  ~CSkinButton() override;

  // Borders in the order top, bottom, left, right: the bands of a frame that are not stretched.
  BOOL SetSkin(UINT bitmapId, int frames, int top, int bottom, int left, int right);
  // Repaints only what is already invalid; a valid button shows the colour at its next repaint.
  void SetTextColor(COLORREF color);
  BOOL DrawItem(LPDRAWITEMSTRUCT dis) override;
  void AttachControl(HWND hwnd) override { SubclassWindow(hwnd); }

protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  enum State { kNormal, kPressed, kFocused, kDisabled };
  BOOL BuildStateImage(CBitmap* strip, CBitmap* image, int frame, int frames);
  void DrawStateImage(CDC* dc, int state);

  BOOL m_bSkinReady = FALSE;
  CBitmap m_bmpNormal;
  CBitmap m_bmpPressed;
  CBitmap m_bmpFocused;
  CBitmap m_bmpDisabled;
  int m_nBorderTop = 8;
  int m_nBorderBottom = 8;
  int m_nBorderLeft = 8;
  int m_nBorderRight = 17;
  COLORREF m_crTransparent = RGB(255, 0, 255);
  std::unique_ptr<CSkinFont> m_pFont;
};
