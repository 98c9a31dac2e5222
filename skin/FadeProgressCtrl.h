#pragma once
// A progress bar that uncovers a red-to-blue ramp fixed along the bar, the rest in a background colour, with
// an optional percentage in white. It keeps its own range and position (not cut to 16 bits), paints from
// them and forwards both to the control. A new position repaints the bar only when the picture changes.
#include <windows.h>
#include <string>
#include "afx.h"

class CFadeProgressCtrl : public CProgressCtrl {
public:
  CFadeProgressCtrl();
  ~CFadeProgressCtrl() override;

  // The position becomes the lower bound. Nothing is invalidated here.
  LRESULT SetRange(int lower, int upper);
  // Not clamped: positions outside the range paint the background alone.
  int SetPos(int pos);
  void AttachControl(HWND hwnd) override { SubclassWindow(hwnd); }

  int m_nLower = 0;
  int m_nUpper = 100;
  int m_nPos = 0;
  COLORREF m_crStart = RGB(255, 0, 0);
  COLORREF m_crEnd = RGB(0, 0, 255);
  COLORREF m_crBackground;
  COLORREF m_crText = RGB(255, 255, 255);
  BOOL m_bShowPercent = TRUE;

protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  // What a paint would put on the screen; two states with equal pictures paint the same pixels.
  struct Picture {
    bool ramp = false;
    RECT client{};
    bool vertical = false;
    int filled = 0;  // length the position covers; not compared, the bands show it
    int bands = 0;   // bands uncovered
    COLORREF background = 0;
    std::wstring text;
    bool operator==(const Picture& o) const;
  };
  Picture PictureNow() const;  // also the painter's layout
  Picture PictureIn(const RECT& client, bool vertical) const;
  void OnPaint();
  void Paint(CDC* dc);
  void DrawRamp(CDC* dc, const RECT& rc, int filled, bool vertical);

  Picture m_shown;           // what the last paint on the screen showed
  bool m_bShownValid = false;
  bool m_bMarked = false;    // invalidated by a position change and not painted since
};
