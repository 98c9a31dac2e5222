#include "FadeProgressCtrl.h"

LRESULT CFadeProgressCtrl::SetRange(int lower, int upper) {
  m_nUpper = upper;
  m_nLower = lower;
  m_nPos = lower;
  return SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
}

int CFadeProgressCtrl::SetPos(int pos) {
  m_nPos = pos;
  return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos)));
}
