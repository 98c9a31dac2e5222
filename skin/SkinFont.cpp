#include "SkinFont.h"
#include <algorithm>

CSkinFont::CSkinFont(const CString& faceName) {
  m_logFont.lfHeight = -12;
  m_logFont.lfWidth = 0;
  m_logFont.lfEscapement = 0;
  m_logFont.lfOrientation = 0;
  m_logFont.lfWeight = FW_NORMAL;
  m_logFont.lfItalic = 0;
  m_logFont.lfUnderline = 0;
  m_logFont.lfStrikeOut = 0;
  m_logFont.lfCharSet = DEFAULT_CHARSET;
  m_logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  m_logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  m_logFont.lfQuality = PROOF_QUALITY;
  m_logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
  size_t n = std::min(faceName.size(), static_cast<size_t>(LF_FACESIZE - 1));
  std::copy_n(faceName.begin(), n, m_logFont.lfFaceName);
  m_logFont.lfFaceName[n] = L'\0';
  CreateFontIndirect(&m_logFont);
  m_crText = RGB(0, 0, 0);
}

CSkinFont::~CSkinFont() { DeleteObject(); }
