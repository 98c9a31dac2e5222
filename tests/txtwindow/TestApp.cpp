// The application object of the test programs, named like the text splitter.
#include "afx.h"
CWinApp g_testApp(L"KTTxtSplit");
