#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include "FadeProgressCtrl.h"
#include "Pixels.h"

namespace {

constexpr COLORREF kBack = RGB(150, 180, 220);
COLORREF Band(int i) { return RGB(255 - i, 0, i); }

struct Bar {
  HWND hwnd;
  CFadeProgressCtrl ctrl;
  int w, h;
  Bar(int w_, int h_, DWORD style = 0) : w(w_), h(h_) {
    hwnd = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP | PBS_SMOOTH | style, 0, 0, w, h, nullptr, nullptr,
                           nullptr, nullptr);
    ctrl.AttachControl(hwnd);
    ctrl.m_crBackground = kBack;
  }
  ~Bar() { DestroyWindow(hwnd); }
  void Set(int lower, int upper, int pos, BOOL percent) {
    ctrl.SetRange(lower, upper);
    ctrl.SetPos(pos);
    ctrl.m_bShowPercent = percent;
  }
  void Print(Canvas& c) { SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.dc()), PRF_CLIENT); }
};

// The band shown in a pixel, or -1 for the background; fails on any other colour.
int BandAt(const Canvas& c, int x, int y) {
  COLORREF p = c.at(x, y);
  if (p == kBack) return -1;
  int i = GetBValue(p);
  EXPECT_EQ(Rgb{Band(i)}, Rgb{p}) << x << "," << y;
  return i;
}

// The bar's picture with the given text drawn over it the way the percentage is written.
void WriteText(Canvas& c, const wchar_t* text) {
  RECT rc{0, 0, c.width(), c.height()};
  SetTextColor(c.dc(), RGB(255, 255, 255));
  SetBkMode(c.dc(), TRANSPARENT);
  DrawTextW(c.dc(), text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

class SkinFadeProgress : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
  }
};

// The ramp is fixed along the bar: band i is RGB(255 - i, 0, i), the bands follow each other in order, and
// every column belongs to one band. On a bar of 255 pixels column x is band x, on 510 pixels band x / 2.
TEST_F(SkinFadeProgress, FullRampBands) {
  for (int w : {255, 510, 180, 257, 300}) {
    SCOPED_TRACE("width " + std::to_string(w));
    Bar bar(w, 18);
    bar.Set(0, 100, 100, FALSE);
    Canvas c(w, 18);
    bar.Print(c);
    int last = -1;
    for (int x = 0; x < w; ++x) {
      int band = BandAt(c, x, 0);
      ASSERT_GE(band, last) << x;
      ASSERT_LE(band, last + 1 + 255 / w) << x;  // no band skipped where bands are a pixel or wider
      for (int y = 1; y < 18; ++y) ASSERT_EQ(Rgb{c.at(x, 0)}, Rgb{c.at(x, y)}) << x << "," << y;
      if (w == 255) {
        ASSERT_EQ(x, band);
      }
      if (w == 510) {
        ASSERT_EQ(x / 2, band);
      }
      last = band;
    }
    EXPECT_LE(BandAt(c, 0, 0), 1);
    // The last line of a full bar belongs to the last band, also where single precision ends the bands short.
    EXPECT_EQ(254, BandAt(c, w - 1, 0));
  }
}

// Outside the range (lower bound included) only the background, and no text.
TEST_F(SkinFadeProgress, OutOfRangePaintsBackgroundOnly) {
  for (int pos : {10, 9, -5, 61, 1000}) {
    Bar bar(180, 18);
    bar.Set(10, 60, pos, TRUE);
    Canvas c(180, 18);
    bar.Print(c);
    EXPECT_TRUE(c == Canvas(180, 18, kBack)) << pos;
  }
  Bar bar(180, 18);
  bar.Set(0, 100, 50, TRUE);
  bar.ctrl.SetRange(0, 100);  // the position returns to the lower bound
  Canvas c(180, 18);
  bar.Print(c);
  EXPECT_TRUE(c == Canvas(180, 18, kBack));
}

// The coloured part ends at the first band edge beyond the filled length (position / upper, the lower bound
// left out), and the percentage (position - lower) / (upper - lower) is written "%3.0f %" in white.
TEST_F(SkinFadeProgress, FilledLengthAndPercentage) {
  struct Case {
    int lower, upper, pos;
    int coloured;  // columns of a 180-pixel bar
    const wchar_t* text;
  } cases[] = {
      // filled 90; band 128 spans [90, 91), the first to end beyond 90
      {1, 500, 250, 91, L" 50 %"},
      // filled 0; band 0 is empty, band 1 is column 0
      {0, 5000, 1, 1, L"  0 %"},
      {1, 500, 500, 180, L"100 %"},  // the dialog's bar when it opens
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.pos) + " of " + std::to_string(k.lower) + ".." + std::to_string(k.upper));
    Bar bar(180, 18);
    bar.Set(k.lower, k.upper, k.pos, FALSE);
    Canvas plain(180, 18);
    bar.Print(plain);
    for (int x = 0; x < 180; ++x) {
      int band = BandAt(plain, x, 9);
      ASSERT_EQ(x < k.coloured, band >= 0) << x;
    }
    EXPECT_EQ(1, BandAt(plain, 0, 9));

    bar.ctrl.m_bShowPercent = TRUE;
    Canvas shown(180, 18);
    bar.Print(shown);
    Canvas expected(180, 18);
    bar.ctrl.m_bShowPercent = FALSE;
    bar.Print(expected);
    WriteText(expected, k.text);
    EXPECT_FALSE(shown == plain) << "the text is visible";
    EXPECT_TRUE(shown == expected);
  }
}

// A repaint of part of the bar paints that part exactly as a full paint would and leaves the rest alone.
TEST_F(SkinFadeProgress, PartialRepaintCopiesOnlyItsClipBox) {
  Bar bar(180, 18);
  bar.Set(1, 500, 250, TRUE);
  Canvas full(180, 18);
  bar.Print(full);
  const COLORREF untouched = RGB(7, 7, 7);
  Canvas part(180, 18, untouched);
  IntersectClipRect(part.dc(), 60, 0, 120, 18);
  bar.Print(part);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 180; ++x)
      ASSERT_EQ(Rgb{x >= 60 && x < 120 ? full.at(x, y) : untouched}, Rgb{part.at(x, y)}) << x << "," << y;
}

// A vertical bar starts at the top and grows downward.
TEST_F(SkinFadeProgress, VerticalBarGrowsDownward) {
  Bar bar(18, 255, PBS_VERTICAL);
  bar.Set(0, 100, 50, FALSE);
  Canvas c(18, 255);
  bar.Print(c);
  for (int y = 0; y < 255; ++y)
    for (int x = 0; x < 18; ++x) ASSERT_EQ(y <= 127 ? y : -1, BandAt(c, x, y)) << x << "," << y;
}

// Positions of a sweep that do not change the picture leave the bar as it is on the screen; the picture
// after the sweep is the one its last position defines.
TEST_F(SkinFadeProgress, SweepKeepsThePictureOfItsPosition) {
  Bar bar(180, 18);
  ShowWindow(bar.hwnd, SW_SHOWNOACTIVATE);
  bar.ctrl.SetRange(0, 5000);
  for (int pos = 0; pos < 5000; ++pos) {
    bar.ctrl.SetPos(pos);
    UpdateWindow(bar.hwnd);
  }
  // The position is the bar's own, and the control's messages report it.
  EXPECT_EQ(4999, SendMessageW(bar.hwnd, PBM_GETPOS, 0, 0));
  EXPECT_EQ(4999, SendMessageW(bar.hwnd, PBM_SETPOS, 10, 0));
  bar.ctrl.SetPos(4999);
  Canvas after(180, 18);
  bar.Print(after);
  Bar fresh(180, 18);
  fresh.Set(0, 5000, 4999, TRUE);
  Canvas expected(180, 18);
  fresh.Print(expected);
  EXPECT_TRUE(after == expected);
}
