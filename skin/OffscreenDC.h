#pragma once
// A memory device context over an area of a target context. Callers draw on it in the target's logical
// coordinates; when it is destroyed the whole area is copied onto the target in one BitBlt, so a control
// composes its picture without flicker. Lives for one paint only.
#include <windows.h>
#include "afx.h"

class COffscreenDC : public CDC {
public:
  // With no area, the target's clip box: only the part being repainted is allocated and copied.
  explicit COffscreenDC(CDC* target, const RECT* area = nullptr);
  ~COffscreenDC() override;

private:
  CBitmap m_bitmap;
  HGDIOBJ m_pOldBitmap = nullptr;
  CDC* m_pTargetDC;
  RECT m_rcArea{};
};
