// KTSplit.exe as the user starts it: a process of its own, driven from outside.
#include <gtest/gtest.h>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>
#include "E2E.h"
#include "Fixtures.h"
#include "HomePage.h"
#include "resource.h"

namespace {

const wchar_t kMainCaption[] = L"岚石大文件分割器V1.5";
const int kOpenFileName = 0x47C;  // the Open dialog's file name field
const int kOpenFilter = 0x470;    // and its list of filters

class KTSplitE2E : public testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(e2e::UseOwnDesktop()); }
};

// The running program and its main dialog, with the steps a user takes in it.
class MainDialog {
public:
  MainDialog() : app(e2e::ProgramPath(L"KTSplit.exe")) {}

  void Start() {
    ASSERT_TRUE(app.started()) << "error " << GetLastError();
    dlg = app.WaitWindow(kMainCaption);
    ASSERT_TRUE(dlg) << "the main dialog did not show";
  }
  HWND Item(int id) const { return GetDlgItem(dlg, id); }
  std::wstring Field(int id) const { return e2e::Text(Item(id)); }

  // "浏览" beside the source, the path typed into the Open dialog and OK; the dialog shows the path.
  void ChooseSource(const std::wstring& path, const std::wstring& filter) {
    e2e::Click(dlg, IDC_BROWSE_SOURCE);
    HWND open = app.WaitWindow([&](HWND h) {
      return e2e::ClassOf(h) == L"#32770" && !e2e::IsMessageBox(h) && GetWindow(h, GW_OWNER) == dlg;
    });
    ASSERT_TRUE(open) << "no Open dialog";
    EXPECT_EQ(L"打开", e2e::Text(open));
    EXPECT_EQ(filter, e2e::Text(GetDlgItem(open, kOpenFilter)));
    ASSERT_TRUE(e2e::TypeInto(open, kOpenFileName, path));
    ASSERT_TRUE(e2e::Answer(open, IDOK)) << "the Open dialog stayed";
    ASSERT_TRUE(e2e::WaitUntil([&] { return Field(IDC_SOURCE_PATH) == path; }))
        << "the source field shows \"" << testing::PrintToString(Field(IDC_SOURCE_PATH)) << "\"";
  }

  // Presses a command button; gives the box it ends with, answered with OK once read.
  e2e::Box Run(int button) {
    e2e::Click(dlg, button);
    e2e::Box box = app.WaitBox(60000);
    if (box) {
      EXPECT_EQ(dlg, GetWindow(box.hwnd, GW_OWNER));
      EXPECT_TRUE(e2e::Answer(box.hwnd, IDOK));
    }
    return box;
  }

  e2e::Process app;
  HWND dlg = nullptr;
};

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

// The names of the files in a folder, sorted.
std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
  while (FindNextFileW(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(KTSplitE2E, SystemMenuCommandOpensTheAboutBoxAndOKClosesIt) {
  e2e::Process app(e2e::ProgramPath(L"KTSplit.exe"));
  ASSERT_TRUE(app.started()) << "error " << GetLastError();
  HWND main = app.WaitWindow(kMainCaption);
  ASSERT_TRUE(main) << "the main dialog did not show";

  e2e::SysCommand(main, IDM_ABOUTBOX);
  HWND about = app.WaitDialog(L"关于-岚石文件分割器");
  ASSERT_TRUE(about) << "no About box";
  EXPECT_FALSE(e2e::IsMessageBox(about));
  EXPECT_EQ(main, GetWindow(about, GW_OWNER));
  EXPECT_FALSE(IsWindowEnabled(main)) << "the box is modal to the main dialog";

  auto texts = e2e::ChildTexts(about);
  ASSERT_EQ(4u, texts.size());
  EXPECT_EQ(L"岚石文件分割器 1.5 版", texts[1]);
  EXPECT_EQ(L"主页：" KT_HOME_PAGE, texts[2]);
  EXPECT_EQ(L"确定", texts[3]);
  EXPECT_EQ(SS_ICON, GetWindowLongW(e2e::Children(about)[0], GWL_STYLE) & SS_TYPEMASK);

  e2e::Click(about, IDOK);
  EXPECT_TRUE(app.WaitGone(about));
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(app.Running()) << "closing the box leaves the program running";
  EXPECT_EQ(kMainCaption, e2e::Text(main));

  // The close box of the main dialog ends the program.
  PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(app.WaitExit());
}

// A split as the user makes it, then the merge of its pieces back into the file.
struct RoundTrip {
  const char* name;
  const wchar_t* entry;  // picked from the piece-size list
  uint64_t length;       // of the source
  std::vector<int64_t> pieces;
  friend void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }
};

class KTSplitE2ERoundTrip : public KTSplitE2E, public testing::WithParamInterface<RoundTrip> {};

TEST_P(KTSplitE2ERoundTrip, SplitThroughTheOpenDialogThenMergeTheFirstPiece) {
  const RoundTrip& c = GetParam();
  TempDir dir;
  const std::wstring sourceDir = dir / L"source", keptDir = dir / L"kept";
  ASSERT_TRUE(CreateDirectoryW(sourceDir.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(keptDir.c_str(), nullptr));
  const std::wstring source = sourceDir + L"\\movie.avi";
  const auto bytes = Pattern(c.length, static_cast<uint32_t>(c.length));
  WriteBytes(source, bytes);

  MainDialog ui;
  ASSERT_NO_FATAL_FAILURE(ui.Start());
  EXPECT_EQ(L"状态显示", ui.Field(IDC_STATUS));

  // Split: the source, a size from the list, "分割".
  ASSERT_NO_FATAL_FAILURE(ui.ChooseSource(source, L"待分割文件(*.*)"));
  EXPECT_EQ(sourceDir, ui.Field(IDC_TARGET_FOLDER)) << "the target defaults to the source's folder";
  ASSERT_TRUE(e2e::PickFromList(ui.dlg, IDC_PIECE_SIZE, c.entry));
  EXPECT_TRUE(e2e::WaitUntil([&] { return ui.Field(IDC_PIECE_SIZE) == c.entry; }));
  e2e::Box done = ui.Run(IDOK);
  ASSERT_TRUE(done) << "no box after the split";
  EXPECT_EQ(L"提示", done.caption);
  EXPECT_EQ(L"文件已被成功分割!", done.text);
  EXPECT_EQ(static_cast<UINT>(MB_OK), done.buttons);
  EXPECT_TRUE(done.hasIcon);
  EXPECT_EQ(std::to_wstring(c.pieces.size()) + L"个文件生成", ui.Field(IDC_STATUS));
  EXPECT_EQ(L"", ui.Field(IDC_SOURCE_PATH));
  EXPECT_EQ(L"", ui.Field(IDC_TARGET_FOLDER));

  std::vector<std::wstring> expected{L"movie.avi"};
  uint64_t offset = 0;
  for (size_t i = 0; i < c.pieces.size(); ++i) {
    const std::wstring name = L"movie.avi.kt" + std::to_wstring(i + 1);
    expected.push_back(name);
    const auto piece = ReadBytes(sourceDir + L"\\" + name);
    ASSERT_EQ(c.pieces[i], static_cast<int64_t>(piece.size())) << testing::PrintToString(name);
    EXPECT_TRUE(std::equal(piece.begin(), piece.end(), bytes.begin() + offset)) << testing::PrintToString(name);
    offset += piece.size();
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, FilesIn(sourceDir)) << "the pieces and nothing else beside the source";

  // Merge: the source moves away, so the joined file cannot be it.
  ASSERT_TRUE(MoveFileW(source.c_str(), (keptDir + L"\\movie.avi").c_str()));
  e2e::Press(ui.Item(IDC_MODE_MERGE));
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsChecked(ui.Item(IDC_MODE_MERGE)); }));
  EXPECT_FALSE(e2e::IsChecked(ui.Item(IDC_MODE_SPLIT)));
  EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowEnabled(ui.Item(IDC_MERGE)) != FALSE; }));
  EXPECT_FALSE(IsWindowEnabled(ui.Item(IDOK)));
  EXPECT_FALSE(IsWindowEnabled(ui.Item(IDC_PIECE_SIZE)));

  const std::wstring first = sourceDir + L"\\movie.avi.kt1";
  ASSERT_NO_FATAL_FAILURE(ui.ChooseSource(first, L"待合并文件(*.kt1)"));
  EXPECT_EQ(sourceDir, ui.Field(IDC_TARGET_FOLDER)) << "the target defaults to the pieces' folder";
  e2e::Box joined = ui.Run(IDC_MERGE);
  ASSERT_TRUE(joined) << "no box after the merge";
  EXPECT_EQ(L"提示", joined.caption);
  EXPECT_EQ(L"文件合并成功!", joined.text);
  EXPECT_EQ(static_cast<UINT>(MB_OK), joined.buttons);
  EXPECT_TRUE(joined.hasIcon);
  EXPECT_EQ(std::to_wstring(c.pieces.size()) + L"个文件已合并", ui.Field(IDC_STATUS));
  EXPECT_EQ(L"", ui.Field(IDC_SOURCE_PATH));
  EXPECT_EQ(L"", ui.Field(IDC_TARGET_FOLDER));

  EXPECT_TRUE(ReadBytes(source) == bytes) << "the joined file differs from the source";
  EXPECT_EQ(expected, FilesIn(sourceDir)) << "the joined file beside its pieces, no stray file";

  PostMessageW(ui.dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(ui.app.WaitExit());
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, KTSplitE2ERoundTrip,
    testing::Values(
        // Three full pieces of P = 209920 and the rest.
        RoundTrip{"FullPiecesAndTheRest", L"0.20", 3 * 209920 + 12345, {209920, 209920, 209920, 12345}},
        // A whole multiple of P ends with an empty piece.
        RoundTrip{"EndsWithAnEmptyPiece", L"0.50", 2 * 524288, {524288, 524288, 0}}),
    [](const testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

// "TXT文件分割" starts the text splitter from the program's own folder, as a process of its own.
TEST_F(KTSplitE2E, TxtSplitButtonStartsTheTextSplitterFromTheProgramsFolder) {
  MainDialog ui;
  ASSERT_NO_FATAL_FAILURE(ui.Start());
  e2e::Click(ui.dlg, IDC_TXT_SPLIT);
  HWND txtWindow = e2e::WaitDesktopWindow([&](HWND h) {
    return e2e::Text(h) == L"TXT文件分割工具 V1.5" && e2e::ClassOf(h) == L"KTForm";
  });
  ASSERT_TRUE(txtWindow) << "no text splitter window";
  e2e::Process txt(e2e::ProcessOf(txtWindow));
  ASSERT_TRUE(txt.started());
  EXPECT_NE(ui.app.pid(), txt.pid());
  const std::wstring image = e2e::ImagePath(txt.pid());
  EXPECT_EQ(0, lstrcmpiW(e2e::ProgramPath(L"KTTxtSplit.exe").c_str(), image.c_str())) << testing::PrintToString(image);
  EXPECT_EQ(0, lstrcmpiW(Folder(e2e::ImagePath(ui.app.pid())).c_str(), Folder(image).c_str()))
      << "beside KTSplit.exe";
  // For the package test, which checks that the unpacked program ran.
  RecordProperty("KTTxtSplit", std::string(image.begin(), image.end()));
  auto started = ui.app.RunningDescendants();
  EXPECT_NE(started.end(), std::find(started.begin(), started.end(), txt.pid())) << "started by KTSplit";

  // The main dialog stays as it was.
  EXPECT_TRUE(ui.app.Running());
  EXPECT_TRUE(IsWindowEnabled(ui.dlg));
  EXPECT_EQ(kMainCaption, e2e::Text(ui.dlg));
  EXPECT_EQ(L"状态显示", ui.Field(IDC_STATUS));

  PostMessageW(txtWindow, WM_CLOSE, 0, 0);
  EXPECT_TRUE(txt.WaitExit());
  PostMessageW(ui.dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(ui.app.WaitExit());
  EXPECT_TRUE(ui.app.RunningDescendants().empty()) << "nothing the program started runs on";
}

}  // namespace
