// KTSplit.exe as the user starts it: a process of its own, driven from outside.
#include <gtest/gtest.h>
#include "E2E.h"
#include "HomePage.h"
#include "resource.h"

namespace {

const wchar_t kMainCaption[] = L"岚石大文件分割器V1.5";

class KTSplitE2E : public testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(e2e::UseOwnDesktop()); }
};

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

}  // namespace
