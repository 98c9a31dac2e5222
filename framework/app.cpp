#include "app.h"
#include <commctrl.h>
#include <vector>
#include "wnd.h"

namespace {
CWinApp* g_app = nullptr;

CString ModulePath(HINSTANCE module) {
  // No fixed limit: grow until the whole path fits.
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    DWORD n = ::GetModuleFileNameW(module, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return CString(buf.data(), n);
    buf.resize(buf.size() * 2);
  }
}
}  // namespace

CWinApp::CWinApp(const wchar_t* appName) {
  g_app = this;
  m_hInstance = ::GetModuleHandleW(nullptr);
  if (appName) {
    m_strAppName = appName;
  } else {
    CString path = ModulePath(nullptr);
    CString file = path.substr(path.find_last_of(L"\\/") + 1);
    auto dot = file.rfind(L'.');
    m_strAppName = dot == CString::npos ? file : file.substr(0, dot);
  }
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CString CWinApp::GetModulePath() const { return ModulePath(nullptr); }

int CWinApp::Run() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return ExitInstance();
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text) {
  m_crDialogBk = background;
  m_crDialogText = text;
  m_dialogBrush.reset(::CreateSolidBrush(background));
}

void CWinApp::OnHelp() {
  CString path = GetModulePath();
  auto dot = path.rfind(L'.');
  if (dot != CString::npos) path.resize(dot);
  path += L".HLP";
  HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  ::WinHelpW(owner, path.c_str(), HELP_FINDER, 0);
}

CWinApp* AfxGetApp() { return g_app; }
const wchar_t* AfxGetAppName() { return g_app ? g_app->GetAppName().c_str() : L""; }
HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : ::GetModuleHandleW(nullptr); }
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }
