#pragma once
// A progress bar that keeps its own range and position (not cut to 16 bits) and forwards both to the control.
#include <windows.h>
#include "afx.h"

class CFadeProgressCtrl : public CProgressCtrl {
public:
  CFadeProgressCtrl() : m_crBackground(::GetSysColor(COLOR_BTNFACE)) {}
  ~CFadeProgressCtrl() override = default;

  LRESULT SetRange(int lower, int upper);
  int SetPos(int pos);

  int m_nLower = 0;
  int m_nUpper = 100;
  int m_nPos = 0;
  COLORREF m_crStart = RGB(255, 0, 0);
  COLORREF m_crEnd = RGB(0, 0, 255);
  COLORREF m_crBackground;
  COLORREF m_crText = RGB(255, 255, 255);
  BOOL m_bShowPercent = TRUE;
};
