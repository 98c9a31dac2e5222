// The unit size text read as kilobytes, the part names and the head line, without files.
#include <gtest/gtest.h>
#include <string>
#include "TextParts.h"
#include "UnitSize.h"

namespace {

struct UnitCase {
  const wchar_t* text;
  int64_t bytes;  // 0: not a usable unit
};

const UnitCase kUnitCases[] = {
    {L"100", 102400},
    {L"0.5", 512},
    {L"100KB", 102400},          // the number at the start, the rest ignored
    {L"100 KB", 102400},
    {L"  100", 102400},          // leading blanks
    {L"+2", 2048},
    {L".5", 512},
    {L"5.", 5120},
    {L"1,5", 1024},              // "." is the only decimal separator
    {L"1e3", 1024000},           // exponents are read
    {L"1E-1", 102},              // 102.4
    {L"1e", 1024},               // an exponent without digits is other text
    {L"1e+", 1024},
    {L"0.00244140625", 2},       // 2.5 bytes: halves to even
    {L"0.00341796875", 4},       // 3.5 bytes
    {L"0.00146484375", 2},       // 1.5 bytes
    {L"0.0009765625", 1},        // one byte exactly
    {L"0.00048828125", 0},       // half a byte rounds to 0
    {L"0.0001", 0},              // 0.1024 bytes
    {L"0", 0},
    {L"-0", 0},
    {L"", 0},
    {L"   ", 0},
    {L"abc", 0},
    {L"KB100", 0},
    {L"-1", 0},
    {L"-5", 0},
    {L"0x10", 0},                // no radix prefixes: "0" then other text
    {L"inf", 0},
    {L"nan", 0},
    {L"\xFF11\xFF10\xFF10", 0},  // full-width digits are not digits
    {L"9e15", 9216000000000000000},  // still below 2^63 bytes
    {L"1e16", 0},                // 2^63 bytes and more cannot be a length
    {L"1e300", 0},
    {L"1e400", 0},               // beyond a double
};

TEST(TextSplitUnitSize, KilobytesToBytes) {
  for (const auto& c : kUnitCases)
    EXPECT_EQ(kt::UnitBytes(c.text), c.bytes) << testing::PrintToString(std::wstring(c.text));
}

TEST(TextSplitUnitSize, RoundsHalvesToEven) {
  const struct { double x, rounded; } cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {2.4999, 2}, {2.5001, 3}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {7.0, 7}, {1e17, 1e17},
  };
  for (const auto& c : cases) EXPECT_EQ(kt::RoundHalfEven(c.x), c.rounded) << c.x;
}

TEST(TextSplitNames, PartPathUsesTheFolderName) {
  EXPECT_EQ(kt::PartPath(L"D:\\books\\novel", 1), L"D:\\books\\novel\\novel1.txt");
  EXPECT_EQ(kt::PartPath(L"D:\\books\\novel", 9), L"D:\\books\\novel\\novel9.txt");
  EXPECT_EQ(kt::PartPath(L"D:\\books\\novel", 10), L"D:\\books\\novel\\novel10.txt");
  EXPECT_EQ(kt::PartPath(L"D:\\a\\readm", 4000000000u), L"D:\\a\\readm\\readm4000000000.txt");
  EXPECT_EQ(kt::PartPath(L"D:\\书籍\\小说 一", 2), L"D:\\书籍\\小说 一\\小说 一2.txt");
}

TEST(TextSplitNames, HeadLineEndsAtTheFirstCarriageReturn) {
  const struct { std::string bytes; std::wstring head; } cases[] = {
      {"first\r\nsecond", L"first"},
      {"\r\nsecond", L""},
      {"", L""},
      {"a\nb\rc", L"a\nb"},                      // a line feed alone does not end the line
      {"no return at all", L"no return at all"},
      {"\xBA\xBA\xD7\xD6\r\n", L"汉字"},          // GBK, whatever the system's code page
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(kt::HeadLineText(cases[i].bytes.data(), cases[i].bytes.size()), cases[i].head) << i;
  // Starting at the trail byte of 字 pairs it with the next lead byte: the first character comes out wrong.
  const std::string cut = "\xD6\xBA\xBA\xD7\xD6";
  std::wstring head = kt::HeadLineText(cut.data(), cut.size());
  ASSERT_FALSE(head.empty());
  EXPECT_NE(head.substr(0, 1), L"字");
  EXPECT_NE(head.substr(0, 1), L"汉");
}

}  // namespace
