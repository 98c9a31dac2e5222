#include "frmTxtSplit.h"
#include <shellapi.h>
#include "Module1.h"
#include "Site.h"
#include "TxtSplitRes.h"

using kt::forms::Twips;

namespace {
void ShellOpen(HWND owner, const CString& file) {
  ::ShellExecuteW(owner, L"open", file.c_str(), L"", L"", SW_SHOW);
}
}  // namespace

frmTxtSplit::ShellOpenFn frmTxtSplit::s_shellOpen = ShellOpen;

frmTxtSplit::frmTxtSplit()
    : Form(L"frmTxtSplit", L"TXT文件分割工具 V1.5", 5760, 3090, IDR_TXTSPLIT),
      Frame2(*this, L"Frame2", Twips{120, 120, 5535, 2895}, L"TXT文本文件分割工具", 0),
      Label1(*this, L"Label1", Twips{240, 600, 900, 180}, L"目标文件：", 11, &Frame2),
      txtSFile(*this, L"txtSFile", Twips{1200, 480, 3255, 375}, L"", 4, &Frame2),
      cmdBrowse1(*this, L"cmdBrowse1", Twips{4560, 480, 735, 375}, L"浏览", 3, &Frame2),
      Label4(*this, L"Label4", Twips{240, 1080, 900, 180}, L"分割单位：", 9, &Frame2),
      txtSize(*this, L"txtSize", Twips{1200, 960, 1095, 375}, L"100", 2, &Frame2),
      Label5(*this, L"Label5", Twips{2400, 1080, 180, 180}, L"KB", 8, &Frame2),
      Label7(*this, L"Label7", Twips{3600, 1080, 1260, 180}, L"估计分割份数：", 6, &Frame2),
      lblFileNum(*this, L"lblFileNum", Twips{5040, 1080, 330, 180}, L"0", 5, &Frame2),
      chkShiBie(*this, L"chkShiBie", Twips{240, 1560, 3015, 255}, L"启用人工汉字断开识别", 12, &Frame2),
      cmdSplit(*this, L"cmdSplit", Twips{3600, 1440, 1695, 495}, L"开始分割", 1, &Frame2),
      Label3(*this, L"Label3", Twips{120, 2400, 990, 180}, L" 目标位置：", 10, &Frame2),
      lblFolder(*this, L"lblFolder", Twips{1200, 2400, 2340, 180}, L"默认在源文件的同名目录下。", 7, &Frame2),
      mnuHH(*this, L"mnuHH", L"帮助链接"),
      mnuSoft(*this, L"mnuSoft", L"软件首页", &mnuHH),
      mnuHome(*this, L"mnuHome", L"茗川首页", &mnuHH),
      mnuLinellls(*this, L"mnuLinellls", L"-", &mnuHH),
      mnuExit(*this, L"mnuExit", L"退出", &mnuHH),
      mnuebook(*this, L"mnuebook", L"e-book电子小说阅读器(TXT看书软件)") {
  for (kt::forms::Label* l : {&Label1, &Label4, &Label5, &Label7, &lblFileNum, &Label3, &lblFolder})
    l->AutoSize = true;
  // Only choosing the source fills it.
  txtSFile.SetEnabled(false);
  txtSFile.Locked = true;
}

void frmTxtSplit::Form_Load() { Module1::NotifyLaunch(); }

void frmTxtSplit::Form_Unload() {}

void frmTxtSplit::Click(kt::forms::Control& c) {
  if (&c == &cmdBrowse1) cmdBrowse1_Click();
  else if (&c == &cmdSplit) cmdSplit_Click();
}

void frmTxtSplit::MenuClick(kt::forms::MenuItem& item) {
  if (&item == &mnuSoft) mnuSoft_Click();
  else if (&item == &mnuHome) mnuHome_Click();
  else if (&item == &mnuExit) mnuExit_Click();
  else if (&item == &mnuebook) mnuebook_Click();
}

void frmTxtSplit::cmdBrowse1_Click() {
  DlgTXTFileOpen.CancelError = true;
  DlgTXTFileOpen.DefaultExt = L"txt";
  DlgTXTFileOpen.DialogTitle = L"选择文本文件";
  DlgTXTFileOpen.Filter = L"文本文件（*.txt）|*.txt";
  if (!DlgTXTFileOpen.ShowOpen(*this)) return;  // cancelled: nothing changes
  CString path = DlgTXTFileOpen.FileName;
  txtSFile.SetText(path);
  // The output folder is the path without its last four characters: "novel.txt" gives "novel".
  lblFolder.SetCaption(path.size() >= 4 ? path.substr(0, path.size() - 4) : CString());
  // Made at once; one that exists already, or cannot be made, is not reported.
  ::CreateDirectoryW(lblFolder.Caption().c_str(), nullptr);
}

void frmTxtSplit::cmdSplit_Click() { kt::TextSplit(*this); }

void frmTxtSplit::mnuSoft_Click() { s_shellOpen(m_hWnd, CString(kt::kSiteAddress) + L"/softinfo/ktsplit.htm"); }

void frmTxtSplit::mnuHome_Click() { s_shellOpen(m_hWnd, kt::kSiteAddress); }

void frmTxtSplit::mnuExit_Click() { kt::forms::App::End(); }

void frmTxtSplit::mnuebook_Click() { s_shellOpen(m_hWnd, CString(kt::kSiteAddress) + L"/softinfo/ktreader.htm"); }

void frmTxtSplit::ShowPartCount(const std::wstring& count) {
  lblFileNum.SetCaption(count);
  // The split does not yield, so show the count now rather than at its end.
  if (lblFileNum.hWnd()) ::UpdateWindow(lblFileNum.hWnd());
}

int frmTxtSplit::Box(const std::wstring& text, const std::wstring& title, UINT style) {
  return kt::ShowMessageBox(m_hWnd, text, title, style);
}
