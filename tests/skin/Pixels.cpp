#include "Pixels.h"
#include <ostream>

namespace {
COLORREF FromDib(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
uint32_t ToDib(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
BITMAPINFO TopDown32(int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}
}  // namespace

Canvas::Canvas(int width, int height, COLORREF fill) : m_w(width), m_h(height) {
  BITMAPINFO bi = TopDown32(width, height);
  void* bits = nullptr;
  m_dc = CreateCompatibleDC(nullptr);
  m_bmp = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_bits = static_cast<uint32_t*>(bits);
  m_old = SelectObject(m_dc, m_bmp);
  Fill(fill);
}

Canvas::~Canvas() {
  SelectObject(m_dc, m_old);
  DeleteObject(m_bmp);
  DeleteDC(m_dc);
}

COLORREF Canvas::at(int x, int y) const {
  GdiFlush();
  return FromDib(m_bits[y * m_w + x]);
}

void Canvas::Fill(COLORREF c) {
  GdiFlush();
  for (int i = 0; i < m_w * m_h; ++i) m_bits[i] = ToDib(c);
}

bool Canvas::operator==(const Canvas& o) const {
  if (m_w != o.m_w || m_h != o.m_h) return false;
  for (int y = 0; y < m_h; ++y)
    for (int x = 0; x < m_w; ++x)
      if (at(x, y) != o.at(x, y)) return false;
  return true;
}

Strip::Strip(UINT id) {
  HBITMAP bmp = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
  if (!bmp) return;
  BITMAP bm{};
  GetObjectW(bmp, sizeof bm, &bm);
  m_w = bm.bmWidth;
  m_h = bm.bmHeight;
  m_px.resize(static_cast<size_t>(m_w) * m_h);
  BITMAPINFO bi = TopDown32(m_w, m_h);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bmp, 0, m_h, m_px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(bmp);
}

COLORREF Strip::at(int x, int y) const { return FromDib(m_px[static_cast<size_t>(y) * m_w + x]); }

void PrintTo(const Rgb& c, std::ostream* os) {
  *os << "RGB(" << int(GetRValue(c.c)) << ", " << int(GetGValue(c.c)) << ", " << int(GetBValue(c.c)) << ")";
}
