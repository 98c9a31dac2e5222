// The click of cmdSplit on real files in a temporary folder, through a host that records what the window would
// show and answers the boxes.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "Allocations.h"
#include "Fixtures.h"
#include "TextSplitHost.h"

namespace {

using Bytes = std::vector<unsigned char>;

const std::wstring kInfoTitle = L"提示：";
const std::wstring kDone = L"分割完成，点击确定打开分割目录！";
const std::wstring kNoNeed = L"目标文件小于或等于单位尺寸，无须分割！";
const std::wstring kBadUnit = L"分割单位无效，请输入大于0的数值！";
const std::wstring kCannotOpen = L"目标文件无法打开！";
const std::wstring kNoSource = L"请先选择要分割的TXT文件！";
const std::wstring kQuestion = L"请确认分割后文件头部文字是否正确？\r";

struct ShownBox {
  std::wstring text, title;
  UINT style;
};

// The window as the split sees it. Every call is logged in order; Yes/No boxes take the next answer.
class RecordingHost : public kt::TextSplitHost {
public:
  std::wstring source, unit = L"100", folder;
  bool confirm = false;
  std::vector<int> answers;  // for the Yes/No boxes in turn; Yes when used up
  std::vector<ShownBox> boxes;
  std::vector<std::wstring> log;
  std::vector<std::wstring> opened;
  bool firstPartExistedAtCount = false;

  std::wstring SourcePath() override { return source; }
  std::wstring UnitText() override { return unit; }
  std::wstring FolderPath() override { return folder; }
  bool ConfirmHeads() override { return confirm; }
  void ShowPartCount(const std::wstring& count) override {
    log.push_back(L"count " + count);
    firstPartExistedAtCount = Exists(Part(1));
  }
  int Box(const std::wstring& text, const std::wstring& title, UINT style) override {
    boxes.push_back({text, title, style});
    log.push_back(L"box " + text);
    if (style != MB_YESNO) return IDOK;
    if (asked_ >= answers.size()) return IDYES;
    return answers[asked_++];
  }
  void OpenFolder(const std::wstring& path) override {
    log.push_back(L"open " + path);
    opened.push_back(path);
  }

  std::wstring Part(uint32_t n) const {
    size_t slash = folder.rfind(L'\\');
    return folder + L"\\" + folder.substr(slash + 1) + std::to_wstring(n) + L".txt";
  }
  std::vector<ShownBox> questions() const {
    std::vector<ShownBox> q;
    for (const auto& b : boxes)
      if (b.style == MB_YESNO) q.push_back(b);
    return q;
  }
  std::wstring lastText() const { return boxes.empty() ? L"" : boxes.back().text; }

private:
  size_t asked_ = 0;
};

Bytes Slice(const Bytes& b, size_t from, size_t to) { return Bytes(b.begin() + from, b.begin() + to); }

// Files in the folder, directories left out.
int CountFiles(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
  } while (FindNextFileW(h, &data));
  FindClose(h);
  return n;
}

// A file of the given length that takes no room: all zeros, with tail written at its very end.
bool MakeSparse(const std::wstring& path, uint64_t length, const std::string& tail = "") {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(length - tail.size());
  DWORD put = 0;
  bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) &&
            (tail.empty() || WriteFile(h, tail.data(), static_cast<DWORD>(tail.size()), &put, nullptr)) &&
            SetEndOfFile(h);
  CloseHandle(h);
  return ok && FileLength(path) == static_cast<int64_t>(length);
}

// A source novel.txt with its output folder novel beside it, as choosing the file leaves them.
class TextSplitTest : public testing::Test {
protected:
  TempDir dir;
  RecordingHost host;
  void SetUp() override {
    host.source = dir / L"novel.txt";
    host.folder = dir / L"novel";
    CreateDirectoryW(host.folder.c_str(), nullptr);
  }
  Bytes Source(const Bytes& bytes) {
    WriteBytes(host.source, bytes);
    return bytes;
  }
  Bytes Source(const std::string& text) { return Source(Bytes(text.begin(), text.end())); }
  Bytes PartBytes(uint32_t n) const { return ReadBytes(host.Part(n)); }
  void ExpectNothingWritten() const {
    EXPECT_EQ(CountFiles(host.folder), 0);
    EXPECT_TRUE(host.opened.empty());
    for (const auto& line : host.log) EXPECT_NE(line.rfind(L"count ", 0), 0u) << "count shown";
  }
  void ExpectOnlyBox(const std::wstring& text) const {
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, text);
    EXPECT_EQ(host.boxes[0].title, kInfoTitle);
    EXPECT_EQ(host.boxes[0].style, static_cast<UINT>(MB_ICONINFORMATION));
  }
};

TEST_F(TextSplitTest, PartsHoldConsecutiveStretchesAndTheLastOnlyWhatIsLeft) {
  const Bytes src = Source(Pattern(250000));
  kt::TextSplit(host);

  ASSERT_EQ(host.log.size(), 3u);
  EXPECT_EQ(host.log[0], L"count 3");
  EXPECT_FALSE(host.firstPartExistedAtCount) << "the count is shown before the first part is written";
  EXPECT_EQ(host.log[1], L"box " + kDone);
  EXPECT_EQ(host.log[2], L"open " + host.folder);
  ExpectOnlyBox(kDone);

  EXPECT_EQ(CountFiles(host.folder), 3);
  EXPECT_EQ(PartBytes(1), Slice(src, 0, 102400));
  EXPECT_EQ(PartBytes(2), Slice(src, 102400, 204800));
  EXPECT_EQ(PartBytes(3), Slice(src, 204800, 250000));  // 45 200 bytes, nothing after the source's end
}

TEST_F(TextSplitTest, AnsweringNoWritesThePartAgainFromOneByteEarlierAndLosesNothing) {
  const struct { std::vector<int> answers; size_t part2From, part3From; } cases[] = {
      {{IDNO, IDYES}, 102399, 204800},
      {{IDYES, IDNO}, 102400, 204799},  // the last part too: it still runs to the source's end
      {{IDNO, IDNO}, 102399, 204799},
  };
  for (const auto& c : cases) {
    TempDir here;
    RecordingHost h;
    h.source = here / L"novel.txt";
    h.folder = here / L"novel";
    CreateDirectoryW(h.folder.c_str(), nullptr);
    const Bytes src = Pattern(250000, 7);
    WriteBytes(h.source, src);
    h.confirm = true;
    h.answers = c.answers;
    kt::TextSplit(h);

    EXPECT_EQ(h.questions().size(), 2u) << "parts 2 and 3 asked once each, part 1 never";
    EXPECT_EQ(ReadBytes(h.Part(1)), Slice(src, 0, 102400)) << "the part before is not touched";
    EXPECT_EQ(ReadBytes(h.Part(2)), Slice(src, c.part2From, 204800));
    EXPECT_EQ(ReadBytes(h.Part(3)), Slice(src, c.part3From, 250000));
    EXPECT_EQ(CountFiles(h.folder), 3);
    EXPECT_EQ(h.lastText(), kDone);
    EXPECT_EQ(h.opened, std::vector<std::wstring>{h.folder});
  }
}

TEST_F(TextSplitTest, ASourceOfExactlyOneUnitIsNotSplitAndOneByteMoreIs) {
  Source(Pattern(102400));
  kt::TextSplit(host);
  ExpectOnlyBox(kNoNeed);
  ExpectNothingWritten();

  RecordingHost more;
  more.source = host.source;
  more.folder = host.folder;
  const Bytes src = Source(Pattern(102401, 3));
  kt::TextSplit(more);
  EXPECT_EQ(more.log.front(), L"count 2");
  EXPECT_EQ(ReadBytes(more.Part(1)), Slice(src, 0, 102400));
  EXPECT_EQ(ReadBytes(more.Part(2)), Slice(src, 102400, 102401));
  EXPECT_EQ(more.lastText(), kDone);
}

TEST_F(TextSplitTest, PartNumbersHaveNoLeadingZeros) {
  const Bytes src = Source(std::string("abcdefghijk"));
  host.unit = L"0.0009765625";  // one byte
  kt::TextSplit(host);
  EXPECT_EQ(host.log.front(), L"count 11");
  EXPECT_EQ(PartBytes(9), Bytes{'i'});
  EXPECT_EQ(PartBytes(10), Bytes{'j'});
  EXPECT_EQ(PartBytes(11), Bytes{'k'});
  EXPECT_FALSE(Exists(host.folder + L"\\novel09.txt"));
  EXPECT_EQ(CountFiles(host.folder), 11);
}

TEST_F(TextSplitTest, TheUnitTextIsReadAsKilobytesRoundedHalvesToEven) {
  const struct { const wchar_t* unit; std::vector<std::string> parts; } cases[] = {
      {L"0.00244140625", {"ab", "cd", "ef", "gh", "i"}},  // 2.5 bytes -> 2
      {L"0.00341796875", {"abcd", "efgh", "i"}},          // 3.5 bytes -> 4
      {L"0.0078125KB", {"abcdefgh", "i"}},                // 8 bytes, the letters after the number ignored
  };
  for (const auto& c : cases) {
    TempDir here;
    RecordingHost h;
    h.source = here / L"novel.txt";
    h.folder = here / L"novel";
    CreateDirectoryW(h.folder.c_str(), nullptr);
    WriteBytes(h.source, Bytes{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'});
    h.unit = c.unit;
    kt::TextSplit(h);
    EXPECT_EQ(h.log.front(), L"count " + std::to_wstring(c.parts.size())) << c.unit;
    for (size_t i = 0; i < c.parts.size(); ++i)
      EXPECT_EQ(ReadBytes(h.Part(static_cast<uint32_t>(i + 1))), Bytes(c.parts[i].begin(), c.parts[i].end()))
          << c.unit << " part " << i + 1;
    EXPECT_EQ(CountFiles(h.folder), static_cast<int>(c.parts.size())) << c.unit;
  }
}

TEST_F(TextSplitTest, HundredKbIsReadAsHundred) {
  const Bytes src = Source(Pattern(250000, 5));
  host.unit = L"100KB";
  kt::TextSplit(host);
  EXPECT_EQ(host.log.front(), L"count 3");
  EXPECT_EQ(PartBytes(1), Slice(src, 0, 102400));
  EXPECT_EQ(PartBytes(3), Slice(src, 204800, 250000));
}

TEST_F(TextSplitTest, TheQuestionShowsTheHeadLineOfEveryPartFromTheSecondOn) {
  // Two-byte parts: "ab" | "\r\n" | "x\n" | "y\r" | "汉" | "字" (GBK).
  Source(std::string("ab\r\nx\ny\r\xBA\xBA\xD7\xD6"));
  host.unit = L"0.001953125";
  host.confirm = true;
  kt::TextSplit(host);
  const auto q = host.questions();
  ASSERT_EQ(q.size(), 5u);
  for (const auto& b : q) {
    EXPECT_EQ(b.title, L"汉字断开识别");
    EXPECT_EQ(b.style, static_cast<UINT>(MB_YESNO));
  }
  EXPECT_EQ(q[0].text, kQuestion);            // a part that starts with its line's end: nothing after the break
  EXPECT_EQ(q[1].text, kQuestion + L"x\n");  // a line feed alone does not end the line
  EXPECT_EQ(q[2].text, kQuestion + L"y");
  EXPECT_EQ(q[3].text, kQuestion + L"汉");
  EXPECT_EQ(q[4].text, kQuestion + L"字");
  EXPECT_EQ(host.lastText(), kDone);
}

TEST_F(TextSplitTest, AHeadLineInGbkShowsItsChineseText) {
  Source(std::string("0123\xBA\xBA\xD7\xD6\r\nmore"));
  host.unit = L"0.00390625";  // 4 bytes
  host.confirm = true;
  kt::TextSplit(host);
  const auto q = host.questions();
  ASSERT_GE(q.size(), 1u);
  EXPECT_EQ(q[0].text, kQuestion + L"汉字");
}

TEST_F(TextSplitTest, APartStartingInsideACharacterShowsItWrongAndNoMendsIt) {
  // 汉字汉字汉字 in GBK, cut every 3 bytes: parts 2 and 4 begin with the trail byte of a character.
  const Bytes src = Source(std::string("\xBA\xBA\xD7\xD6\xBA\xBA\xD7\xD6\xBA\xBA\xD7\xD6"));
  host.unit = L"0.0029296875";
  host.confirm = true;
  host.answers = {IDNO, IDYES, IDNO};
  kt::TextSplit(host);
  const auto q = host.questions();
  ASSERT_EQ(q.size(), 3u);
  const std::wstring head2 = q[0].text.substr(kQuestion.size());
  ASSERT_FALSE(head2.empty());
  EXPECT_NE(head2[0], L'字');
  EXPECT_NE(head2[0], L'汉');
  EXPECT_EQ(PartBytes(1), Slice(src, 0, 3));
  EXPECT_EQ(PartBytes(2), Slice(src, 2, 6));  // 字汉, whole again
  EXPECT_EQ(PartBytes(3), Slice(src, 6, 9));
  EXPECT_EQ(PartBytes(4), Slice(src, 8, 12));
  EXPECT_EQ(CountFiles(host.folder), 4);
}

TEST_F(TextSplitTest, WithTheCheckOffNothingIsAsked) {
  Source(Pattern(250000));
  host.confirm = false;
  host.answers = {IDNO, IDNO};
  kt::TextSplit(host);
  EXPECT_TRUE(host.questions().empty());
  ExpectOnlyBox(kDone);
  EXPECT_EQ(FileLength(host.Part(2)), 102400);
}

TEST_F(TextSplitTest, AnEmptySourcePathTouchesNoFile) {
  host.source.clear();
  kt::TextSplit(host);
  ExpectOnlyBox(kNoSource);
  ExpectNothingWritten();
}

TEST_F(TextSplitTest, ASourceThatDoesNotOpenIsSaidSo) {
  {
    host.source = dir / L"missing.txt";
    kt::TextSplit(host);
    ExpectOnlyBox(kCannotOpen);
    ExpectNothingWritten();
  }
  {
    RecordingHost held;
    held.source = dir / L"novel.txt";
    held.folder = host.folder;
    WriteBytes(held.source, Pattern(250000));
    HANDLE h = CreateFileW(held.source.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    kt::TextSplit(held);
    CloseHandle(h);
    ASSERT_EQ(held.boxes.size(), 1u);
    EXPECT_EQ(held.boxes[0].text, kCannotOpen);
    EXPECT_EQ(CountFiles(host.folder), 0);
    EXPECT_TRUE(held.opened.empty());
  }
}

TEST_F(TextSplitTest, AnUnusableUnitIsRefusedAndNothingWritten) {
  Source(Pattern(250000));
  for (const wchar_t* unit : {L"0", L"", L"abc", L"-5", L"0.0001", L"0.00048828125", L"1e300"}) {
    RecordingHost h;
    h.source = host.source;
    h.folder = host.folder;
    h.unit = unit;
    kt::TextSplit(h);
    ASSERT_EQ(h.boxes.size(), 1u) << unit;
    EXPECT_EQ(h.boxes[0].text, kBadUnit) << unit;
    EXPECT_EQ(h.boxes[0].title, kInfoTitle);
    EXPECT_EQ(h.boxes[0].style, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(h.log.size(), 1u) << unit << ": no count shown";
    EXPECT_EQ(CountFiles(h.folder), 0) << unit;
    EXPECT_TRUE(h.opened.empty());
  }
}

TEST_F(TextSplitTest, PartsThatCannotBeWrittenAreCountedAndTheFolderNotOpened) {
  Source(Pattern(250000));
  host.folder = dir / L"gone";  // the folder could not be made
  kt::TextSplit(host);
  EXPECT_EQ(host.log.front(), L"count 3");
  ExpectOnlyBox(L"有 3 个分割文件未能写入，请检查目标位置！");
  EXPECT_TRUE(host.opened.empty());
  EXPECT_FALSE(Exists(host.folder));
}

TEST_F(TextSplitTest, OnePartThatCannotBeWrittenLeavesTheOthersWholeAndIsNotAsked) {
  const Bytes src = Source(Pattern(250000, 9));
  CreateDirectoryW(host.Part(2).c_str(), nullptr);  // something in the way of part 2
  host.confirm = true;
  kt::TextSplit(host);
  EXPECT_EQ(host.questions().size(), 1u) << "only part 3, which was written";
  EXPECT_EQ(host.lastText(), L"有 1 个分割文件未能写入，请检查目标位置！");
  EXPECT_EQ(host.boxes.back().style, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(PartBytes(1), Slice(src, 0, 102400));
  EXPECT_EQ(PartBytes(3), Slice(src, 204800, 250000));
  EXPECT_TRUE(host.opened.empty());
}

TEST_F(TextSplitTest, APartLeftLongerByAnEarlierRunIsCutToItsNewLength) {
  const Bytes src = Source(Pattern(250000, 11));
  WriteBytes(host.Part(1), Pattern(300000, 12));
  WriteBytes(host.Part(3), Pattern(300000, 13));
  host.confirm = true;
  host.answers = {IDYES, IDNO};
  kt::TextSplit(host);
  EXPECT_EQ(PartBytes(1), Slice(src, 0, 102400));
  EXPECT_EQ(PartBytes(3), Slice(src, 204799, 250000));
}

TEST_F(TextSplitTest, MemoryStaysBoundedWhateverTheUnit) {
  constexpr size_t kBound = 2u << 20;
  {
    Source(Pattern(4096));
    host.unit = L"1048576";  // 1 GiB
    LargestAllocation largest;
    kt::TextSplit(host);
    EXPECT_LT(largest.bytes(), kBound);
    ExpectOnlyBox(kNoNeed);
  }
  {
    // Two 16 MiB parts of zeros with no carriage return, and one byte more; the head line is asked for too.
    RecordingHost big;
    big.source = dir / L"big.txt";
    big.folder = dir / L"big";
    CreateDirectoryW(big.folder.c_str(), nullptr);
    ASSERT_TRUE(MakeSparse(big.source, (32u << 20) + 1, "z"));
    big.unit = L"16384";
    big.confirm = true;
    LargestAllocation largest;
    kt::TextSplit(big);
    EXPECT_LT(largest.bytes(), kBound);
    EXPECT_EQ(big.log.front(), L"count 3");
    EXPECT_EQ(big.questions().size(), 2u);
    EXPECT_EQ(FileLength(big.Part(1)), 16 << 20);
    EXPECT_EQ(FileLength(big.Part(2)), 16 << 20);
    EXPECT_EQ(ReadBytes(big.Part(3)), Bytes{'z'});
    EXPECT_EQ(big.lastText(), kDone);
  }
}

TEST_F(TextSplitTest, LengthsBeyondFourGigabytesAndPartNumbersBeyondSixteenBits) {
  // Sparse sources: nothing is written, since the folder is missing or the unit is refused.
  const std::wstring huge = dir / L"huge.txt";
  if (!MakeSparse(huge, (4ull << 30) + 5)) GTEST_SKIP() << "no sparse files here";
  host.source = huge;
  host.folder = dir / L"gone";
  host.unit = L"1048576";  // 1 GiB
  kt::TextSplit(host);
  EXPECT_EQ(host.log.front(), L"count 5");
  EXPECT_EQ(host.lastText(), L"有 5 个分割文件未能写入，请检查目标位置！");

  // One-byte parts of a 2 GiB source would need part numbers past 32 bits: refused before anything is written.
  RecordingHost tiny;
  tiny.source = dir / L"twogig.txt";
  tiny.folder = host.folder;
  ASSERT_TRUE(MakeSparse(tiny.source, 2ull << 30));
  tiny.unit = L"0.0009765625";
  kt::TextSplit(tiny);
  ASSERT_EQ(tiny.boxes.size(), 1u);
  EXPECT_EQ(tiny.boxes[0].text, kBadUnit);
  EXPECT_EQ(tiny.log.size(), 1u);

  // 40 000 parts: well past the old 32 767, numbered on.
  RecordingHost many;
  many.source = dir / L"many.txt";
  many.folder = dir / L"gone";
  ASSERT_TRUE(MakeSparse(many.source, 40000));
  many.unit = L"0.0009765625";
  kt::TextSplit(many);
  EXPECT_EQ(many.log.front(), L"count 40000");
}

}  // namespace
