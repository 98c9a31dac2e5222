// The merge command: round trips with the split command, and every way it stops without harming the output.
#include <gtest/gtest.h>
#include <random>
#include "BoxRecorder.h"
#include "Fixtures.h"
#include "resource.h"

namespace {

// Splits source into dir and merges it into out; returns the merged bytes.
std::vector<unsigned char> RoundTrip(const TempDir& dir, const std::wstring& name,
                                     const std::vector<unsigned char>& source, const wchar_t* size) {
  WriteBytes(dir / name, source);
  FakeHost split;
  split.m_strPieceSize = size;
  split.m_strSourcePath = dir / name;
  split.m_strTargetFolder = dir.path();
  EXPECT_EQ(0, kt::DoSplit(split));
  std::wstring out = dir / L"out";
  CreateDirectoryW(out.c_str(), nullptr);
  FakeHost merge;
  merge.m_strSourcePath = dir / (name + L".kt1");
  merge.m_strTargetFolder = out;
  EXPECT_EQ(0, kt::DoMerge(merge));
  EXPECT_TRUE(merge.boxes.empty());
  EXPECT_TRUE(merge.m_strSourcePath.empty());
  EXPECT_TRUE(merge.m_strTargetFolder.empty());
  return ReadBytes(out + L"\\" + name);
}

TEST(MergeCommand, RoundTripsTheSplitByteForByte) {
  struct Case { uint64_t length; const wchar_t* size; };
  const Case cases[] = {{1, L"0.000001"}, {1048576, L"1.00"}, {2097152, L"1.00"}, {2097153, L"1.00"},
                        {1447034, L"1.38"}, {4343372, L"1.38"}, {3000000, L"0.20"}, {5000, L"0.001"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " bytes");
    TempDir dir;
    auto source = Pattern(c.length, static_cast<uint32_t>(c.length));
    EXPECT_TRUE(RoundTrip(dir, L"movie.avi", source, c.size) == source);
  }
}

TEST(MergeCommand, RandomRoundTrips) {
  const unsigned seed = 20261211;
  std::mt19937 rng(seed);
  for (int run = 0; run < 6; ++run) {
    uint64_t length = 1 + rng() % 3000000;
    double mb = (1 + rng() % 2000) / 1000.0;
    if (static_cast<uint64_t>(mb * 1048576) > length) mb = length / 1048576.0 / 2 + 1e-6;
    std::wstring size = std::to_wstring(mb);
    SCOPED_TRACE(testing::Message() << "seed " << seed << " run " << run << " length " << length);
    TempDir dir;
    auto source = Pattern(length, rng());
    EXPECT_TRUE(RoundTrip(dir, L"r.bin", source, size.c_str()) == source);
  }
}

TEST(MergeCommand, AMissingPieceEndsTheSetAndLaterPiecesAreNotRead) {
  TempDir dir;
  for (int i : {1, 2, 4, 5}) WriteBytes(dir / (L"a.kt" + std::to_wstring(i)), Pattern(100, i));
  FakeHost host;
  host.m_strSourcePath = dir / L"a.kt1";
  host.m_strTargetFolder = dir.path();
  ASSERT_EQ(0, kt::DoMerge(host));
  EXPECT_EQ(L"2个文件已合并", host.m_strStatus);
  auto expect = Pattern(100, 1);
  auto second = Pattern(100, 2);
  expect.insert(expect.end(), second.begin(), second.end());
  EXPECT_TRUE(ReadBytes(dir / L"a") == expect);
  // The sweep after each piece: range 0 to 5000, then 0 ... 4999.
  ASSERT_EQ(2u * 5001u, host.progress.size());
  EXPECT_EQ(5000, host.progress[0].b);
  EXPECT_EQ(4999, host.progress[5000].a);
}

class MergeDialog : public testing::Test {
protected:
  void Prepare(const std::wstring& source, const std::wstring& target) {
    live.click(IDC_MODE_MERGE);
    live.setText(IDC_SOURCE_PATH, source);
    live.setText(IDC_TARGET_FOLDER, target);
  }
  RecordedBox Run() {
    BoxRecorder r;
    live.click(IDC_MERGE);
    EXPECT_EQ(1u, r.boxes.size());
    return r.boxes.empty() ? RecordedBox{} : r.boxes[0];
  }
  TempDir dir;
  LiveDialog live;
};

TEST_F(MergeDialog, SuccessShowsTheBoxAndEmptiesTheFields) {
  for (int i : {1, 2, 3}) WriteBytes(dir / (L"movie.avi.kt" + std::to_wstring(i)), Pattern(1000, i));
  std::wstring out = dir / L"T";
  CreateDirectoryW(out.c_str(), nullptr);
  Prepare(dir / L"movie.avi.kt1", out);
  auto box = Run();
  EXPECT_EQ(L"文件合并成功!", box.text);
  EXPECT_EQ(L"提示", box.caption);
  EXPECT_EQ(UINT(MB_ICONEXCLAMATION), box.style);
  EXPECT_EQ(3000, FileLength(out + L"\\movie.avi"));
  EXPECT_EQ(L"3个文件已合并", live.text(IDC_STATUS));
  EXPECT_EQ(L"", live.text(IDC_SOURCE_PATH));
  EXPECT_EQ(L"", live.text(IDC_TARGET_FOLDER));
}

TEST_F(MergeDialog, EarlyExitsInTheirOrder) {
  WriteBytes(dir / L"movie.avi.kt2", Pattern(10));
  WriteBytes(dir / L"MOVIE.AVI.KT1", Pattern(10));
  WriteBytes(dir / L"d", Pattern(10));
  struct Case { const char* name; std::wstring source, target, text, caption; UINT style; };
  const std::wstring missing = dir / L"gone.kt1";
  const Case cases[] = {
      {"source does not open", missing, L"", L"没有找到 " + missing + L"。", L"KTSplit", MB_ICONEXCLAMATION},
      {"no target", dir / L"movie.avi.kt2", L"", L"请选择合并后要保存到的目标文件夹.", L"提示", MB_ICONEXCLAMATION},
      {"no source", L"", dir.path(), L"请选择待合并的源文件.", L"提示", MB_ICONEXCLAMATION},
      {"nothing at all", L"", L"", L"请选择待合并的源文件.", L"提示", MB_ICONEXCLAMATION},
      {"not a first piece", dir / L"movie.avi.kt2", dir.path(), L"待合并的源文件名不对...", L"KTSplit", MB_ICONSTOP},
      {"case differs", dir / L"MOVIE.AVI.KT1", dir.path(), L"待合并的源文件名不对...", L"KTSplit", MB_ICONSTOP},
      {"short name", dir / L"d", dir.path(), L"待合并的源文件名不对...", L"KTSplit", MB_ICONSTOP},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c.source, c.target);
    auto box = Run();
    EXPECT_EQ(c.text, box.text);
    EXPECT_EQ(c.caption, box.caption);
    EXPECT_EQ(c.style, box.style);
    EXPECT_EQ(c.source, live.text(IDC_SOURCE_PATH));
  }
  EXPECT_FALSE(Exists(dir / L"movie.avi"));
}

TEST_F(MergeDialog, AStaleSourceNameNeverRuns) {
  WriteBytes(dir / L"a.kt1", Pattern(10));
  WriteBytes(dir / L"a", Pattern(77));  // an existing file of the output's name
  live.dlg.m_strSourceName = L"a.kt1";
  Prepare(L"", dir.path());
  auto box = Run();
  EXPECT_EQ(L"请选择待合并的源文件.", box.text);
  EXPECT_EQ(77, FileLength(dir / L"a"));
}

TEST_F(MergeDialog, FailuresLeaveAnExistingOutputUntouched) {
  const auto kept = Pattern(321, 9);
  WriteBytes(dir / L"a", kept);
  WriteBytes(dir / L"a.kt1", Pattern(100, 1));
  WriteBytes(dir / L"a.kt2", Pattern(100, 2));
  {  // piece 2 is in use by another program
    HANDLE held = CreateFileW((dir / L"a.kt2").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Prepare(dir / L"a.kt1", dir.path());
    auto box = Run();
    CloseHandle(held);
    EXPECT_EQ(L"在存取 " + (dir / L"a.kt2") + L" 时发生共享违例。", box.text);
    EXPECT_EQ(L"KTSplit", box.caption);
    EXPECT_TRUE(ReadBytes(dir / L"a") == kept);
  }
  {  // "datakt1" looks for dat.kt1, which is missing: the first piece must exist
    WriteBytes(dir / L"datakt1", Pattern(5));
    WriteBytes(dir / L"dat", kept);
    Prepare(dir / L"datakt1", dir.path());
    auto box = Run();
    EXPECT_EQ(L"没有找到 " + (dir / L"dat.kt1") + L"。", box.text);
    EXPECT_TRUE(ReadBytes(dir / L"dat") == kept);
  }
  {  // the output cannot be created: its folder is missing
    Prepare(dir / L"a.kt1", dir / L"nowhere");
    auto box = Run();
    EXPECT_EQ(0u, box.text.find((dir / L"nowhere") + L"\\a"));
  }
  // No temporary file is left behind.
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((dir / L"ktm*").c_str(), &fd);
  EXPECT_EQ(INVALID_HANDLE_VALUE, find);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(MergeDialog, AFullDiskLeavesTheExistingOutputUnchanged) {
  std::wstring full = EnvPath(L"KT_FULL_DISK");
  if (full.empty()) GTEST_SKIP() << "no small disk was mounted for this run (KT_FULL_DISK)";
  const auto kept = Pattern(1000, 3);
  WriteBytes(full + L"\\big", kept);
  for (int i : {1, 2, 3, 4}) WriteBytes(dir / (L"big.kt" + std::to_wstring(i)), Pattern(1048576, i));
  Prepare(dir / L"big.kt1", full);
  auto box = Run();
  EXPECT_EQ(UINT(MB_ICONSTOP), box.style);
  EXPECT_NE(std::wstring::npos, box.text.find(L"时磁盘已满。"));
  EXPECT_TRUE(ReadBytes(full + L"\\big") == kept);
  DeleteFileW((full + L"\\big").c_str());
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((full + L"\\ktm*").c_str(), &fd);
  EXPECT_EQ(INVALID_HANDLE_VALUE, find);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

}  // namespace

namespace {

TEST_F(MergeDialog, AReadOnlyTargetLeavesTheExistingOutputUnchanged) {
  std::wstring ro = EnvPath(L"KT_READONLY_DISK");
  if (ro.empty()) GTEST_SKIP() << "no read-only disk was mounted for this run (KT_READONLY_DISK)";
  const auto kept = ReadBytes(ro + L"\\big");
  ASSERT_FALSE(kept.empty());
  for (int i : {1, 2}) WriteBytes(dir / (L"big.kt" + std::to_wstring(i)), Pattern(5000, i));
  Prepare(dir / L"big.kt1", ro);
  auto box = Run();
  EXPECT_NE(L"文件合并成功!", box.text);
  EXPECT_EQ(L"对 " + ro + L"\\big 的存取被拒绝。", box.text);
  EXPECT_TRUE(ReadBytes(ro + L"\\big") == kept);
  // The choice stays, so the user can pick another target and press again.
  EXPECT_EQ(dir / L"big.kt1", live.text(IDC_SOURCE_PATH));
}

}  // namespace
