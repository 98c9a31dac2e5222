#pragma once
// End-to-end driving of the real programs from outside: start one as a process, wait for its windows by
// caption, post and send it messages, find and read its message boxes and other dialogs, and end it.
// Everything goes by messages (no injected mouse or keyboard input), so it works under Wine's null driver.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The Windows path of a program in the programs' folder, such as ProgramPath(L"KTSplit.exe"): the folder named
// by the environment variable KT_BIN_DIR (a Unix or Windows path; an unpacked release, say), else the build's
// bin folder.
std::wstring ProgramPath(const std::wstring& exeName);
// A Unix path as Wine's drive of the root shows it ("/a/b" gives "Z:\a\b"); a Windows path as it is.
std::wstring WindowsPath(std::wstring path);

// Puts the calling thread on a desktop of its own, before it makes any window; processes started afterwards
// go there too. Activation and focus are per desktop, so tests running side by side keep theirs.
bool UseOwnDesktop();
// The visible top-level windows of every process on the calling thread's desktop.
std::vector<HWND> DesktopWindows();
DWORD ProcessOf(HWND h);
// The full path of a process's program file, empty when it cannot be asked.
std::wstring ImagePath(DWORD pid);
// The running processes started by pid, by its children, and so on (through children still running; a
// process whose parent ended no longer traces back through it).
std::vector<DWORD> DescendantsOf(DWORD pid);
// Ends a process that a test caused: WM_CLOSE to its windows, then termination after ms. True when it ended.
bool EndProcess(DWORD pid, DWORD ms = 5000);

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
  bool hasIcon = false;  // which icon cannot be told from outside: its handle belongs to the box's process
  explicit operator bool() const { return hwnd != nullptr; }
};
Box ReadBox(HWND box);

// Polls f every 20 ms until it gives a window, or the time is up (nullptr).
HWND WaitFor(const std::function<HWND()>& f, DWORD ms);
// Polls until the condition holds; false when the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD ms = 15000);
// The first visible, enabled top-level window on the desktop, of any process, that match accepts.
HWND WaitDesktopWindow(const std::function<bool(HWND)>& match, DWORD ms = 15000);
// The first child of parent with this class (compared without case) and text.
HWND FindChild(HWND parent, const std::wstring& cls, const std::wstring& text);

// Posts BN_CLICKED of control id to a dialog: a button press, or the answer of a box (IDOK, IDYES, ...).
// Posted, because the command may open modal windows of its own.
void Click(HWND dialog, int id);
// Puts text into a control of a dialog, as typing would (the Open dialog takes its file name in 0x47C).
bool TypeInto(HWND dialog, int id, const std::wstring& text);
// Posts a system menu command (WM_SYSCOMMAND) to a window.
void SysCommand(HWND window, UINT command);
// A mouse click on a check box or radio button (BM_CLICK, posted): the control checks itself, clears the
// other radios of its group and tells its parent, as under the mouse.
void Press(HWND button);
bool IsChecked(HWND button);
// Picks the entry with exactly this text from a combo box's list, as a user's pick does: the selection, then
// CBN_SELCHANGE to the parent. False when the list has no such entry.
bool PickFromList(HWND dialog, int comboId, const std::wstring& entry);
// Answers a box or dialog with a button (IDOK, IDYES, IDNO, ...) and waits until it is gone.
bool Answer(HWND box, int id, DWORD ms = 15000);

// A program started for one test; the destructor ends it if it still runs. It and whatever it starts are in
// a job that ends with the test process, should the test itself be stopped.
class Process {
public:
  explicit Process(const std::wstring& exe, const std::wstring& args = L"", const std::wstring& dir = L"");
  // A running process that the test did not start itself but must end (one its program started).
  explicit Process(DWORD pid);
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
  // Whatever it started (a folder window of the shell, say) is ended after it. Returns true when the program
  // ended by itself.
  bool Close(DWORD ms = 10000);
  // The processes it started that still run.
  std::vector<DWORD> RunningDescendants() const;

private:
  PROCESS_INFORMATION pi_{};
  bool started_ = false;
};

}  // namespace e2e
