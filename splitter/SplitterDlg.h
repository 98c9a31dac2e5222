#pragma once
#include "CommandHost.h"
#include "FadeProgressCtrl.h"
#include "SkinButton.h"
#include "afx.h"

class CSplitterDlg : public CDialog, public CCommandHost {
public:
  explicit CSplitterDlg(CWnd* parent = nullptr);
  ~CSplitterDlg() override;

  CSkinButton m_btnTxtSplit;
  CComboBox m_cboPieceSize;
  CFadeProgressCtrl m_progress;
  CSkinButton m_btnMerge;
  CSkinButton m_btnSplit;
  CSkinButton m_btnBrowseSource;
  CSkinButton m_btnBrowseTarget;
  CButton m_radioSplit;
  CEdit m_editSource;
  // m_strStatus ... m_fileSource come from CSplitterFields.
  HICON m_hIcon;

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

  // Handlers of the message map.
  void OnSysCommand(UINT id, LPARAM lp);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnBrowseSource();
  void OnSplit();
  void OnMerge();
  void OnModeMerge();
  void OnModeSplit();
  void OnBrowseTarget();
  void OnPieceSizeChange();
  void OnTxtSplit();

  int DoSplit() { return kt::DoSplit(*this); }
  int DoMerge() { return kt::DoMerge(*this); }

  // The open-file dialog of OnBrowseSource; tests may answer it instead of the user.
  using ChooseFileFn = bool (*)(CSplitterDlg& dlg, const CString& filter, CString& path, CString& name);
  static ChooseFileFn s_chooseFile;

  static const kt::MapEntry<CSplitterDlg> messageMap[13];

protected:
  BOOL OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
  void SwitchMode(BOOL split);
  // CCommandHost
  void ExchangeData(BOOL save) override { UpdateData(save); }
  int ShowDialogBox(const CString& text, const CString& caption, UINT style) override {
    return MessageBox(text, caption, style);
  }
  int ShowAppBox(const CString& text, UINT style) override { return AfxMessageBox(text, style); }
  // The progress bar is a child and paints on this update too.
  void Repaint() override { ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }
  void ProgressRange(int lower, int upper) override { m_progress.SetRange(lower, upper); }
  void ProgressPos(int pos) override { m_progress.SetPos(pos); }
  void FocusSource() override;
};
