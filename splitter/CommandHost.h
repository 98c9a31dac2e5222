#pragma once
// What the split and merge commands use of the main dialog: its fields and a handful of services. The
// dialog implements it; tests and the benchmark can implement it without a window.
#include <windows.h>
#include "afx.h"

struct CSplitterFields {
  CString m_strStatus = L"状态显示";
  CString m_strSourcePath;
  CString m_strTargetFolder;
  CString m_strPieceSize;
  BOOL m_bSplitMode = 1;
  CString m_strSourceName;
  CFile m_fileSource;
};

class CCommandHost : public CSplitterFields {
public:
  virtual ~CCommandHost() = default;
  virtual void ExchangeData(BOOL saveAndValidate) = 0;                                  // UpdateData
  virtual int ShowDialogBox(const CString& text, const CString& caption, UINT style) = 0;  // box on the dialog
  virtual int ShowAppBox(const CString& text, UINT style) = 0;                            // application box
  virtual void Repaint() = 0;                                                         // UpdateWindow
  virtual void ProgressRange(int lower, int upper) = 0;
  virtual void ProgressPos(int pos) = 0;
  virtual void FocusSource() = 0;  // focus on the source edit, all of its text selected and in view
};

namespace kt {

// Both return 0 when the command ran to its end and 1 when it stopped after telling the user why.
int DoSplit(CCommandHost& host);
int DoMerge(CCommandHost& host);

// The normal end of both commands: the choice is used up, so the fields are emptied and shown.
inline void ClearChoice(CCommandHost& host) {
  host.m_strSourcePath.clear();
  host.m_strSourceName.clear();
  host.m_strTargetFolder.clear();
  host.ExchangeData(FALSE);
}

// Blocks that the commands copy with.
constexpr UINT kCopyBlock = 1u << 20;

}  // namespace kt
