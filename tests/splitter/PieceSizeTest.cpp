#include <gtest/gtest.h>
#include "PieceSize.h"

struct SizeCase { const wchar_t* text; int64_t s; uint64_t p; };

TEST(PieceSize, PresetEntriesAndTypedTexts) {
  const SizeCase cases[] = {
      {L"0.20", 209715, 209920}, {L"0.50", 524288, 524288}, {L"1.00", 1048576, 1048576},
      {L"1.20", 1258291, 1258496}, {L"1.38", 1447034, 1447936},
      {L"1.5MB", 1572864, 1572864}, {L"  2", 2097152, 2097152}, {L"+1e0", 1048576, 1048576},
      {L"1e", 1048576, 1048576}, {L".5", 524288, 524288},
      // 4096 MB and more no longer wrap around.
      {L"4096", 4294967296LL, 4294967296ULL}, {L"5000.5", 5243404288LL, 5243404288ULL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "text " << std::string(c.text, c.text + wcslen(c.text)));
    EXPECT_EQ(c.s, kt::PieceSizeBytes(c.text));
    EXPECT_EQ(c.p, kt::FullPieceLength(static_cast<uint64_t>(kt::PieceSizeBytes(c.text))));
  }
}

TEST(PieceSize, TextsWithoutAUsableSizeGiveNoPositiveSize) {
  for (const wchar_t* text : {L"", L"abc", L"MB1", L"0", L"-1", L"0.0000001", L"1e400", L"-", L".", L"inf", L"nan"})
    EXPECT_LT(kt::PieceSizeBytes(text), 1) << std::string(text, text + wcslen(text));
}
