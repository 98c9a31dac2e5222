#include "SkinButton.h"
#include "OffscreenDC.h"

CSkinButton::CSkinButton() : m_pFont(std::make_unique<CSkinFont>(L"宋体")) {}

CSkinButton::~CSkinButton() {
  m_bmpNormal.DeleteObject();
  m_bmpPressed.DeleteObject();
  m_bmpFocused.DeleteObject();
  m_bmpDisabled.DeleteObject();
}

BOOL CSkinButton::SetSkin(UINT bitmapId, int frames, int top, int bottom, int left, int right) {
  m_nBorderTop = top;
  m_nBorderBottom = bottom;
  m_nBorderLeft = left;
  m_nBorderRight = right;
  CBitmap strip;
  if (!strip.LoadBitmap(bitmapId)) return FALSE;
  if (frames < 1) return FALSE;  // no frame to cut
  if (!BuildStateImage(&strip, &m_bmpNormal, 0, frames)) return FALSE;
  if (!BuildStateImage(&strip, &m_bmpPressed, 1, frames)) return FALSE;
  if (!BuildStateImage(&strip, &m_bmpDisabled, 2, frames)) return FALSE;
  if (!BuildStateImage(&strip, &m_bmpFocused, 3, frames)) return FALSE;
  strip.DeleteObject();
  return TRUE;
}

BOOL CSkinButton::BuildStateImage(CBitmap* strip, CBitmap* image, int frame, int frames) {
  const int T = m_nBorderTop, B = m_nBorderBottom, L = m_nBorderLeft, R = m_nBorderRight;
  CClientDC windowDC(this);
  CDC stripDC, imageDC;
  stripDC.CreateCompatibleDC(&windowDC);
  imageDC.CreateCompatibleDC(&windowDC);
  kt::scoped_select stripSel(stripDC, *strip);
  BITMAP bm = strip->GetBitmap();
  const int Ws = bm.bmWidth, Hs = bm.bmHeight;
  // A strip with fewer than four frames lends its last frame to the states it lacks.
  if (frame >= frames) frame = frames - 1;
  const int fw = Ws / frames;
  const int sx = fw * frame;
  RECT rc;
  GetClientRect(&rc);
  const int W = rc.right - rc.left, H = rc.bottom - rc.top;

  image->DeleteObject();
  image->CreateCompatibleBitmap(&windowDC, W, H);
  bool corners;
  {
    kt::scoped_select imageSel(imageDC, *image);
    corners = imageDC.BitBlt(0, 0, L, T, &stripDC, sx, 0, SRCCOPY) &&
              imageDC.BitBlt(0, H - B, L, B, &stripDC, sx, Hs - B, SRCCOPY) &&
              imageDC.BitBlt(W - R, 0, R, T, &stripDC, sx + fw - R, 0, SRCCOPY) &&
              imageDC.BitBlt(W - R, H - B, R, B, &stripDC, sx + fw - R, Hs - B, SRCCOPY);
    if (corners) {
      imageDC.StretchBlt(L, T, W - L - R, H - T - B, &stripDC, sx + L, T, fw - L - R, Hs - T - B, SRCCOPY);
      imageDC.StretchBlt(L, 0, W - L - R, T, &stripDC, sx + L, 0, fw - L - R, T, SRCCOPY);
      imageDC.StretchBlt(L, H - B, W - L - R, B, &stripDC, sx + L, Hs - B, fw - L - R, B, SRCCOPY);
      imageDC.StretchBlt(0, T, L, H - T - B, &stripDC, sx, T, L, Hs - T - B, SRCCOPY);
      imageDC.StretchBlt(W - R, T, R, H - T - B, &stripDC, sx + fw - R, T, R, Hs - T - B, SRCCOPY);
    }
  }
  if (!corners) {
    // A half-built image would show whatever the new bitmap held; without it the face shows instead.
    image->DeleteObject();
    return FALSE;
  }
  m_bSkinReady = TRUE;
  return TRUE;
}

void CSkinButton::DrawStateImage(CDC* dc, int state) {
  if (!m_bSkinReady) return;
  CBitmap* images[] = {&m_bmpNormal, &m_bmpPressed, &m_bmpFocused, &m_bmpDisabled};
  CBitmap* image = images[state];
  if (!image->GetSafeHandle()) return;  // this state's build failed
  RECT rc;
  GetClientRect(&rc);
  const int W = rc.right - rc.left, H = rc.bottom - rc.top;

  // With these, the mask's 1 bits land on the target as white and its 0 bits as black.
  COLORREF oldBk = dc->SetBkColor(RGB(255, 255, 255));
  COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
  {
    CDC imageDC, maskDC;
    imageDC.CreateCompatibleDC(dc);
    maskDC.CreateCompatibleDC(dc);
    CBitmap mask;
    mask.CreateBitmap(W, H, 1, 1);
    kt::scoped_select imageSel(imageDC, *image);
    kt::scoped_select maskSel(maskDC, mask);
    imageDC.SetBkColor(m_crTransparent);
    maskDC.BitBlt(0, 0, W, H, &imageDC, 0, 0, SRCCOPY);  // key colour -> 1, all else 0
    // target ^ image, then & mask keeps the target only under the key colour, then ^ image restores it there
    // and leaves the image everywhere else.
    dc->BitBlt(0, 0, W, H, &imageDC, 0, 0, SRCINVERT);
    dc->BitBlt(0, 0, W, H, &maskDC, 0, 0, SRCAND);
    dc->BitBlt(0, 0, W, H, &imageDC, 0, 0, SRCINVERT);
  }
  dc->SetBkColor(oldBk);
  dc->SetTextColor(oldText);
}

void CSkinButton::SetTextColor(COLORREF color) {
  m_pFont->SetTextColor(color);
  UpdateWindow();
}

LRESULT CSkinButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return FALSE;  // DrawItem covers the whole button
  return CButton::WindowProc(msg, wp, lp);
}

BOOL CSkinButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  CDC dc(dis->hDC);  // the request's context is borrowed, never deleted
  RECT rc;
  GetClientRect(&rc);
  const RECT area = rc;
  COffscreenDC off(&dc, &area);
  CBrush face(::GetSysColor(COLOR_BTNFACE));
  off.FillRect(&rc, &face);

  bool grey = false;
  if (dis->itemState & ODS_FOCUS) {
    DrawStateImage(&off, kFocused);
    if (dis->itemState & ODS_SELECTED) {
      DrawStateImage(&off, kPressed);
      rc.left += 5;
    }
  } else if (dis->itemState & ODS_DISABLED) {
    DrawStateImage(&off, kDisabled);
    grey = true;
  } else {
    DrawStateImage(&off, kNormal);  // also a selected button without focus
  }

  int oldMode = off.SetBkMode(TRANSPARENT);
  {
    kt::scoped_select fontSel(off, *m_pFont);
    COLORREF oldColor = off.SetTextColor(grey ? ::GetSysColor(COLOR_GRAYTEXT) : m_pFont->GetTextColor());
    off.DrawText(GetWindowText(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    off.SetTextColor(oldColor);
  }
  off.SetBkMode(oldMode);
  return TRUE;  // the off-screen picture reaches the request's context over the whole client rectangle
}
