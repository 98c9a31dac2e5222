// The application object of the test program, named like the real one so box captions match.
#include "afx.h"
CWinApp g_testApp(L"KTSplit");
