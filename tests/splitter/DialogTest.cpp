// The main dialog as a user meets it: first show, the two modes, choosing a source, the message map.
#include <gtest/gtest.h>
#include "BoxRecorder.h"
#include "Fixtures.h"
#include "resource.h"

namespace {

bool Enabled(const LiveDialog& d, int id) { return IsWindowEnabled(d.item(id)) != FALSE; }
bool Checked(const LiveDialog& d, int id) { return SendMessageW(d.item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

TEST(MainDialog, FirstShow) {
  LiveDialog d;
  EXPECT_TRUE(Checked(d, IDC_MODE_SPLIT));
  EXPECT_FALSE(Checked(d, IDC_MODE_MERGE));
  for (int id : {IDOK, IDC_BROWSE_SOURCE, IDC_BROWSE_TARGET, IDC_TXT_SPLIT, IDC_PIECE_SIZE})
    EXPECT_TRUE(Enabled(d, id)) << id;
  EXPECT_FALSE(Enabled(d, IDC_MERGE));
  EXPECT_EQ(L"1.38", d.text(IDC_PIECE_SIZE));
  EXPECT_EQ(L"", d.text(IDC_SOURCE_PATH));
  EXPECT_EQ(L"", d.text(IDC_TARGET_FOLDER));
  EXPECT_EQ(L"状态显示", d.text(IDC_STATUS));
  EXPECT_EQ(L"岚石大文件分割器V1.5", d.dlg.GetWindowText());
  EXPECT_EQ(d.item(IDOK), GetFocus());

  // The list holds the five sizes in ascending order, "1.38" selected.
  std::vector<std::wstring> entries;
  for (int i = 0; i < d.dlg.m_cboPieceSize.GetCount(); ++i) entries.push_back(d.dlg.m_cboPieceSize.GetLBText(i));
  EXPECT_EQ((std::vector<std::wstring>{L"0.20", L"0.50", L"1.00", L"1.20", L"1.38"}), entries);
  EXPECT_EQ(4, d.dlg.m_cboPieceSize.GetCurSel());

  // Full bar after the set-up of the progress bar.
  EXPECT_EQ(1, d.dlg.m_progress.m_nLower);
  EXPECT_EQ(500, d.dlg.m_progress.m_nUpper);
  EXPECT_EQ(500, d.dlg.m_progress.m_nPos);
  EXPECT_EQ(RGB(150, 180, 220), d.dlg.m_progress.m_crBackground);

  // Centred in the work area.
  RECT r, work;
  GetWindowRect(d.hwnd(), &r);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((work.left + work.right) / 2, (r.left + r.right) / 2, 1);
  EXPECT_NEAR((work.top + work.bottom) / 2, (r.top + r.bottom) / 2, 1);

  // The system menu ends with a separator and the About entry.
  HMENU sys = GetSystemMenu(d.hwnd(), FALSE);
  int n = GetMenuItemCount(sys);
  ASSERT_GE(n, 2);
  EXPECT_EQ(UINT(IDM_ABOUTBOX), GetMenuItemID(sys, n - 1));
  wchar_t text[64] = {};
  GetMenuStringW(sys, n - 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(L"岚石文件分割器(&A)...", text);
  EXPECT_EQ(UINT(MF_SEPARATOR), GetMenuState(sys, n - 2, MF_BYPOSITION) & MF_SEPARATOR);
}

TEST(MainDialog, ModeSwitchesEmptyThePathsEveryTime) {
  LiveDialog d;
  struct Step { int radio; bool split; };
  for (Step s : {Step{IDC_MODE_MERGE, false}, Step{IDC_MODE_SPLIT, true}, Step{IDC_MODE_SPLIT, true}}) {
    d.setText(IDC_SOURCE_PATH, L"C:\\a\\b.bin");
    d.setText(IDC_TARGET_FOLDER, L"C:\\a");
    SendMessageW(d.item(s.radio), BM_SETCHECK, BST_CHECKED, 0);
    d.click(s.radio);
    EXPECT_EQ(s.split, Enabled(d, IDOK));
    EXPECT_EQ(!s.split, Enabled(d, IDC_MERGE));
    EXPECT_EQ(s.split, Enabled(d, IDC_PIECE_SIZE));
    EXPECT_EQ(s.split ? 1 : 0, d.dlg.m_bSplitMode);
    EXPECT_EQ(L"", d.text(IDC_SOURCE_PATH));
    EXPECT_EQ(L"", d.text(IDC_TARGET_FOLDER));
    EXPECT_EQ(L"1.38", d.text(IDC_PIECE_SIZE));  // the disabled box keeps showing its text
  }
}

struct Chosen { std::wstring filter, path, name; };
Chosen g_chosen;
bool ChooseForTest(CSplitterDlg&, const CString& filter, CString& path, CString& name) {
  g_chosen.filter = filter;
  if (g_chosen.path.empty()) return false;
  path = g_chosen.path;
  name = g_chosen.name;
  return true;
}

TEST(MainDialog, ChoosingASourceSetsTheTargetToItsFolder) {
  LiveDialog d;
  auto saved = CSplitterDlg::s_chooseFile;
  CSplitterDlg::s_chooseFile = ChooseForTest;
  struct Case { std::wstring path, name, folder; };
  for (const Case& c : {Case{L"C:\\data\\movie.avi", L"movie.avi", L"C:\\data"},
                        Case{L"D:\\movie.avi", L"movie.avi", L"D:"},
                        // 誠 is 0xD5 0x5C in GBK: the cut is at the real last backslash.
                        Case{L"C:\\誠\\誠.bin", L"誠.bin", L"C:\\誠"}}) {
    g_chosen = {L"", c.path, c.name};
    d.click(IDC_BROWSE_SOURCE);
    EXPECT_EQ(c.path, d.text(IDC_SOURCE_PATH));
    EXPECT_EQ(c.folder, d.text(IDC_TARGET_FOLDER));
    EXPECT_EQ(c.name, d.dlg.m_strSourceName);
  }
  EXPECT_EQ(L"待分割文件(*.*)|*.*||", g_chosen.filter);

  d.click(IDC_MODE_MERGE);
  g_chosen = {L"", L"", L""};  // cancelled: nothing changes
  d.setText(IDC_TARGET_FOLDER, L"C:\\kept");
  d.click(IDC_BROWSE_SOURCE);
  EXPECT_EQ(L"待合并文件(*.kt1)|*.kt1||", g_chosen.filter);
  EXPECT_EQ(L"C:\\kept", d.text(IDC_TARGET_FOLDER));
  CSplitterDlg::s_chooseFile = saved;
}

TEST(MainDialog, PieceSizeWriteSelectsTheFirstMatchingEntryElseKeepsTheText) {
  LiveDialog d;
  d.dlg.m_strPieceSize = L"1";
  d.dlg.UpdateData(FALSE);
  EXPECT_EQ(L"1.00", d.text(IDC_PIECE_SIZE));
  d.dlg.m_strPieceSize = L"7.5";
  d.dlg.UpdateData(FALSE);
  EXPECT_EQ(L"7.5", d.text(IDC_PIECE_SIZE));
}

TEST(MessageMap, RoutesCommandsByControlAndNotification) {
  const auto& map = CSplitterDlg::messageMap;
  struct Case { UINT msg; WPARAM wp; bool found; };
  const Case cases[] = {
      {WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), true},
      {WM_COMMAND, MAKEWPARAM(IDC_MERGE, BN_CLICKED), true},
      {WM_COMMAND, MAKEWPARAM(IDC_PIECE_SIZE, CBN_SELCHANGE), true},
      {WM_COMMAND, MAKEWPARAM(IDC_PIECE_SIZE, CBN_DROPDOWN), false},
      {WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), false},
      {WM_SYSCOMMAND, SC_CLOSE, true},
      {WM_QUERYDRAGICON, 0, true},
      {WM_TIMER, 0, false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.found, kt::FindMapEntry(map, c.msg, c.wp) != nullptr) << c.msg;
}

TEST(MainDialog, FileErrorEscapingACommandShowsTheStopIcon) {
  // A read failure while copying surfaces as a file exception; the wall shows its text.
  LiveDialog d;
  BoxRecorder r;
  kt::ExceptionWall([] { throw CFileException(CFileException::hardIO, 0, L"一未命名文件"); return 0; }, 0);
  ASSERT_EQ(1u, r.boxes.size());
  EXPECT_EQ(L"在存取 一未命名文件 时一个硬件输入/输出错误被报告。", r.boxes[0].text);
  EXPECT_EQ(L"KTSplit", r.boxes[0].caption);
  EXPECT_EQ(UINT(MB_ICONSTOP), r.boxes[0].style);
}

}  // namespace
