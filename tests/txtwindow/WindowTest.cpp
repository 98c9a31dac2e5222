// The text splitter's window as a user meets it, created in this process and driven by messages.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>
#include "BoxRecorder.h"
#include "Fixtures.h"
#include "Module1.h"
#include "frmTxtSplit.h"

using kt::forms::App;
using kt::forms::CommonDialog;
using kt::forms::Control;

namespace {

// ---- seams: the Open dialog and the shell

struct SeenDialog {
  bool cancelError;
  std::wstring title, filter, defaultExt;
  HWND owner;
};
std::vector<SeenDialog> g_seenDialogs;
std::vector<std::wstring> g_answers;  // one per dialog shown; empty string = Cancel

bool AnswerDialog(CommonDialog& d, kt::forms::Form& owner) {
  g_seenDialogs.push_back({d.CancelError, d.DialogTitle, d.Filter, d.DefaultExt, owner.m_hWnd});
  if (g_answers.empty()) return false;
  std::wstring answer = g_answers.front();
  g_answers.erase(g_answers.begin());
  if (answer.empty()) return false;
  d.FileName = answer;
  return true;
}

struct ShellCall {
  HWND owner;
  std::wstring file;
};
std::vector<ShellCall> g_shellCalls;
void RecordShell(HWND owner, const CString& file) { g_shellCalls.push_back({owner, file}); }

// The live window with its seams in place; the start notice logs into a file of its own.
class LiveForm {
public:
  LiveForm() {
    App::ResetForTest();
    App::SetPrevInstanceForTest(false);
    g_seenDialogs.clear();
    g_answers.clear();
    g_shellCalls.clear();
    CommonDialog::s_showOpen = AnswerDialog;
    frmTxtSplit::s_shellOpen = RecordShell;
    SetEnvironmentVariableW(L"KT_NOTIFY_LOG", notifyLog.c_str());
  }
  ~LiveForm() {
    SetEnvironmentVariableW(L"KT_NOTIFY_LOG", nullptr);
    Module1::g_notifyProgId = L"KTMWNotify.CNotify";
    App::ResetForTest();
    App::SetPrevInstanceForTest(false);
  }
  void Show() {
    form.Show();
    AfxGetApp()->m_pMainWnd = &form;
  }
  HWND hwnd() const { return form.m_hWnd; }
  void click(const Control& c) const {
    SendMessageW(form.m_hWnd, WM_COMMAND, MAKEWPARAM(c.Id(), BN_CLICKED), reinterpret_cast<LPARAM>(c.hWnd()));
  }
  void menu(const kt::forms::MenuItem& m) const { SendMessageW(form.m_hWnd, WM_COMMAND, MAKEWPARAM(m.Id(), 0), 0); }
  std::string log() const {
    auto b = ReadBytes(notifyLog);
    return std::string(b.begin(), b.end());
  }

  TempDir dir;
  std::wstring notifyLog = dir / L"notify.log";
  frmTxtSplit form;
};

RECT RectIn(HWND child, HWND parent) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE TextSize(HWND ctl) {
  HDC dc = GetDC(ctl);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(ctl, WM_GETFONT, 0, 0)));
  RECT r{};
  std::wstring text = kt::WindowText(ctl);
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(ctl, dc);
  return {r.right, r.bottom};
}

std::wstring MenuText(HMENU m, int pos) {
  wchar_t buf[128] = {};
  GetMenuStringW(m, pos, buf, 128, MF_BYPOSITION);
  return buf;
}

// ---- first show

TEST(TxtWindow, WindowAtStart) {
  LiveForm f;
  f.Show();
  ASSERT_TRUE(f.hwnd());
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(96, GetDeviceCaps(screen, LOGPIXELSX)) << "the places below are at 15 twips to the pixel";
  ReleaseDC(nullptr, screen);

  EXPECT_EQ(L"TXT文件分割工具 V1.5", kt::WindowText(f.hwnd()));
  LONG style = GetWindowLongW(f.hwnd(), GWL_STYLE);
  EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << std::hex << style;
  EXPECT_TRUE(IsWindowVisible(f.hwnd()));

  RECT client;
  GetClientRect(f.hwnd(), &client);
  EXPECT_EQ(384, client.right);   // 5760 twips
  EXPECT_EQ(206, client.bottom);  // 3090 twips

  RECT r;
  GetWindowRect(f.hwnd(), &r);
  EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (r.left + r.right) / 2, 1);
  EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (r.top + r.bottom) / 2, 1);

  // Its own icon, big and small.
  for (auto [kind, size] : {std::pair{ICON_BIG, 32}, std::pair{ICON_SMALL, 16}}) {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(f.hwnd(), WM_GETICON, kind, 0));
    ASSERT_TRUE(icon) << kind;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(size, bm.bmWidth) << kind;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

TEST(TxtWindow, ControlsAtStart) {
  LiveForm f;
  f.Show();
  frmTxtSplit& w = f.form;
  struct Row {
    const Control* c;
    const wchar_t* kind;
    std::wstring caption;
    int left, top, width, height;  // pixels; children of the frame relative to the frame
    bool fits;
  };
  const Row rows[] = {
      {&w.Frame2, L"Button", L"TXT文本文件分割工具", 8, 8, 369, 193, false},
      {&w.Label1, L"Static", L"目标文件：", 16, 40, 60, 12, true},
      {&w.txtSFile, L"Edit", L"", 80, 32, 217, 25, false},
      {&w.cmdBrowse1, L"Button", L"浏览", 304, 32, 49, 25, false},
      {&w.Label4, L"Static", L"分割单位：", 16, 72, 60, 12, true},
      {&w.txtSize, L"Edit", L"100", 80, 64, 73, 25, false},
      {&w.Label5, L"Static", L"KB", 160, 72, 12, 12, true},
      {&w.Label7, L"Static", L"估计分割份数：", 240, 72, 84, 12, true},
      {&w.lblFileNum, L"Static", L"0", 336, 72, 22, 12, true},
      {&w.chkShiBie, L"Button", L"启用人工汉字断开识别", 16, 104, 201, 17, false},
      {&w.cmdSplit, L"Button", L"开始分割", 240, 96, 113, 33, false},
      {&w.Label3, L"Static", L" 目标位置：", 8, 160, 66, 12, true},
      {&w.lblFolder, L"Static", L"默认在源文件的同名目录下。", 80, 160, 156, 12, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.c->Name());
    HWND h = row.c->hWnd();
    ASSERT_TRUE(h);
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    EXPECT_EQ(0, lstrcmpiW(cls, row.kind)) << cls;
    EXPECT_EQ(row.caption, kt::WindowText(h));
    HWND frame = row.c == &w.Frame2 ? f.hwnd() : w.Frame2.hWnd();
    RECT r = RectIn(h, f.hwnd());
    RECT base = row.c == &w.Frame2 ? RECT{} : RectIn(frame, f.hwnd());
    EXPECT_EQ(row.left, r.left - base.left);
    EXPECT_EQ(row.top, r.top - base.top);
    if (row.fits) {
      SIZE text = TextSize(h);
      EXPECT_EQ(text.cx, r.right - r.left);
      EXPECT_EQ(text.cy, r.bottom - r.top);
    } else {
      EXPECT_EQ(row.width, r.right - r.left);
      EXPECT_EQ(row.height, r.bottom - r.top);
    }
    // The dialog font of the Chinese system.
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    EXPECT_STREQ(L"宋体", lf.lfFaceName);
    EXPECT_EQ(-12, lf.lfHeight);
  }
  // State at start.
  EXPECT_FALSE(IsWindowEnabled(w.txtSFile.hWnd()));
  EXPECT_TRUE(GetWindowLongW(w.txtSFile.hWnd(), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(IsWindowEnabled(w.txtSize.hWnd()));
  EXPECT_FALSE(GetWindowLongW(w.txtSize.hWnd(), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(w.chkShiBie.hWnd(), BM_GETCHECK, 0, 0));
  EXPECT_EQ(0, w.chkShiBie.Value());
}

TEST(TxtWindow, TabOrderAndFirstFocus) {
  LiveForm f;
  f.Show();
  frmTxtSplit& w = f.form;
  EXPECT_EQ(w.cmdSplit.hWnd(), GetFocus());

  // The windows lie in tab-index order.
  std::vector<HWND> order;
  for (HWND c = GetWindow(f.hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) order.push_back(c);
  std::vector<HWND> expected;
  for (const Control* c : {(Control*)&w.Frame2, (Control*)&w.cmdSplit, (Control*)&w.txtSize, (Control*)&w.cmdBrowse1,
                           (Control*)&w.txtSFile, (Control*)&w.lblFileNum, (Control*)&w.Label7, (Control*)&w.lblFolder,
                           (Control*)&w.Label5, (Control*)&w.Label4, (Control*)&w.Label3, (Control*)&w.Label1,
                           (Control*)&w.chkShiBie})
    expected.push_back(c->hWnd());
  EXPECT_EQ(expected, order);

  // Tab walks the controls that take the focus; the disabled source box is passed over.
  std::vector<HWND> walk;
  HWND at = w.cmdSplit.hWnd();
  for (int i = 0; i < 5; ++i) walk.push_back(at = GetNextDlgTabItem(f.hwnd(), at, FALSE));
  EXPECT_EQ((std::vector<HWND>{w.txtSize.hWnd(), w.cmdBrowse1.hWnd(), w.chkShiBie.hWnd(), w.cmdSplit.hWnd(),
                               w.txtSize.hWnd()}),
            walk);
}

TEST(TxtWindow, MenuBar) {
  LiveForm f;
  f.Show();
  frmTxtSplit& w = f.form;
  HMENU bar = GetMenu(f.hwnd());
  ASSERT_TRUE(bar);
  ASSERT_EQ(2, GetMenuItemCount(bar));
  EXPECT_EQ(L"帮助链接", MenuText(bar, 0));
  HMENU help = GetSubMenu(bar, 0);
  ASSERT_TRUE(help);
  EXPECT_EQ(L"e-book电子小说阅读器(TXT看书软件)", MenuText(bar, 1));
  EXPECT_FALSE(GetSubMenu(bar, 1)) << "a command of its own on the bar";
  EXPECT_EQ(w.mnuebook.Id(), GetMenuItemID(bar, 1));

  ASSERT_EQ(4, GetMenuItemCount(help));
  EXPECT_EQ(L"软件首页", MenuText(help, 0));
  EXPECT_EQ(w.mnuSoft.Id(), GetMenuItemID(help, 0));
  EXPECT_EQ(L"茗川首页", MenuText(help, 1));
  EXPECT_EQ(w.mnuHome.Id(), GetMenuItemID(help, 1));
  EXPECT_TRUE(GetMenuState(help, 2, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(L"退出", MenuText(help, 3));
  EXPECT_EQ(w.mnuExit.Id(), GetMenuItemID(help, 3));
}

// ---- start-up

TEST(TxtWindow, StartNoticeBeforeTheWindowShows) {
  LiveForm f;
  f.Show();
  ASSERT_TRUE(f.hwnd());
  EXPECT_EQ("ktfilesplit|Other information,Not used.\n", f.log());
}

TEST(TxtWindow, WithoutTheComponentTheWindowOpensAsUsual) {
  BoxRecorder boxes;
  LiveForm f;
  Module1::g_notifyProgId = L"KTMWNotify.NotRegistered";
  f.Show();
  ASSERT_TRUE(f.hwnd());
  EXPECT_TRUE(IsWindowVisible(f.hwnd()));
  EXPECT_EQ(f.form.cmdSplit.hWnd(), GetFocus());
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_FALSE(Exists(f.notifyLog));
}

TEST(TxtWindow, SecondInstanceEndsBeforeAnyWindowAndCallsNothing) {
  BoxRecorder boxes;
  LiveForm f;
  App::SetPrevInstanceForTest(true);
  f.Show();
  EXPECT_FALSE(f.hwnd());
  EXPECT_TRUE(App::Ending());
  EXPECT_FALSE(Exists(f.notifyLog));
  EXPECT_TRUE(boxes.boxes.empty());
}

// ---- choosing the source

TEST(TxtWindow, ChoosingTheSource) {
  BoxRecorder boxes;
  LiveForm f;
  f.Show();
  frmTxtSplit& w = f.form;
  const std::wstring novel = f.dir / L"novel.txt", readme = f.dir / L"readme.md";
  struct Step {
    std::wstring answer;  // empty: Cancel
    std::wstring path, folder;
  };
  const Step steps[] = {
      {novel, novel, f.dir / L"novel"},
      {novel, novel, f.dir / L"novel"},  // again: the folder exists, nothing is said
      {L"", novel, f.dir / L"novel"},    // cancel keeps the earlier choice
      {readme, readme, f.dir / L"readm"},
      {f.dir / L"no\\such\\x.txt", f.dir / L"no\\such\\x.txt", f.dir / L"no\\such\\x"},  // cannot be made
      {L"", f.dir / L"no\\such\\x.txt", f.dir / L"no\\such\\x"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.answer);
    g_answers = {s.answer};
    f.click(w.cmdBrowse1);
    EXPECT_EQ(s.path, kt::WindowText(w.txtSFile.hWnd()));
    EXPECT_EQ(s.folder, kt::WindowText(w.lblFolder.hWnd()));
    EXPECT_EQ(s.folder.find(L"no\\such") == std::wstring::npos, Exists(s.folder));
    // The label fits its new caption.
    RECT r;
    GetWindowRect(w.lblFolder.hWnd(), &r);
    EXPECT_EQ(TextSize(w.lblFolder.hWnd()).cx, r.right - r.left);
  }
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_FALSE(Exists(f.dir / L"no"));
  // The dialog was set up the same way every time, owned by the window.
  ASSERT_EQ(std::size(steps), g_seenDialogs.size());
  for (const SeenDialog& d : g_seenDialogs) {
    EXPECT_TRUE(d.cancelError);
    EXPECT_EQ(L"选择文本文件", d.title);
    EXPECT_EQ(L"文本文件（*.txt）|*.txt", d.filter);
    EXPECT_EQ(L"txt", d.defaultExt);
    EXPECT_EQ(f.hwnd(), d.owner);
  }
}

// The system's Open dialog itself, answered by typing the path into it.
const CommonDialog::ShowFn kSystemDialog = CommonDialog::s_showOpen;
std::wstring g_typePath;
std::wstring g_seenTitle, g_seenFilter;
void CALLBACK TypeIntoOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dlg = FindWindowW(L"#32770", L"选择文本文件");
  if (!dlg) return;
  KillTimer(nullptr, timer);
  g_seenTitle = kt::WindowText(dlg);
  HWND types = GetDlgItem(dlg, 0x470);
  if (types) g_seenFilter = kt::WindowText(types);
  SetDlgItemTextW(dlg, 0x47C, g_typePath.c_str());
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
}

TEST(TxtWindow, TheSystemOpenDialogChoosesTheSource) {
  LiveForm f;
  f.Show();
  const std::wstring source = f.dir / L"story.txt";
  WriteBytes(source, Pattern(10));
  CommonDialog::s_showOpen = kSystemDialog;
  g_typePath = source;
  g_seenTitle.clear();
  g_seenFilter.clear();
  UINT_PTR timer = SetTimer(nullptr, 0, 100, TypeIntoOpenDialog);
  f.click(f.form.cmdBrowse1);
  KillTimer(nullptr, timer);
  EXPECT_EQ(L"选择文本文件", g_seenTitle);
  EXPECT_EQ(L"文本文件（*.txt）", g_seenFilter);
  EXPECT_EQ(source, kt::WindowText(f.form.txtSFile.hWnd()));
  EXPECT_EQ(f.dir / L"story", kt::WindowText(f.form.lblFolder.hWnd()));
  EXPECT_TRUE(Exists(f.dir / L"story"));
}

// ---- the split button goes through the window's controls

TEST(TxtWindow, SplitReadsAndWritesTheWindow) {
  LiveForm f;
  f.Show();
  frmTxtSplit& w = f.form;
  const std::wstring source = f.dir / L"novel.txt";
  WriteBytes(source, Pattern(250000));
  g_answers = {source};
  f.click(w.cmdBrowse1);
  SendMessageW(w.chkShiBie.hWnd(), BM_SETCHECK, BST_CHECKED, 0);
  std::vector<HWND> owners;
  static std::vector<HWND>* s_owners;
  s_owners = &owners;
  BoxRecorder boxes(IDYES);
  boxes.onBox = [](HWND box) { s_owners->push_back(GetWindow(box, GW_OWNER)); };
  f.click(w.cmdSplit);

  EXPECT_EQ(L"3", kt::WindowText(w.lblFileNum.hWnd()));
  for (int n = 1; n <= 3; ++n) EXPECT_TRUE(Exists(f.dir / (L"novel\\novel" + std::to_wstring(n) + L".txt"))) << n;
  // The check box is read: parts 2 and 3 are asked about; then the end of the run.
  ASSERT_EQ(3u, boxes.boxes.size());
  EXPECT_EQ(L"汉字断开识别", boxes.boxes[0].caption);
  EXPECT_EQ(L"汉字断开识别", boxes.boxes[1].caption);
  EXPECT_EQ(L"分割完成，点击确定打开分割目录！", boxes.boxes[2].text);
  EXPECT_EQ(L"提示：", boxes.boxes[2].caption);
  for (HWND owner : owners) EXPECT_EQ(f.hwnd(), owner);
  ASSERT_EQ(1u, g_shellCalls.size());
  EXPECT_EQ(f.dir / L"novel", g_shellCalls[0].file);
  EXPECT_EQ(f.hwnd(), g_shellCalls[0].owner);
}

// ---- menus and the end

TEST(TxtWindow, MenuPagesOpenInTheShell) {
  LiveForm f;
  f.Show();
  frmTxtSplit& w = f.form;
  const std::pair<const kt::forms::MenuItem*, std::wstring> pages[] = {
      {&w.mnuSoft, L"http://www.example.com/softinfo/ktsplit.htm"},
      {&w.mnuHome, L"http://www.example.com"},
      {&w.mnuebook, L"http://www.example.com/softinfo/ktreader.htm"},
  };
  for (const auto& [item, address] : pages) {
    g_shellCalls.clear();
    f.menu(*item);
    ASSERT_EQ(1u, g_shellCalls.size()) << item->Name();
    EXPECT_EQ(address, g_shellCalls[0].file);
    EXPECT_EQ(f.hwnd(), g_shellCalls[0].owner);
  }
  // The separator and the submenu's own entry do nothing.
  g_shellCalls.clear();
  f.menu(w.mnuLinellls);
  f.menu(w.mnuHH);
  EXPECT_TRUE(g_shellCalls.empty());
  EXPECT_TRUE(IsWindow(f.hwnd()));
}

TEST(TxtWindow, ExitAndTheCloseBoxEndTheWindowWithoutAQuestion) {
  BoxRecorder boxes;
  {
    LiveForm f;
    f.Show();
    f.menu(f.form.mnuExit);
    EXPECT_FALSE(f.hwnd());
    EXPECT_TRUE(App::Ending());
  }
  {
    LiveForm f;
    f.Show();
    HWND h = f.hwnd();
    SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(f.hwnd());
  }
  EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
