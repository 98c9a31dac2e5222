#pragma once
// End-to-end driving of the real programs from outside: start one as a process, wait for its windows by
// caption, post and send it messages, find and read its message boxes and other dialogs, and end it.
// Everything goes by messages (no injected mouse or keyboard input), so it works under Wine's null driver.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The Windows path of a program in the build's bin folder (KT_BIN_DIR), such as ProgramPath(L"KTSplit.exe").
std::wstring ProgramPath(const std::wstring& exeName);

// Puts the calling thread on a desktop of its own, before it makes any window; processes started afterwards
// go there too. Activation and focus are per desktop, so tests running side by side keep theirs.
bool UseOwnDesktop();

// Text and class of any window, also of another process (WM_GETTEXT with a time limit).
std::wstring Text(HWND h);
std::wstring ClassOf(HWND h);
// The child windows, in z order (for a dialog: template order).
std::vector<HWND> Children(HWND parent);
// The texts of the children, in z order.
std::vector<std::wstring> ChildTexts(HWND parent);

// A message box: a dialog (#32770) whose only child with id 0xFFFF is its text static.
bool IsMessageBox(HWND h);
struct Box {
  HWND hwnd = nullptr;
  std::wstring caption, text;
  UINT buttons = 0;  // MB_OK, MB_OKCANCEL, MB_YESNO or MB_YESNOCANCEL, read from the buttons it has
  bool hasIcon = false;
  explicit operator bool() const { return hwnd != nullptr; }
};
Box ReadBox(HWND box);

// Polls f every 20 ms until it gives a window, or the time is up (nullptr).
HWND WaitFor(const std::function<HWND()>& f, DWORD ms);

// Posts BN_CLICKED of control id to a dialog: a button press, or the answer of a box (IDOK, IDYES, ...).
// Posted, because the command may open modal windows of its own.
void Click(HWND dialog, int id);
// Puts text into a control of a dialog, as typing would (the Open dialog takes its file name in 0x47C).
bool TypeInto(HWND dialog, int id, const std::wstring& text);
// Posts a system menu command (WM_SYSCOMMAND) to a window.
void SysCommand(HWND window, UINT command);

// A program started for one test; the destructor ends it if it still runs.
class Process {
public:
  explicit Process(const std::wstring& exe, const std::wstring& args = L"", const std::wstring& dir = L"");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool started() const { return started_; }
  DWORD pid() const { return pi_.dwProcessId; }
  HANDLE handle() const { return pi_.hProcess; }
  bool Running() const;

  // Its top-level windows, visible ones only unless asked.
  std::vector<HWND> Windows(bool visibleOnly = true) const;
  // Its first visible, enabled top-level window that `match` accepts; waits up to ms, or until it exits.
  HWND WaitWindow(const std::function<bool(HWND)>& match, DWORD ms = 15000) const;
  // Its visible top-level window with this caption.
  HWND WaitWindow(const std::wstring& caption, DWORD ms = 15000) const;
  // Its dialog (#32770, not a message box) with this caption.
  HWND WaitDialog(const std::wstring& caption, DWORD ms = 15000) const;
  // Its next message box.
  Box WaitBox(DWORD ms = 15000) const;
  // Waits until the window is gone.
  bool WaitGone(HWND h, DWORD ms = 15000) const;
  // Waits for the end; the exit code in *code.
  bool WaitExit(DWORD ms = 15000, DWORD* code = nullptr) const;
  // Ends the program: WM_CLOSE to its visible windows, then waits; what still runs after ms is terminated.
  // Returns true when it ended by itself.
  bool Close(DWORD ms = 10000);

private:
  PROCESS_INFORMATION pi_{};
  bool started_ = false;
};

}  // namespace e2e
