#pragma once
// Pixels the tests can read: a memory context over a 32-bit DIB, and a bitmap resource read back.
#include <windows.h>
#include <cstdint>
#include <iosfwd>
#include <vector>

constexpr UINT kSkinSmall = 130, kSkinLarge = 132, kSkinKeyed = 200;
constexpr COLORREF kKey = RGB(255, 0, 255);

class Canvas {
public:
  Canvas(int width, int height, COLORREF fill = RGB(1, 2, 3));
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return m_dc; }
  int width() const { return m_w; }
  int height() const { return m_h; }
  COLORREF at(int x, int y) const;
  void Fill(COLORREF c);
  bool operator==(const Canvas& o) const;

private:
  int m_w, m_h;
  HDC m_dc;
  HBITMAP m_bmp;
  HGDIOBJ m_old;
  uint32_t* m_bits = nullptr;
};

// A bitmap resource of this program, read pixel by pixel.
class Strip {
public:
  explicit Strip(UINT id);
  int width() const { return m_w; }
  int height() const { return m_h; }
  COLORREF at(int x, int y) const;

private:
  int m_w = 0, m_h = 0;
  std::vector<uint32_t> m_px;
};

// Prints colours as RGB(r, g, b) in failure messages.
struct Rgb {
  COLORREF c;
  bool operator==(const Rgb& o) const { return c == o.c; }
};
void PrintTo(const Rgb& c, std::ostream* os);
