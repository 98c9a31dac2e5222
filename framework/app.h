#pragma once
// The application object: one per program, reached through AfxGetApp. Its name captions the
// application-level message boxes; its dialog colours paint every CDialog of the program.
#include <windows.h>
#include "handle.h"
#include "strings.h"

class CWnd;

class CWinApp {
public:
  // With no name, the program file's name without its extension is the application's name.
  explicit CWinApp(const wchar_t* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Returns FALSE to end the program instead of entering the message loop.
  virtual BOOL InitInstance() { return TRUE; }
  virtual int Run();
  virtual int ExitInstance() { return 0; }
  // Commands that no window handled; returns TRUE when one of the application's own.
  virtual BOOL OnCommand(UINT id) { return FALSE; }

  // Asks the system help viewer for the program's .HLP file.
  void OnHelp();

  void SetDialogBkColor(COLORREF background = RGB(192, 192, 192), COLORREF text = RGB(0, 0, 0));
  bool HasDialogColors() const { return static_cast<bool>(m_dialogBrush); }
  COLORREF DialogBkColor() const { return m_crDialogBk; }
  COLORREF DialogTextColor() const { return m_crDialogText; }
  HBRUSH DialogBrush() const { return m_dialogBrush.get(); }

  const CString& GetAppName() const { return m_strAppName; }
  CString GetModulePath() const;

  CWnd* m_pMainWnd = nullptr;
  HINSTANCE m_hInstance = nullptr;

private:
  CString m_strAppName;
  COLORREF m_crDialogBk = 0;
  COLORREF m_crDialogText = 0;
  kt::unique_brush m_dialogBrush;
};

CWinApp* AfxGetApp();
const wchar_t* AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// Kept for the start-up sequence of programs written for the older platform; both are no-ops here.
inline void AfxEnableControlContainer() {}
inline BOOL Enable3dControlsStatic() { return TRUE; }
