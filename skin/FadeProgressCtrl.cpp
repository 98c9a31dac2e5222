#include "FadeProgressCtrl.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include "OffscreenDC.h"

namespace {

// The ramp's bands: as many as the largest channel difference, of equal width in single precision.
struct Ramp {
  int bands;
  float width;
  float step[3];
  int start[3];
  int extent;

  Ramp(COLORREF from, COLORREF to, int extent_) : extent(extent_) {
    start[0] = GetRValue(from), start[1] = GetGValue(from), start[2] = GetBValue(from);
    int d[3] = {GetRValue(to) - start[0], GetGValue(to) - start[1], GetBValue(to) - start[2]};
    bands = std::max({std::abs(d[0]), std::abs(d[1]), std::abs(d[2])});
    width = static_cast<float>(extent) / static_cast<float>(bands);
    for (int c = 0; c < 3; ++c) step[c] = static_cast<float>(d[c]) / static_cast<float>(bands);
  }
  // Where band k begins. The last band ends at the bar's end: in single precision bands * width can fall a
  // pixel short of the extent, and that line belongs to the last band like every other pixel.
  int Edge(int k) const { return k >= bands ? extent : static_cast<int>(static_cast<float>(k) * width); }
  COLORREF Colour(int i) const {
    int v[3];
    for (int c = 0; c < 3; ++c) v[c] = static_cast<int>(static_cast<float>(start[c]) + static_cast<float>(i) * step[c]) & 0xFF;
    return RGB(v[0], v[1], v[2]);
  }
  // Bands painted for a filled length: up to and including the first whose far edge lies beyond it.
  int Uncovered(int filled) const {
    for (int i = 0; i < bands; ++i)
      if (Edge(i + 1) > filled) return i + 1;
    return bands;
  }
};

}  // namespace

CFadeProgressCtrl::CFadeProgressCtrl() : m_crBackground(::GetSysColor(COLOR_BTNFACE)) {}

CFadeProgressCtrl::~CFadeProgressCtrl() = default;

bool CFadeProgressCtrl::Picture::operator==(const Picture& o) const {
  return ramp == o.ramp && EqualRect(&client, &o.client) && vertical == o.vertical && bands == o.bands &&
         background == o.background && text == o.text;
}

LRESULT CFadeProgressCtrl::SetRange(int lower, int upper) {
  m_nUpper = upper;
  m_nLower = lower;
  m_nPos = lower;
  return SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
}

int CFadeProgressCtrl::SetPos(int pos) {
  const int previous = m_nPos;
  m_nPos = pos;
  if (!m_hWnd) return previous;  // a null window would invalidate the whole screen
  // The bar paints itself from m_nPos, so the common control never sees the position: it repaints at once on
  // every change, and a sweep of thousands of positions then costs seconds. A position only marks the bar
  // for the next update when the picture changes.
  // Measured against the geometry last painted: asking the window for it on every position is a round trip
  // to the window server under Wine. A change of size repaints through WM_PAINT anyway.
  // Once marked, the bar paints whatever position it holds by then, so the rest of a sweep costs nothing.
  if (m_bMarked) return previous;
  if (!m_bShownValid || !(PictureIn(m_shown.client, m_shown.vertical) == m_shown)) {
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    m_bMarked = true;
  }
  return previous;
}

CFadeProgressCtrl::Picture CFadeProgressCtrl::PictureNow() const {
  RECT client;
  GetClientRect(&client);
  return PictureIn(client, (GetStyle() & PBS_VERTICAL) != 0);
}

CFadeProgressCtrl::Picture CFadeProgressCtrl::PictureIn(const RECT& client, bool vertical) const {
  Picture p;
  p.client = client;
  p.vertical = vertical;
  p.background = m_crBackground;
  if (m_nPos <= m_nLower || m_nPos > m_nUpper) return p;  // background only, no text
  p.ramp = true;
  int extent = p.vertical ? p.client.bottom : p.client.right;
  // The lower bound does not enter the filled length, only the percentage.
  p.filled = static_cast<int>(static_cast<double>(m_nPos) / m_nUpper * extent);
  p.bands = Ramp(m_crStart, m_crEnd, extent).Uncovered(p.filled);
  if (m_bShowPercent) {
    double percent = static_cast<double>(m_nPos - m_nLower) * 100.0 / static_cast<double>(m_nUpper - m_nLower);
    wchar_t text[32];
    std::swprintf(text, 32, L"%3.0f %%", percent);
    p.text = text;
  }
  return p;
}

LRESULT CFadeProgressCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case PBM_SETPOS:
      return SetPos(static_cast<int>(wp));
    case PBM_GETPOS:
      return m_nPos;
    case WM_PRINTCLIENT: {
      CDC dc(reinterpret_cast<HDC>(wp));
      RECT rc;
      GetClientRect(&rc);
      // The printed picture stays inside the client area, however large the target is.
      int saved = ::SaveDC(dc);
      ::IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
      Paint(&dc);
      ::RestoreDC(dc, saved);
      return 0;
    }
    case WM_ERASEBKGND:
      return TRUE;  // OnPaint covers the client area
    default:
      return CProgressCtrl::WindowProc(msg, wp, lp);
  }
}

void CFadeProgressCtrl::OnPaint() {
  Picture now = PictureNow();
  // A partial paint is only right over the same picture; otherwise the whole bar is repainted.
  if (!m_bShownValid || !(now == m_shown)) ::InvalidateRect(m_hWnd, nullptr, FALSE);
  CPaintDC dc(this);
  Paint(&dc);
  m_shown = now;
  m_bShownValid = true;
  m_bMarked = false;
}

void CFadeProgressCtrl::Paint(CDC* dc) {
  Picture p = PictureNow();
  RECT rc = p.client;
  if (!p.ramp) {
    CBrush background(m_crBackground);
    dc->FillRect(&rc, &background);
    return;
  }
  DrawRamp(dc, rc, p.filled, p.vertical);
  if (m_bShowPercent) {
    COLORREF oldColor = dc->SetTextColor(m_crText);
    int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->DrawText(p.text, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColor);
  }
}

void CFadeProgressCtrl::DrawRamp(CDC* dc, const RECT& rc, int filled, bool vertical) {
  COffscreenDC off(dc);
  Ramp ramp(m_crStart, m_crEnd, vertical ? rc.bottom : rc.right);
  // One brush whose colour changes per band: a brush made and freed for each of up to 255 bands made a paint
  // of a full bar cost about a millisecond, and the merge paints it after every piece.
  const HGDIOBJ dcBrush = ::GetStockObject(DC_BRUSH);
  const COLORREF oldColour = ::GetDCBrushColor(off);
  for (int i = 0; i < ramp.bands; ++i) {
    int start = ramp.Edge(i), end = ramp.Edge(i + 1);
    // Across the bar the band reaches one pixel beyond the client area.
    RECT band = vertical ? RECT{0, start, rc.right + 1, end} : RECT{start, 0, end, rc.bottom + 1};
    ::SetDCBrushColor(off, ramp.Colour(i));
    ::FillRect(off, &band, static_cast<HBRUSH>(dcBrush));
    if (end > filled) {
      RECT rest = vertical ? RECT{0, end, rc.right, rc.bottom} : RECT{end, 0, rc.right, rc.bottom};
      ::SetDCBrushColor(off, m_crBackground);
      ::FillRect(off, &rest, static_cast<HBRUSH>(dcBrush));
      break;
    }
  }
  ::SetDCBrushColor(off, oldColour);
}
