#pragma once
// The one window of KTTxtSplit: the source file, the unit size, the output folder and the split button,
// with a menu of web pages. It keeps all state of the program in its controls and serves the text split
// as its host.
#include "Forms.h"
#include "TextSplitHost.h"

class frmTxtSplit : public kt::forms::Form, public kt::TextSplitHost {
public:
  frmTxtSplit();

  kt::forms::Frame Frame2;
  kt::forms::Label Label1;
  kt::forms::TextBox txtSFile;
  kt::forms::CommandButton cmdBrowse1;
  kt::forms::Label Label4;
  kt::forms::TextBox txtSize;
  kt::forms::Label Label5;
  kt::forms::Label Label7;
  kt::forms::Label lblFileNum;
  kt::forms::CheckBox chkShiBie;
  kt::forms::CommandButton cmdSplit;
  kt::forms::Label Label3;
  kt::forms::Label lblFolder;
  kt::forms::CommonDialog DlgTXTFileOpen;

  kt::forms::MenuItem mnuHH;
  kt::forms::MenuItem mnuSoft;
  kt::forms::MenuItem mnuHome;
  kt::forms::MenuItem mnuLinellls;
  kt::forms::MenuItem mnuExit;
  kt::forms::MenuItem mnuebook;

  // Event procedures.
  void Form_Load() override;
  void Form_Unload() override;
  void cmdBrowse1_Click();
  void cmdSplit_Click();
  void mnuSoft_Click();
  void mnuHome_Click();
  void mnuExit_Click();
  void mnuebook_Click();

  // The shell's "open" of a folder or a web page; tests record the calls instead.
  using ShellOpenFn = void (*)(HWND owner, const CString& file);
  static ShellOpenFn s_shellOpen;

  // kt::TextSplitHost
  std::wstring SourcePath() override { return txtSFile.Text(); }
  std::wstring UnitText() override { return txtSize.Text(); }
  std::wstring FolderPath() override { return lblFolder.Caption(); }
  bool ConfirmHeads() override { return chkShiBie.Value() == 1; }
  void ShowPartCount(const std::wstring& count) override;
  int Box(const std::wstring& text, const std::wstring& title, UINT style) override;
  void OpenFolder(const std::wstring& path) override { s_shellOpen(m_hWnd, path); }

protected:
  void Click(kt::forms::Control& control) override;
  void MenuClick(kt::forms::MenuItem& item) override;
};
