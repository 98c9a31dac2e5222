#pragma once
#include <windows.h>

// Shows the wait cursor from construction to destruction.
class CWaitCursor {
public:
  CWaitCursor() : m_prev(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
  ~CWaitCursor() { ::SetCursor(m_prev ? m_prev : ::LoadCursorW(nullptr, IDC_ARROW)); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  void Restore() const { ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }

private:
  HCURSOR m_prev;
};
