#include <gtest/gtest.h>
#include "OffscreenDC.h"
#include "Pixels.h"

namespace {
constexpr COLORREF kOld = RGB(10, 20, 30), kNew = RGB(200, 100, 50), kDot = RGB(0, 0, 255);

bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// Draws over the whole 40 x 30 target and a dot at (12, 7), all in the target's coordinates.
void PaintEverything(COffscreenDC& off) {
  RECT all{0, 0, 40, 30};
  CBrush fill(kNew);
  off.FillRect(&all, &fill);
  RECT dot{12, 7, 13, 8};
  CBrush dotBrush(kDot);
  off.FillRect(&dot, &dotBrush);
}

void ExpectOnlyArea(const Canvas& target, const RECT& area) {
  for (int y = 0; y < target.height(); ++y)
    for (int x = 0; x < target.width(); ++x) {
      COLORREF want = !Inside(area, x, y) ? kOld : (x == 12 && y == 7) ? kDot : kNew;
      ASSERT_EQ(Rgb{want}, Rgb{target.at(x, y)}) << x << "," << y;
    }
}
}  // namespace

TEST(SkinOffscreenDC, CopiesOnlyTheGivenAreaAtItsPlace) {
  Canvas target(40, 30, kOld);
  CDC dc(target.dc());
  const RECT area{10, 5, 30, 20};
  {
    COffscreenDC off(&dc, &area);
    PaintEverything(off);
    EXPECT_EQ(Rgb{kOld}, Rgb{target.at(15, 10)}) << "nothing reaches the target before the end";
  }
  ExpectOnlyArea(target, area);
}

TEST(SkinOffscreenDC, WithoutAreaCoversTheClipBoxWithABitmapOfItsSize) {
  Canvas target(40, 30, kOld);
  IntersectClipRect(target.dc(), 8, 4, 20, 11);
  CDC dc(target.dc());
  {
    COffscreenDC off(&dc);
    BITMAP bm{};
    GetObjectW(GetCurrentObject(off, OBJ_BITMAP), sizeof bm, &bm);
    EXPECT_EQ(12, bm.bmWidth);
    EXPECT_EQ(7, bm.bmHeight);
    PaintEverything(off);
  }
  SelectClipRgn(target.dc(), nullptr);
  ExpectOnlyArea(target, RECT{8, 4, 20, 11});
}
