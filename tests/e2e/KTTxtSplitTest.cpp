// KTTxtSplit.exe as the user starts it, driven from outside: a text file chosen through the Open dialog and
// split with the head of every part shown for a check.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "E2E.h"
#include "Fixtures.h"

namespace {

const wchar_t kCaption[] = L"TXT文件分割工具 V1.5";
const wchar_t kQuestion[] = L"请确认分割后文件头部文字是否正确？\r";
const int kOpenFileName = 0x47C;
const int kOpenFilter = 0x470;

std::string Gbk(const std::wstring& text) {
  int n = WideCharToMultiByte(936, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(936, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// The line of GBK bytes as a Chinese system shows it.
std::wstring FromGbk(const std::string& bytes) {
  int n = MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

// Lines of Chinese text up to exactly `length` more bytes of `text`.
void FillTo(std::string& text, size_t length) {
  const std::string line = Gbk(L"一二三四五六七八九十\r\n");
  while (text.size() + line.size() + 2 <= length) text += line;
  text += std::string(length - text.size() - 2, '.') + "\r\n";
}

class KTTxtSplitE2E : public testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(e2e::UseOwnDesktop()); }
};

TEST_F(KTTxtSplitE2E, SplitWithTheHeadCheckAnsweredYesThenNo) {
  // Parts of 1 KB: part 2 starts on a whole character, part 3 in the middle of one.
  std::string text;
  FillTo(text, 1024);
  text += Gbk(L"分割点二：汉字完整\r\n");
  FillTo(text, 2047);
  text += Gbk(L"断开的汉字行\r\n");
  FillTo(text, 2600);
  ASSERT_EQ(2600u, text.size());
  ASSERT_EQ(Gbk(L"断"), text.substr(2047, 2));

  TempDir dir;
  const std::wstring source = dir / L"novel.txt", folder = dir / L"novel";
  WriteBytes(source, std::vector<unsigned char>(text.begin(), text.end()));

  e2e::Process app(e2e::ProgramPath(L"KTTxtSplit.exe"));
  ASSERT_TRUE(app.started()) << "error " << GetLastError();
  HWND form = app.WaitWindow(kCaption);
  ASSERT_TRUE(form) << "the window did not show";
  HWND browse = e2e::FindChild(form, L"Button", L"浏览");
  HWND size = e2e::FindChild(form, L"Edit", L"100");
  HWND check = e2e::FindChild(form, L"Button", L"启用人工汉字断开识别");
  HWND split = e2e::FindChild(form, L"Button", L"开始分割");
  HWND count = e2e::FindChild(form, L"Static", L"0");
  HWND target = e2e::FindChild(form, L"Static", L"默认在源文件的同名目录下。");
  ASSERT_TRUE(browse && size && check && split && count && target);

  // "浏览": the Open dialog, the path typed, OK.
  e2e::Click(form, GetDlgCtrlID(browse));
  HWND open = app.WaitDialog(L"选择文本文件");
  ASSERT_TRUE(open) << "no Open dialog";
  EXPECT_EQ(form, GetWindow(open, GW_OWNER));
  EXPECT_EQ(L"文本文件（*.txt）", e2e::Text(GetDlgItem(open, kOpenFilter)));
  ASSERT_TRUE(e2e::TypeInto(open, kOpenFileName, source));
  ASSERT_TRUE(e2e::Answer(open, IDOK)) << "the Open dialog stayed";
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::Text(target) == folder; }))
      << testing::PrintToString(e2e::Text(target));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.c_str())) << "the output folder is made at once";

  ASSERT_TRUE(e2e::TypeInto(form, GetDlgCtrlID(size), L"1"));
  e2e::Press(check);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsChecked(check); }));
  e2e::Click(form, GetDlgCtrlID(split));

  // Part 2 shows its head line whole: Yes. Part 3 begins with the second byte of "断": No.
  e2e::Box second = app.WaitBox();
  ASSERT_TRUE(second) << "no question for part 2";
  EXPECT_EQ(L"汉字断开识别", second.caption);
  EXPECT_EQ(std::wstring(kQuestion) + L"分割点二：汉字完整", second.text);
  EXPECT_EQ(static_cast<UINT>(MB_YESNO), second.buttons);
  EXPECT_FALSE(second.hasIcon);
  EXPECT_EQ(L"3", e2e::Text(count)) << "the count shows while the parts are written";
  ASSERT_TRUE(e2e::Answer(second.hwnd, IDYES));

  e2e::Box third = app.WaitBox();
  ASSERT_TRUE(third) << "no question for part 3";
  EXPECT_EQ(L"汉字断开识别", third.caption);
  const std::wstring cutHead = FromGbk(text.substr(2048, text.find('\r', 2048) - 2048));
  EXPECT_EQ(std::wstring(kQuestion) + cutHead, third.text);
  EXPECT_NE(std::wstring(kQuestion) + L"断开的汉字行", third.text);
  EXPECT_EQ(static_cast<UINT>(MB_YESNO), third.buttons);
  ASSERT_TRUE(e2e::Answer(third.hwnd, IDNO));

  e2e::Box done = app.WaitBox();
  ASSERT_TRUE(done) << "no final box";
  EXPECT_EQ(L"提示：", done.caption);
  EXPECT_EQ(L"分割完成，点击确定打开分割目录！", done.text);
  EXPECT_EQ(static_cast<UINT>(MB_OK), done.buttons);
  EXPECT_TRUE(done.hasIcon);

  // The parts: 1 and 2 as cut, 3 from one byte earlier (the whole "断") to the source's end.
  auto part = [&](int n) {
    auto b = ReadBytes(folder + L"\\novel" + std::to_wstring(n) + L".txt");
    return std::string(b.begin(), b.end());
  };
  EXPECT_EQ(text.substr(0, 1024), part(1));
  EXPECT_EQ(text.substr(1024, 1024), part(2));
  EXPECT_EQ(text.substr(2047), part(3));
  EXPECT_FALSE(Exists(folder + L"\\novel4.txt"));

  // OK asks the shell to open the folder; what it starts ends with the test.
  ASSERT_TRUE(e2e::Answer(done.hwnd, IDOK));
  HWND shown = e2e::WaitDesktopWindow([&](HWND h) {
    auto started = app.RunningDescendants();
    return e2e::Text(h) == L"novel" && std::find(started.begin(), started.end(), e2e::ProcessOf(h)) != started.end();
  });
  EXPECT_TRUE(shown) << "no window of the folder";
  EXPECT_TRUE(app.Running());
  app.Close();
  EXPECT_TRUE(app.RunningDescendants().empty()) << "a process the split started still runs";
}

}  // namespace
