// The split command on real files: piece lengths, contents, status and progress, and every way it stops.
#include <gtest/gtest.h>
#include <numeric>
#include "BoxRecorder.h"
#include "PieceSize.h"
#include "Fixtures.h"
#include "resource.h"
#include <winioctl.h>

namespace {

struct GeometryCase {
  uint64_t length;
  const wchar_t* size;
  std::vector<int64_t> pieces;
};

TEST(SplitCommand, PieceLengthsStatusAndProgress) {
  const GeometryCase cases[] = {
      {2097152, L"1.00", {1048576, 1048576, 0}},
      {2500000, L"1.00", {1048576, 1048576, 402848}},
      {1048576, L"1.00", {1048576, 0}},
      {1048577, L"1.00", {1048576, 1}},
      {3000000, L"1.38", {1447936, 1447936, 104128}},
      {4343372, L"1.38", {1447936, 1447936, 1447500, 0}},
      {1447034, L"1.38", {1447034, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " bytes");
    TempDir dir;
    auto source = Pattern(c.length, static_cast<uint32_t>(c.length));
    WriteBytes(dir / L"movie.avi", source);
    FakeHost host;
    host.m_strPieceSize = c.size;
    host.m_strSourcePath = dir / L"movie.avi";
    host.m_strSourceName = L"movie.avi";
    host.m_strTargetFolder = dir.path();

    ASSERT_EQ(0, kt::DoSplit(host));
    EXPECT_TRUE(host.boxes.empty());

    std::vector<unsigned char> joined;
    const int k = static_cast<int>(c.pieces.size());
    for (int i = 1; i <= k; ++i) {
      std::wstring piece = dir / (L"movie.avi.kt" + std::to_wstring(i));
      EXPECT_EQ(c.pieces[i - 1], FileLength(piece)) << "piece " << i;
      auto bytes = ReadBytes(piece);
      joined.insert(joined.end(), bytes.begin(), bytes.end());
    }
    EXPECT_FALSE(Exists(dir / (L"movie.avi.kt" + std::to_wstring(k + 1))));
    EXPECT_TRUE(joined == source);

    EXPECT_EQ(std::to_wstring(k) + L"个文件生成", host.m_strStatus);
    EXPECT_TRUE(host.m_strSourcePath.empty());
    EXPECT_TRUE(host.m_strSourceName.empty());
    EXPECT_TRUE(host.m_strTargetFolder.empty());
    EXPECT_EQ(k, host.repaints);
    // Per piece: range 0 to L / S, then the piece's number.
    ASSERT_EQ(static_cast<size_t>(2 * k), host.progress.size());
    int upper = static_cast<int>(c.length / static_cast<uint64_t>(kt::PieceSizeBytes(c.size)));
    for (int i = 0; i < k; ++i) {
      EXPECT_EQ("range", host.progress[2 * i].what);
      EXPECT_EQ(0, host.progress[2 * i].a);
      EXPECT_EQ(upper, host.progress[2 * i].b);
      EXPECT_EQ("pos", host.progress[2 * i + 1].what);
      EXPECT_EQ(i + 1, host.progress[2 * i + 1].a);
    }
  }
}

TEST(SplitCommand, NamesOfPieces) {
  for (const wchar_t* name : {L"a.tar.gz", L"data", L"誠実.bin"}) {
    TempDir dir;
    WriteBytes(dir / name, Pattern(1048577));
    FakeHost host;
    host.m_strPieceSize = L"1.00";
    host.m_strSourcePath = dir / name;
    host.m_strTargetFolder = dir.path();
    ASSERT_EQ(0, kt::DoSplit(host));
    EXPECT_EQ(1048576, FileLength(dir / (std::wstring(name) + L".kt1")));
    EXPECT_EQ(1, FileLength(dir / (std::wstring(name) + L".kt2")));
  }
}

TEST(SplitCommand, StalePiecesOfALongerSplitAreRemovedUpToTheFirstGap) {
  TempDir dir;
  WriteBytes(dir / L"f.bin", Pattern(2500000));
  for (int i : {1, 2, 3, 4, 5, 7}) WriteBytes(dir / (L"f.bin.kt" + std::to_wstring(i)), Pattern(10, i));
  FakeHost host;
  host.m_strPieceSize = L"1.00";
  host.m_strSourcePath = dir / L"f.bin";
  host.m_strTargetFolder = dir.path();
  ASSERT_EQ(0, kt::DoSplit(host));
  EXPECT_EQ(402848, FileLength(dir / L"f.bin.kt3"));
  EXPECT_FALSE(Exists(dir / L"f.bin.kt4"));
  EXPECT_FALSE(Exists(dir / L"f.bin.kt5"));
  EXPECT_TRUE(Exists(dir / L"f.bin.kt7"));  // beyond a gap: no merge would reach it
}

TEST(SplitCommand, SourcesOver4GiBAreMeasuredInFull) {
  TempDir dir;
  std::wstring path = dir / L"big.bin";
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD unused;
  DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = (1LL << 32) + 5;
  bool sized = SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
  CloseHandle(h);
  if (!sized || FileLength(path) != end.QuadPart) GTEST_SKIP() << "no room for a sparse file of 4 GiB here";

  FakeHost host;
  host.m_strPieceSize = L"8192";
  host.m_strSourcePath = path;
  host.m_strTargetFolder = dir.path();
  EXPECT_EQ(1, kt::DoSplit(host));
  ASSERT_EQ(1u, host.boxes.size());
  EXPECT_EQ(L"文件长度为 4294967301 字节，不足8589934592字节, 没有必要再进行分割.", host.boxes[0]);
}

// --- The real dialog ------------------------------------------------------------------------------------

class SplitDialog : public testing::Test {
protected:
  void SetUp() override {
    live.setText(IDC_PIECE_SIZE, L"1.00");
  }
  void Prepare(const std::wstring& source, const std::wstring& target) {
    live.setText(IDC_SOURCE_PATH, source);
    live.setText(IDC_TARGET_FOLDER, target);
  }
  RecordedBox Only(const BoxRecorder& r) {
    EXPECT_EQ(1u, r.boxes.size());
    return r.boxes.empty() ? RecordedBox{} : r.boxes[0];
  }
  TempDir dir;
  LiveDialog live;
};

TEST_F(SplitDialog, SuccessShowsTheBoxAndEmptiesTheFields) {
  WriteBytes(dir / L"a.bin", Pattern(2500000));
  Prepare(dir / L"a.bin", dir.path());
  BoxRecorder r;
  live.click(IDOK);
  auto box = Only(r);
  EXPECT_EQ(L"文件已被成功分割!", box.text);
  EXPECT_EQ(L"提示", box.caption);
  EXPECT_EQ(UINT(MB_ICONEXCLAMATION | MB_OK), box.style);
  EXPECT_EQ(L"3个文件生成", live.text(IDC_STATUS));
  EXPECT_EQ(L"", live.text(IDC_SOURCE_PATH));
  EXPECT_EQ(L"", live.text(IDC_TARGET_FOLDER));
  EXPECT_EQ(0, live.dlg.m_progress.m_nLower);
  EXPECT_EQ(2, live.dlg.m_progress.m_nUpper);
  EXPECT_EQ(3, live.dlg.m_progress.m_nPos);
}

struct ExitCase {
  const char* name;
  bool makeSource;        // a 1,000,000-byte source
  bool sourceGiven;
  bool targetGiven;
  const wchar_t* size;
  std::wstring text;      // empty: the file-error text for the missing source, checked below
  const wchar_t* caption;
  bool sourceEmptied;
};

TEST_F(SplitDialog, EveryEarlyExitTellsWhyAndLeavesTheFieldsAsDefined) {
  const ExitCase cases[] = {
      {"no source", true, false, true, L"1.00", L"请选择待分割的源文件.", L"提示", false},
      {"no target", true, true, false, L"1.00", L"请选择分割后保存到的目标文件夹.", L"提示", false},
      {"short source", true, true, true, L"1.00",
       L"文件长度为 1000000 字节，不足1048576字节, 没有必要再进行分割.", L"提示", true},
      {"empty size", true, true, true, L"", L"分割单位无效，请输入大于0的数值(MB).", L"提示", false},
      {"text size", true, true, true, L"abc", L"分割单位无效，请输入大于0的数值(MB).", L"提示", false},
      {"zero size", true, true, true, L"0", L"分割单位无效，请输入大于0的数值(MB).", L"提示", false},
      {"negative size", true, true, true, L"-1", L"分割单位无效，请输入大于0的数值(MB).", L"提示", false},
      {"below a byte", true, true, true, L"0.0000001", L"分割单位无效，请输入大于0的数值(MB).", L"提示", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::wstring source = dir / L"short.bin";
    WriteBytes(source, Pattern(1000000));
    Prepare(c.sourceGiven ? source : L"", c.targetGiven ? dir.path() : L"");
    live.setText(IDC_PIECE_SIZE, c.size);
    live.setText(IDC_STATUS, L"状态显示");
    BoxRecorder r;
    live.click(IDOK);
    auto box = Only(r);
    EXPECT_EQ(c.text, box.text);
    EXPECT_EQ(c.caption, box.caption);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION | MB_OK), box.style);
    EXPECT_EQ(c.sourceEmptied || !c.sourceGiven ? L"" : source, live.text(IDC_SOURCE_PATH));
    EXPECT_EQ(c.targetGiven ? dir.path() : L"", live.text(IDC_TARGET_FOLDER));
    EXPECT_EQ(L"状态显示", live.text(IDC_STATUS));
    EXPECT_FALSE(Exists(dir / L"short.bin.kt1"));
  }
}

TEST_F(SplitDialog, ASourceThatDoesNotOpenPutsTheFocusOnItsPath) {
  std::wstring missing = dir / L"missing.bin";
  Prepare(missing, dir.path());
  BoxRecorder r;
  live.click(IDOK);
  auto box = Only(r);
  EXPECT_EQ(L"没有找到 " + missing + L"。", box.text);
  EXPECT_EQ(L"KTSplit", box.caption);
  EXPECT_EQ(UINT(MB_ICONEXCLAMATION | MB_OK), box.style);
  EXPECT_EQ(live.item(IDC_SOURCE_PATH), GetFocus());
  DWORD start = 0, end = 0;
  SendMessageW(live.item(IDC_SOURCE_PATH), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(0u, start);
  EXPECT_EQ(missing.size(), end);
  EXPECT_EQ(missing, live.text(IDC_SOURCE_PATH));
}

TEST_F(SplitDialog, APieceThatCannotBeCreatedStopsWithItsFileError) {
  WriteBytes(dir / L"a.bin", Pattern(2500000));
  {  // the target folder does not exist
    std::wstring target = dir / L"nowhere";
    Prepare(dir / L"a.bin", target);
    BoxRecorder r;
    live.click(IDOK);
    auto box = Only(r);
    EXPECT_EQ(target + L"\\a.bin.kt1 中包含无效的路径。", box.text);
    EXPECT_EQ(L"KTSplit", box.caption);
    EXPECT_EQ(dir / L"a.bin", live.text(IDC_SOURCE_PATH));
  }
  {  // piece 2 is held open by another program without sharing
    HANDLE held = CreateFileW((dir / L"a.bin.kt2").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    Prepare(dir / L"a.bin", dir.path());
    BoxRecorder r;
    live.click(IDOK);
    CloseHandle(held);
    auto box = Only(r);
    EXPECT_EQ(L"在存取 " + (dir / L"a.bin.kt2") + L" 时发生共享违例。", box.text);
    EXPECT_EQ(L"1个文件生成", live.text(IDC_STATUS));
    EXPECT_EQ(1048576, FileLength(dir / L"a.bin.kt1"));
    EXPECT_EQ(dir.path(), live.text(IDC_TARGET_FOLDER));
  }
}

TEST_F(SplitDialog, AFullDiskDuringTheCopyShowsTheStopIconAndNoSuccess) {
  std::wstring full = EnvPath(L"KT_FULL_DISK");
  if (full.empty()) GTEST_SKIP() << "no small disk was mounted for this run (KT_FULL_DISK)";
  WriteBytes(dir / L"a.bin", Pattern(6 * 1048576));
  Prepare(dir / L"a.bin", full);
  BoxRecorder r;
  live.click(IDOK);
  auto box = Only(r);
  EXPECT_EQ(UINT(MB_ICONSTOP | MB_OK), box.style);
  EXPECT_EQ(L"KTSplit", box.caption);
  EXPECT_NE(std::wstring::npos, box.text.find(L"时磁盘已满。")) ;
  EXPECT_EQ(0u, box.text.find(L"在存取 " + full + L"\\a.bin.kt"));
  EXPECT_EQ(dir / L"a.bin", live.text(IDC_SOURCE_PATH));
  for (int i = 1; i <= 6; ++i) DeleteFileW((full + L"\\a.bin.kt" + std::to_wstring(i)).c_str());
}

}  // namespace
