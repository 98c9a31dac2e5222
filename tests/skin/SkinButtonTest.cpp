#include <gtest/gtest.h>
#include <set>
#include <string>
#include "Pixels.h"
#include "SkinButton.h"

namespace {

// A skin button on an owner-drawn button window of the given client size.
struct Button {
  HWND hwnd;
  CSkinButton skin;
  Button(int w, int h, const wchar_t* caption = L"") {
    hwnd = CreateWindowExW(0, L"BUTTON", caption, WS_POPUP | BS_OWNERDRAW, 0, 0, w, h, nullptr, nullptr, nullptr,
                           nullptr);
    skin.AttachControl(hwnd);
  }
  ~Button() { DestroyWindow(hwnd); }
  RECT Client() const {
    RECT rc;
    GetClientRect(hwnd, &rc);
    return rc;
  }
  // The picture of one owner-draw request with this item state, painted into memory.
  void Draw(Canvas& canvas, UINT state) {
    DRAWITEMSTRUCT dis{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, state, hwnd, canvas.dc(), Client(), 0};
    ASSERT_TRUE(skin.DrawItem(&dis));
  }
};

COLORREF Face() { return GetSysColor(COLOR_BTNFACE); }

constexpr UINT kPressed = ODS_FOCUS | ODS_SELECTED;

struct Frame {
  const Strip& strip;
  int x0, w;
  COLORREF at(int x, int y) const { return strip.at(x0 + x, y); }
};

// Colours of a frame's piece, to check that a stretched piece shows only what its source holds.
std::set<COLORREF> Colours(const Frame& f, int x, int y, int w, int h) {
  std::set<COLORREF> s;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) s.insert(f.at(i, j));
  return s;
}

// What a caption in this colour looks like over a picture: centred in rc, the button's font, no background.
void WriteCaption(Canvas& c, const wchar_t* text, COLORREF colour, RECT rc) {
  CSkinFont font(L"宋体");
  HGDIOBJ old = SelectObject(c.dc(), font.GetSafeHandle());
  SetTextColor(c.dc(), colour);
  SetBkMode(c.dc(), TRANSPARENT);
  DrawTextW(c.dc(), text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(c.dc(), old);
}

}  // namespace

// Every state image is its frame scaled to the button: corners unchanged, centre and edges stretched from
// their own pieces, the frame's colours in the middle column at the top row, centre and bottom row.
TEST(SkinButton, StateImagesAreTheFramesScaledToTheButton) {
  struct Skin {
    UINT id;
    int frames, T, B, L, R, w, h;
    COLORREF top[4], centre[4], bottom[4];  // per frame 0..3
  };
  const Skin skins[] = {
      {kSkinSmall, 6, 1, 1, 1, 1, 51, 20,  // the browse buttons
       {RGB(153, 177, 217), RGB(57, 41, 69), RGB(211, 196, 222), RGB(188, 204, 230)},
       {RGB(68, 108, 174), RGB(84, 59, 101), RGB(127, 89, 153), RGB(97, 134, 195)},
       {RGB(57, 90, 145), RGB(211, 196, 222), RGB(106, 75, 127), RGB(71, 112, 181)}},
      {kSkinSmall, 6, 1, 1, 1, 1, 108, 23,  // the text-splitter button
       {RGB(153, 177, 217), RGB(57, 41, 69), RGB(211, 196, 222), RGB(188, 204, 230)},
       {RGB(68, 108, 174), RGB(84, 59, 101), RGB(127, 89, 153), RGB(97, 134, 195)},
       {RGB(57, 90, 145), RGB(211, 196, 222), RGB(106, 75, 127), RGB(71, 112, 181)}},
      {kSkinLarge, 5, 5, 5, 5, 4, 65, 23,  // split, merge and the About box's OK
       {RGB(163, 163, 163), RGB(157, 157, 157), RGB(157, 157, 157), RGB(163, 163, 163)},
       {RGB(202, 202, 202), RGB(202, 202, 202), RGB(192, 192, 192), RGB(226, 226, 226)},
       {RGB(157, 157, 157), RGB(163, 163, 163), RGB(157, 157, 157), RGB(157, 157, 157)}},
  };
  // Item state that shows each frame.
  const UINT showing[4] = {0, kPressed, ODS_DISABLED, ODS_FOCUS};

  for (const Skin& s : skins) {
    Strip strip(s.id);
    ASSERT_GT(strip.width(), 0);
    Button button(s.w, s.h);
    ASSERT_TRUE(button.skin.SetSkin(s.id, s.frames, s.T, s.B, s.L, s.R));
    const int W = s.w, H = s.h, fw = strip.width() / s.frames, Hs = strip.height();
    for (int k = 0; k < 4; ++k) {
      SCOPED_TRACE("bitmap " + std::to_string(s.id) + " at " + std::to_string(W) + "x" + std::to_string(H) +
                   ", frame " + std::to_string(k));
      Frame f{strip, fw * k, fw};
      Canvas c(W, H);
      button.Draw(c, showing[k]);

      EXPECT_EQ(Rgb{s.top[k]}, Rgb{c.at(W / 2, 0)});
      EXPECT_EQ(Rgb{s.centre[k]}, Rgb{c.at(W / 2, H / 2)});
      EXPECT_EQ(Rgb{s.bottom[k]}, Rgb{c.at(W / 2, H - 1)});
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
          bool left = x < s.L, right = x >= W - s.R, top = y < s.T, bottom = y >= H - s.B;
          int fx = left ? x : right ? x - (W - fw) : -1;  // column in the frame, for the unstretched bands
          int fy = top ? y : bottom ? y - (H - Hs) : -1;
          if (fx >= 0 && fy >= 0) {
            ASSERT_EQ(Rgb{f.at(fx, fy)}, Rgb{c.at(x, y)}) << "corner pixel " << x << "," << y;
            continue;
          }
          // A stretched piece: its columns or rows come from the matching piece of the frame.
          int sx = fx >= 0 ? fx : s.L, sw = fx >= 0 ? 1 : fw - s.L - s.R;
          int sy = fy >= 0 ? fy : s.T, sh = fy >= 0 ? 1 : Hs - s.T - s.B;
          ASSERT_TRUE(Colours(f, sx, sy, sw, sh).count(c.at(x, y))) << "stretched pixel " << x << "," << y;
        }
    }
  }
}

// Pixels of the key colour let what lies below show: the button face, or under the pressed image the
// focused image.
TEST(SkinButton, KeyColourKeepsWhatLiesBelow) {
  Strip strip(kSkinKeyed);
  Button button(16, 8);  // one frame's size: nothing is stretched
  ASSERT_TRUE(button.skin.SetSkin(kSkinKeyed, 4, 2, 2, 2, 2));
  struct Case {
    UINT state;
    int frame, below;  // below: the frame under it, or -1 for the face
  } cases[] = {{0, 0, -1}, {ODS_DISABLED, 2, -1}, {ODS_FOCUS, 3, -1}, {kPressed, 1, 3}};
  for (const Case& k : cases) {
    SCOPED_TRACE("frame " + std::to_string(k.frame));
    Canvas c(16, 8);
    button.Draw(c, k.state);
    int keyed = 0;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 16; ++x) {
        COLORREF want = strip.at(16 * k.frame + x, y);
        if (want == kKey) {
          ++keyed;
          want = k.below >= 0 ? strip.at(16 * k.below + x, y) : kKey;
          if (want == kKey) want = Face();
        }
        ASSERT_EQ(Rgb{want}, Rgb{c.at(x, y)}) << x << "," << y;
      }
    EXPECT_GT(keyed, 0);
  }
}

// The state drawn for each combination of focus, selection and disabling, and the caption's colour.
TEST(SkinButton, StateAndCaptionColour) {
  const COLORREF top[4] = {RGB(153, 177, 217), RGB(57, 41, 69), RGB(211, 196, 222), RGB(188, 204, 230)};
  const COLORREF bottom[4] = {RGB(57, 90, 145), RGB(211, 196, 222), RGB(106, 75, 127), RGB(71, 112, 181)};
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  struct Case {
    UINT state;
    int frame;
    bool greyCaption, shifted;
  } cases[] = {
      {0, 0, false, false},
      {ODS_SELECTED, 0, false, false},  // selected without focus is drawn normal
      {ODS_FOCUS, 3, false, false},
      {kPressed, 1, false, true},
      {ODS_DISABLED, 2, true, false},
      {ODS_DISABLED | ODS_SELECTED, 2, true, false},
      {ODS_DISABLED | ODS_FOCUS, 3, false, false},  // focus wins: focused image, caption in the font's colour
  };
  struct Colour {
    const char* name;
    bool set;
    COLORREF colour;
  } colours[] = {{"black (never set)", false, RGB(0, 0, 0)},
                 {"browse source", true, RGB(255, 200, 100)},
                 {"browse target", true, RGB(10, 255, 10)}};

  for (const Colour& col : colours) {
    Button captioned(51, 20, L"浏览"), bare(51, 20);
    for (Button* b : {&captioned, &bare}) b->skin.SetSkin(kSkinSmall, 6, 1, 1, 1, 1);
    if (col.set) captioned.skin.SetTextColor(col.colour);
    for (const Case& k : cases) {
      SCOPED_TRACE(std::string(col.name) + ", item state " + std::to_string(k.state));
      Canvas drawn(51, 20), expected(51, 20);
      captioned.Draw(drawn, k.state);
      bare.Draw(expected, k.state);
      EXPECT_EQ(Rgb{top[k.frame]}, Rgb{drawn.at(25, 0)});
      EXPECT_EQ(Rgb{bottom[k.frame]}, Rgb{drawn.at(25, 19)});
      // pressed: centred in a rectangle whose left edge lies 5 pixels further right
      WriteCaption(expected, L"浏览", k.greyCaption ? grey : col.colour, RECT{k.shifted ? 5 : 0, 0, 51, 20});
      EXPECT_TRUE(drawn == expected);
    }
  }
}

// No skin: the face and the centred caption, nothing else; a frame count below 4 lends the last frame to
// the states it lacks, and none at all is refused.
TEST(SkinButton, FallbacksWhenTheSkinIsMissingOrShort) {
  Canvas face(51, 20, Face());
  {
    Button button(51, 20, L"浏览");
    EXPECT_FALSE(button.skin.SetSkin(999, 6, 1, 1, 1, 1));
    for (UINT state : {0u, kPressed, UINT(ODS_DISABLED), UINT(ODS_FOCUS)}) {
      Canvas drawn(51, 20), expected(51, 20, Face());
      button.Draw(drawn, state);
      WriteCaption(expected, L"浏览", state == ODS_DISABLED ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0),
                   RECT{state == kPressed ? 5 : 0, 0, 51, 20});
      EXPECT_FALSE(drawn == face) << state;
      EXPECT_TRUE(drawn == expected) << state;
    }
  }
  {
    Button button(51, 20);
    EXPECT_FALSE(button.skin.SetSkin(kSkinSmall, 0, 1, 1, 1, 1));
    Canvas c(51, 20);
    button.Draw(c, 0);
    EXPECT_TRUE(c == face);
  }
  {
    Strip strip(kSkinKeyed);
    Button button(32, 8);
    ASSERT_TRUE(button.skin.SetSkin(kSkinKeyed, 2, 2, 2, 2, 2));  // frames of 32: keyed frames 0+1 and 2+3
    Canvas pressed(32, 8), disabled(32, 8), focused(32, 8);
    button.Draw(pressed, kPressed);
    button.Draw(disabled, ODS_DISABLED);
    button.Draw(focused, ODS_FOCUS);
    EXPECT_TRUE(disabled == focused);
    EXPECT_TRUE(pressed == focused);
    EXPECT_EQ(Rgb{strip.at(32, 0)}, Rgb{focused.at(0, 0)});
  }
}

TEST(SkinButton, SetSkinAgainReplacesTheImages) {
  Button button(65, 23);
  button.skin.SetSkin(kSkinSmall, 6, 1, 1, 1, 1);
  button.skin.SetSkin(kSkinLarge, 5, 5, 5, 5, 4);
  for (auto [state, centre] : {std::pair{0u, RGB(202, 202, 202)}, {UINT(ODS_DISABLED), RGB(192, 192, 192)},
                               {UINT(ODS_FOCUS), RGB(226, 226, 226)}}) {
    Canvas c(65, 23);
    button.Draw(c, state);
    EXPECT_EQ(Rgb{centre}, Rgb{c.at(32, 11)}) << state;
  }
}
