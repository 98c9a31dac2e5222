#include "OffscreenDC.h"

COffscreenDC::COffscreenDC(CDC* target, const RECT* area) : m_pTargetDC(target) {
  if (area)
    m_rcArea = *area;
  else
    m_pTargetDC->GetClipBox(&m_rcArea);
  CreateCompatibleDC(m_pTargetDC);
  m_bitmap.CreateCompatibleBitmap(m_pTargetDC, m_rcArea.right - m_rcArea.left, m_rcArea.bottom - m_rcArea.top);
  m_pOldBitmap = SelectObject(&m_bitmap);
  // Drawing at a point of the target lands on the matching pixel of the bitmap.
  SetWindowOrg(m_rcArea.left, m_rcArea.top);
}

COffscreenDC::~COffscreenDC() {
  m_pTargetDC->BitBlt(m_rcArea.left, m_rcArea.top, m_rcArea.right - m_rcArea.left, m_rcArea.bottom - m_rcArea.top,
                      this, m_rcArea.left, m_rcArea.top, SRCCOPY);
  if (m_pOldBitmap) SelectObject(m_pOldBitmap);
  m_bitmap.DeleteObject();
  DeleteDC();
}
