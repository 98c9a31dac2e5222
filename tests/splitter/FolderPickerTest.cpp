// The target folder's browse button: the shell's folder browser, driven in this process through its own modal
// loop, and what each way out of it leaves in the target field.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <algorithm>
#include "BoxRecorder.h"
#include "Fixtures.h"
#include "FolderPicker.h"
#include "ModalDriver.h"
#include "resource.h"

namespace {

const int kTree = 0x3741;

bool IsBrowser(HWND h) {
  wchar_t cls[16] = {};
  GetClassNameW(h, cls, 16);
  return lstrcmpW(cls, L"#32770") == 0 && GetDlgItem(h, kTree) != nullptr;
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
  wchar_t text[MAX_PATH] = {};
  TVITEMW tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = MAX_PATH;
  if (!item || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return L"<none>";
  return text;
}

std::wstring DisplayName(int csidl) {
  LPITEMIDLIST pidl = nullptr;
  SHFILEINFOW info{};
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl))) {
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
    CoTaskMemFree(pidl);
  }
  return info.szDisplayName;
}

HTREEITEM Caret(HWND tree) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

// What the browser showed when it opened.
struct FirstLook {
  std::vector<std::wstring> texts;  // static texts above the tree
  bool okEnabled = false;
  std::wstring root, selected;
  std::vector<std::wstring> underRoot;
  int roots = 0;
  bool ownerDisabled = false;
};

FirstLook Look(HWND browser, HWND owner) {
  FirstLook look;
  HWND tree = GetDlgItem(browser, kTree);
  RECT treeRect;
  GetWindowRect(tree, &treeRect);
  for (HWND c = GetWindow(browser, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[16] = {};
    GetClassNameW(c, cls, 16);
    RECT r;
    GetWindowRect(c, &r);
    if (lstrcmpiW(cls, L"Static") == 0 && IsWindowVisible(c) && r.bottom <= treeRect.top)
      look.texts.push_back(kt::WindowText(c));
  }
  look.okEnabled = IsWindowEnabled(GetDlgItem(browser, IDOK));
  HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  look.root = ItemText(tree, root);
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  for (auto i = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
       i; i = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(i))))
    look.underRoot.push_back(ItemText(tree, i));
  for (HTREEITEM i = root; i; i = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                                             reinterpret_cast<LPARAM>(i))))
    ++look.roots;
  look.selected = ItemText(tree, Caret(tree));
  look.ownerDisabled = !IsWindowEnabled(owner);
  return look;
}

void Press(HWND browser, int id) {
  PostMessageW(browser, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(browser, id)));
}

// The spare drive that the test prefix maps onto a scratch folder, as "K:\", or empty.
std::wstring SpareDriveRoot() {
  wchar_t buf[8] = {};
  DWORD n = GetEnvironmentVariableW(L"KT_SPARE_DRIVE", buf, 8);
  if (n != 2 || buf[1] != L':') return {};
  std::wstring root = std::wstring(buf) + L"\\";
  return GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR ? std::wstring() : root;
}

class FolderPicker : public testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(UseOwnDesktop()); }
  // Clicks the target's browse button; `choose` runs inside the open browser and ends it.
  size_t Browse(const std::function<void(HWND)>& choose) {
    ModalDriver driver(IsBrowser, choose);
    live.click(IDC_BROWSE_TARGET);
    return driver.seen.size();
  }
  LiveDialog live;
};

TEST_F(FolderPicker, OpensAtTheDesktopWithItsTitleAndOKEnabled) {
  FirstLook look;
  ASSERT_EQ(1u, Browse([&](HWND b) {
              look = Look(b, live.hwnd());
              Press(b, IDCANCEL);
            }));
  EXPECT_NE(look.texts.end(), std::find(look.texts.begin(), look.texts.end(), L"选择目标文件夹"))
      << "no text above the tree reads the title";
  EXPECT_TRUE(look.okEnabled);
  EXPECT_TRUE(look.ownerDisabled) << "the browser is modal to the main dialog";
  // One root, the desktop: the computer node lies directly under it.
  EXPECT_EQ(1, look.roots);
  EXPECT_EQ(DisplayName(CSIDL_DESKTOP), look.root);
  ASSERT_NE(L"", DisplayName(CSIDL_DRIVES));
  EXPECT_NE(look.underRoot.end(), std::find(look.underRoot.begin(), look.underRoot.end(), DisplayName(CSIDL_DRIVES)));
  // Nothing offered: the current target is not selected, at most the root is.
  EXPECT_TRUE(look.selected == L"<none>" || look.selected == look.root) << "selected: " << testing::PrintToString(look.selected);
}

// How the user leaves the browser.
struct Choice {
  const char* name;
  std::wstring path;  // selected by path; empty: by the item list of `csidl`
  int csidl;
  int button;
};

struct Chosen {
  bool okEnabled = false;
  std::wstring selected;  // the tree's selected item after the selection
};


// Selects the choice's item and presses the choice's button. A fresh process's first browser may not have
// the item in its tree yet when it shows, so the selection is tried again, with the browser's own messages
// let through, until the item is selected (or 3 s have passed).
void Choose(HWND browser, const Choice& c, Chosen* out) {
  HWND tree = GetDlgItem(browser, kTree);
  auto landed = [&](const std::wstring& text) {
    if (c.csidl >= 0) return text == DisplayName(c.csidl);
    if (c.path.size() <= 3) return text.find(c.path.substr(0, 2)) != std::wstring::npos;  // "... (K:)"
    return text == c.path.substr(c.path.rfind(L'\\') + 1);  // a folder shows by its name
  };
  for (DWORD start = GetTickCount(); GetTickCount() - start < 3000;) {
    if (!c.path.empty()) {
      SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(c.path.c_str()));
    } else if (c.csidl >= 0) {
      LPITEMIDLIST pidl = nullptr;
      if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, c.csidl, &pidl))) {
        SendMessageW(browser, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(pidl));
        CoTaskMemFree(pidl);
      }
    } else {
      break;  // nothing to select
    }
    out->selected = ItemText(tree, Caret(tree));
    if (landed(out->selected)) break;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
  out->okEnabled = IsWindowEnabled(GetDlgItem(browser, IDOK));
  Press(browser, c.button);
}

TEST_F(FolderPicker, WhatEachChoiceLeavesInTheTargetField) {
  TempDir dir;
  std::wstring drive = SpareDriveRoot();
  struct Case {
    Choice choice;
    std::wstring field;  // expected afterwards
  };
  const std::wstring kept = L"C:\\kept";
  std::vector<Case> cases = {
      {{"ordinary folder", dir.path(), -1, IDOK}, dir.path()},
      {{"folder, then Cancel", dir.path(), -1, IDCANCEL}, kept},
      {{"computer node", L"", CSIDL_DRIVES, IDOK}, kept},
      {{"Cancel at once", L"", -1, IDCANCEL}, kept},
  };
  if (!drive.empty()) cases.push_back({{"drive root", drive, -1, IDOK}, drive});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice.name);
    live.setText(IDC_TARGET_FOLDER, kept);
    Chosen chosen;
    ASSERT_EQ(1u, Browse([&](HWND b) { Choose(b, c.choice, &chosen); }));
    if (c.choice.csidl >= 0) {
      EXPECT_EQ(DisplayName(c.choice.csidl), chosen.selected);
    } else if (!c.choice.path.empty()) {
      // Wine's browser turns OK off again after the callback on items without a path; on folders it stays on.
      EXPECT_TRUE(chosen.okEnabled);
    }
    EXPECT_EQ(c.field, live.text(IDC_TARGET_FOLDER));
    EXPECT_EQ(c.field, live.dlg.m_strTargetFolder);
  }
  if (drive.empty()) GTEST_SKIP() << "no spare drive mapped by the test prefix (KT_SPARE_DRIVE)";
}

TEST_F(FolderPicker, ASplitIntoAChosenDriveRootWritesItsPiecesThere) {
  std::wstring drive = SpareDriveRoot();
  if (drive.empty()) GTEST_SKIP() << "no spare drive mapped by the test prefix (KT_SPARE_DRIVE)";
  TempDir dir;
  const std::wstring name = L"root-" + std::to_wstring(GetCurrentProcessId()) + L".bin";
  const auto bytes = Pattern(2500000, 7);
  WriteBytes(dir / name, bytes);

  live.setText(IDC_SOURCE_PATH, dir / name);
  live.setText(IDC_PIECE_SIZE, L"1.00");
  ASSERT_EQ(1u, Browse([&](HWND b) {
              Chosen chosen;
              Choose(b, {"drive root", drive, -1, IDOK}, &chosen);
            }));
  ASSERT_EQ(drive, live.text(IDC_TARGET_FOLDER));

  BoxRecorder boxes;
  live.click(IDOK);
  ASSERT_EQ(1u, boxes.boxes.size());
  EXPECT_EQ(L"文件已被成功分割!", boxes.boxes[0].text);

  // Three pieces of 1,048,576, 1,048,576 and 402,848 bytes, side by side in the root, holding the source.
  std::vector<unsigned char> joined;
  for (int i = 1; i <= 3; ++i) {
    auto piece = ReadBytes(drive + name + L".kt" + std::to_wstring(i));
    EXPECT_EQ(i < 3 ? 1048576u : 402848u, piece.size()) << i;
    joined.insert(joined.end(), piece.begin(), piece.end());
  }
  EXPECT_TRUE(joined == bytes);
  EXPECT_FALSE(Exists(drive + name + L".kt4"));
  for (int i = 1; i <= 3; ++i) DeleteFileW((drive + name + L".kt" + std::to_wstring(i)).c_str());
}

TEST(FolderPickerAlone, ConfirmedFolderGivesItsPathAndIcon) {
  ASSERT_TRUE(UseOwnDesktop());
  TempDir dir;
  CFolderPicker picker;
  EXPECT_EQ(L"选择目标文件夹", picker.m_strTitle);
  EXPECT_EQ(L"", picker.m_strFolderPath);
  ModalDriver driver(IsBrowser, [&](HWND b) {
    Chosen chosen;
    Choose(b, {"folder", dir.path(), -1, IDOK}, &chosen);
  });
  ASSERT_EQ(1, picker.Browse(nullptr));  // no owner
  EXPECT_EQ(dir.path(), picker.m_strFolderPath);
  // Wine's browser leaves the image index at 0; Windows gives the folder's icon in the system image list.
  if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
    SHFILEINFOW info{};
    SHGetFileInfoW(dir.path().c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    EXPECT_EQ(info.iIcon, picker.m_nImage);
  }
}

// Records the messages sent to it, standing in for the browser window.
struct Recorder {
  struct Sent { UINT msg; WPARAM wp; LPARAM lp; };
  static std::vector<Sent>& sent() {
    static std::vector<Sent> s;
    return s;
  }
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= WM_USER) sent().push_back({msg, wp, lp});
    return DefWindowProcW(h, msg, wp, lp);
  }
};

TEST(FolderPickerAlone, CallbackEnablesOKOnEveryMessage) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Recorder::Proc;
  wc.lpszClassName = L"kt.test.browser";
  RegisterClassW(&wc);
  HWND browser = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  CFolderPicker picker;
  for (UINT msg : {UINT(BFFM_INITIALIZED), UINT(BFFM_SELCHANGED), UINT(BFFM_VALIDATEFAILEDW), UINT(BFFM_IUNKNOWN)}) {
    Recorder::sent().clear();
    EXPECT_EQ(0, CFolderPicker::BrowseCallbackProc(browser, msg, 0, reinterpret_cast<LPARAM>(&picker))) << msg;
    ASSERT_EQ(1u, Recorder::sent().size()) << msg;
    EXPECT_EQ(UINT(BFFM_ENABLEOK), Recorder::sent()[0].msg);
    EXPECT_EQ(0u, Recorder::sent()[0].wp);
    EXPECT_EQ(1, Recorder::sent()[0].lp);
  }
  DestroyWindow(browser);
}

}  // namespace
