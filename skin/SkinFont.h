#pragma once
// A caption font that also carries the colour its captions are written in.
#include <windows.h>
#include "afx.h"

class CSkinFont : public CFont {
public:
  // A 12-pixel, normal-weight font of the given face. Faces longer than the description holds are cut.
  explicit CSkinFont(const CString& faceName);
  ~CSkinFont() override;

  void SetTextColor(COLORREF color) { m_crText = color; }
  COLORREF GetTextColor() const { return m_crText; }
  const LOGFONTW& GetLogFont() const { return m_logFont; }

private:
  LOGFONTW m_logFont{};
  COLORREF m_crText = RGB(0, 0, 0);
};
