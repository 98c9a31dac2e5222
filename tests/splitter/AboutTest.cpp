// The About box as the user opens it from the main dialog's system menu: its content and layout, its skinned
// OK button, every way of closing it, and the main dialog it returns to.
#include <gtest/gtest.h>
#include <memory>
#include "Fixtures.h"
#include "HomePage.h"
#include "ModalDriver.h"
#include "SkinButton.h"
#include "resource.h"

namespace {

const wchar_t kCaption[] = L"关于-岚石文件分割器";

struct Control {
  std::wstring cls;
  int id;
  std::wstring text;
  DWORD style;
  RECT rc;  // pixels, in the box's client area
  bool operator==(const Control& o) const {
    return lstrcmpiW(cls.c_str(), o.cls.c_str()) == 0 && id == o.id && text == o.text && style == o.style &&
           EqualRect(&rc, &o.rc);
  }
};

void PrintTo(const Control& c, std::ostream* os) {
  char text[256] = {};
  WideCharToMultiByte(CP_UTF8, 0, c.text.c_str(), -1, text, sizeof text, nullptr, nullptr);
  *os << "{id " << c.id << ", \"" << text << "\", style 0x" << std::hex << c.style << std::dec << ", " << c.rc.left
      << "," << c.rc.top << "," << c.rc.right - c.rc.left << "," << c.rc.bottom - c.rc.top << "}";
}

RECT Du(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

// What the box shows, read from its windows.
struct AboutContent {
  std::wstring caption;
  std::vector<Control> controls;  // in template (z) order
  std::vector<Control> expected;  // the template's, laid out in this box
  HICON icon = nullptr;
  RECT window{}, client{}, templateClient{};
  bool operator==(const AboutContent& o) const {
    return caption == o.caption && controls == o.controls && icon == o.icon && EqualRect(&client, &o.client);
  }
};

const DWORD kChild = WS_CHILD | WS_VISIBLE;

// The controls of the template, their rectangles mapped from dialog units by the box's own font.
std::vector<Control> Expected(HWND box) {
  std::vector<Control> controls = {
      {L"Static", 0xFFFF, L"", kChild | SS_ICON, Du(7, 7, 0, 0)},
      {L"Static", 0xFFFF, L"岚石文件分割器 1.5 版", kChild | SS_LEFT | SS_NOPREFIX | WS_GROUP, Du(51, 7, 79, 8)},
      {L"Static", 0xFFFF, L"主页：" KT_HOME_PAGE, kChild | SS_LEFT | WS_GROUP, Du(51, 38, 121, 8)},
      {L"Button", IDOK, L"确定", kChild | BS_OWNERDRAW | WS_TABSTOP | WS_GROUP, Du(73, 73, 44, 14)},
  };
  for (auto& c : controls) {
    // The dialog manager maps place and size each on its own.
    RECT r = {c.rc.left, c.rc.top, c.rc.right - c.rc.left, c.rc.bottom - c.rc.top};
    MapDialogRect(box, &r);
    c.rc = {r.left, r.top, r.left + r.right, r.top + r.bottom};
  }
  return controls;
}

AboutContent Read(HWND dlg) {
  AboutContent c;
  c.caption = kt::WindowText(dlg);
  GetWindowRect(dlg, &c.window);
  GetClientRect(dlg, &c.client);
  c.templateClient = Du(0, 0, 185, 94);
  MapDialogRect(dlg, &c.templateClient);
  c.expected = Expected(dlg);
  for (HWND h = GetWindow(dlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    RECT rc;
    GetWindowRect(h, &rc);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
    DWORD style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
    bool icon = (style & SS_TYPEMASK) == SS_ICON && lstrcmpiW(cls, L"Static") == 0;
    if (icon) {
      c.icon = reinterpret_cast<HICON>(SendMessageW(h, STM_GETICON, 0, 0));
      rc.right = rc.left;  // an icon static takes the icon's own size: only its place counts
      rc.bottom = rc.top;
    }
    std::wstring text = icon ? L"" : kt::WindowText(h);  // an icon's text is its resource reference
    c.controls.push_back({cls, GetDlgCtrlID(h), text, style, rc});
  }
  return c;
}

bool IsAboutBox(HWND h) { return ModalDriver::DialogCaptioned(kCaption)(h); }

// A 32-bit picture of one owner-draw request of the button in the given state.
std::vector<uint32_t> Picture(CWnd& button, HWND hwnd, UINT state) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), rc.right, -rc.bottom, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  DRAWITEMSTRUCT dis{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, state, hwnd, dc, rc, 0};
  button.DrawItem(&dis);
  GdiFlush();
  std::vector<uint32_t> px(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + rc.right * rc.bottom);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return px;
}

// Lets the activation that follows the end of a modal box reach the main dialog, as its own loop would.
void Settle() {
  DWORD end = GetTickCount() + 100;
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

class AboutBox : public testing::Test {
protected:
  // Focus is checked here, so other test programs must not take the activation away.
  static void SetUpTestSuite() { ASSERT_TRUE(UseOwnDesktop()); }
  // Opens the box through the system menu command and hands it to `inside` while it is up; `close` ends it.
  void Open(const std::function<void(HWND)>& inside, const std::function<void(HWND)>& close) {
    ModalDriver driver(IsAboutBox, [&](HWND box) {
      inside(box);
      close(box);
    });
    SendMessageW(live.hwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    Settle();
    EXPECT_EQ(1u, driver.seen.size()) << "the About box did not open, or opened twice";
    if (!driver.seen.empty()) {
      EXPECT_FALSE(IsWindow(driver.seen[0])) << "the box outlived its DoModal";
    }
  }
  static void PressOK(HWND box) { SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }
  LiveDialog live;
};

TEST_F(AboutBox, SystemMenuItemOpensTheBoxWithItsContent) {
  HMENU sys = GetSystemMenu(live.hwnd(), FALSE);
  int n = GetMenuItemCount(sys);
  ASSERT_GE(n, 2);
  EXPECT_TRUE(GetMenuState(sys, n - 2, MF_BYPOSITION) & MF_SEPARATOR);
  wchar_t item[64] = {};
  GetMenuStringW(sys, n - 1, item, 64, MF_BYPOSITION);
  EXPECT_STREQ(L"岚石文件分割器(&A)...", item);
  UINT command = GetMenuItemID(sys, n - 1);

  AboutContent seen;
  bool focusOnOK = false;
  bool ownerEnabled = true;
  DWORD style = 0;
  HWND owner = nullptr;
  ModalDriver driver(IsAboutBox, [&](HWND box) {
    seen = Read(box);
    focusOnOK = GetFocus() == GetDlgItem(box, IDOK);
    ownerEnabled = IsWindowEnabled(live.hwnd());
    style = static_cast<DWORD>(GetWindowLongW(box, GWL_STYLE));
    owner = GetWindow(box, GW_OWNER);
    PressOK(box);
  });
  // The menu sends its command with the low four bits free for the system's use.
  SendMessageW(live.hwnd(), WM_SYSCOMMAND, command | 0x3, 0);
  ASSERT_EQ(1u, driver.seen.size());

  EXPECT_EQ(kCaption, seen.caption);
  EXPECT_EQ(seen.expected, seen.controls);
  EXPECT_EQ(LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME)), seen.icon);
  ASSERT_NE(nullptr, seen.icon);
  EXPECT_TRUE(EqualRect(&seen.templateClient, &seen.client));

  const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  EXPECT_EQ(frame, style & frame);
  EXPECT_EQ(0u, style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | DS_CENTER));

  // Modal to the main dialog, centred over it.
  EXPECT_EQ(live.hwnd(), owner);
  EXPECT_FALSE(ownerEnabled);
  RECT main;
  GetWindowRect(live.hwnd(), &main);
  EXPECT_NEAR((main.left + main.right) / 2, (seen.window.left + seen.window.right) / 2, 1);
  EXPECT_NEAR((main.top + main.bottom) / 2, (seen.window.top + seen.window.bottom) / 2, 1);

  EXPECT_TRUE(focusOnOK) << "OK, the only tab stop, should have the focus";
}

TEST_F(AboutBox, OKIsTheLargeSkinButtonAndTextsTakeTheDialogColours) {
  std::vector<std::vector<uint32_t>> pictures, reference;
  bool subclassed = false;
  HBRUSH brush = nullptr;
  COLORREF textColour = 0, bkColour = 0;
  Open(
      [&](HWND box) {
        HWND ok = GetDlgItem(box, IDOK);
        CWnd* skin = CWnd::FromSubclassed(ok);
        subclassed = dynamic_cast<CSkinButton*>(skin) != nullptr;
        if (!subclassed) return;

        // A button of the same size skinned as the main dialog's split button paints the same pictures.
        RECT rc;
        GetClientRect(ok, &rc);
        HWND twin = CreateWindowExW(0, L"BUTTON", L"确定", WS_POPUP | BS_OWNERDRAW, 0, 0, rc.right, rc.bottom,
                                    nullptr, nullptr, nullptr, nullptr);
        auto ref = std::make_unique<CSkinButton>();
        ref->AttachControl(twin);
        ref->SetSkin(IDB_SKIN_LARGE, 5, 5, 5, 5, 4);
        for (UINT state : {0u, UINT(ODS_FOCUS), UINT(ODS_FOCUS | ODS_SELECTED), UINT(ODS_DISABLED)}) {
          pictures.push_back(Picture(*skin, ok, state));
          reference.push_back(Picture(*ref, twin, state));
        }
        DestroyWindow(twin);

        HDC dc = CreateCompatibleDC(nullptr);
        brush = reinterpret_cast<HBRUSH>(SendMessageW(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(GetWindow(box, GW_CHILD))));
        textColour = GetTextColor(dc);
        bkColour = GetBkColor(dc);
        DeleteDC(dc);
      },
      PressOK);
  ASSERT_TRUE(subclassed) << "OK is not a skin button";
  ASSERT_EQ(4u, pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) EXPECT_TRUE(pictures[i] == reference[i]) << "state " << i;
  EXPECT_FALSE(pictures[0] == pictures[1]);  // the states do differ

  EXPECT_EQ(AfxGetApp()->DialogBrush(), brush);
  EXPECT_EQ(AfxGetApp()->DialogTextColor(), textColour);
  EXPECT_EQ(AfxGetApp()->DialogBkColor(), bkColour);
}

struct CloseCase {
  const char* how;
  void (*close)(HWND box);
};

const CloseCase kCloseCases[] = {
    {"OK button", [](HWND box) { SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }},
    // Keys typed on the focused OK button.
    {"Enter", [](HWND box) { PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_RETURN, 0); }},
    {"Esc", [](HWND box) { PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }},
    {"close box", [](HWND box) { PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

TEST_F(AboutBox, EveryWayOfClosingReturnsToTheUnchangedMainDialog) {
  // A main dialog away from its first state: merge mode, both paths chosen, the focus on the target's button.
  SendMessageW(live.item(IDC_MODE_MERGE), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(live.item(IDC_MODE_SPLIT), BM_SETCHECK, BST_UNCHECKED, 0);
  live.click(IDC_MODE_MERGE);
  live.setText(IDC_SOURCE_PATH, L"C:\\data\\movie.avi.kt1");
  live.setText(IDC_TARGET_FOLDER, L"C:\\out");
  live.dlg.UpdateData(TRUE);
  SetFocus(live.item(IDC_BROWSE_TARGET));
  ASSERT_EQ(live.item(IDC_BROWSE_TARGET), GetFocus());

  const int fields[] = {IDC_SOURCE_PATH, IDC_TARGET_FOLDER, IDC_PIECE_SIZE, IDC_STATUS};
  auto snapshot = [&] {
    std::vector<std::wstring> s;
    for (int id : fields) s.push_back(live.text(id));
    for (int id : {IDOK, IDC_MERGE, IDC_PIECE_SIZE, IDC_BROWSE_SOURCE, IDC_BROWSE_TARGET, IDC_TXT_SPLIT})
      s.push_back(IsWindowEnabled(live.item(id)) ? L"enabled" : L"disabled");
    for (int id : {IDC_MODE_SPLIT, IDC_MODE_MERGE})
      s.push_back(std::to_wstring(SendMessageW(live.item(id), BM_GETCHECK, 0, 0)));
    s.push_back(std::to_wstring(live.dlg.m_bSplitMode));
    s.push_back(live.dlg.m_strSourcePath + L"|" + live.dlg.m_strTargetFolder + L"|" + live.dlg.m_strPieceSize);
    return s;
  };
  const auto before = snapshot();

  for (const CloseCase& c : kCloseCases) {
    SCOPED_TRACE(c.how);
    Open([](HWND) {}, c.close);
    EXPECT_TRUE(IsWindowEnabled(live.hwnd()));
    EXPECT_EQ(before, snapshot());
    EXPECT_EQ(live.item(IDC_BROWSE_TARGET), GetFocus());
  }
}

TEST_F(AboutBox, OpeningItAgainShowsTheSameContent) {
  AboutContent first, second;
  Open([&](HWND box) { first = Read(box); }, PressOK);
  Open([&](HWND box) { second = Read(box); }, PressOK);
  EXPECT_EQ(first.expected, first.controls);
  EXPECT_TRUE(first == second);
  EXPECT_TRUE(EqualRect(&first.window, &second.window));
}

}  // namespace
