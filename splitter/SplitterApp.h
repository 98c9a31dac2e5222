#pragma once
#include "afx.h"

class CSplitterApp : public CWinApp {
public:
  CSplitterApp() = default;
  ~CSplitterApp() override = default;
  BOOL InitInstance() override;
  BOOL OnCommand(UINT id) override;
};

extern CSplitterApp theApp;
