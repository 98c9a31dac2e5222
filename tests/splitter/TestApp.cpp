// The application object of the test program, named like the real one so box captions match.
#include "afx.h"
#include "ModalDriver.h"
CWinApp g_testApp(L"KTSplit");
// Each test runs in a process of its own; on a desktop of its own too, tests running side by side cannot
// take activation and focus from each other.
static const bool g_ownDesktop = UseOwnDesktop();
