#include "SplitterDlg.h"
#include <shellapi.h>
#include "AboutDlg.h"
#include "FolderPicker.h"
#include "resource.h"

using Entry = kt::MapEntry<CSplitterDlg>;

const Entry CSplitterDlg::messageMap[13] = {
    {WM_SYSCOMMAND, 0, 0, &CSplitterDlg::OnSysCommand},
    {WM_PAINT, 0, 0, &CSplitterDlg::OnPaint},
    {WM_QUERYDRAGICON, 0, 0, &CSplitterDlg::OnQueryDragIcon},
    {WM_COMMAND, IDC_BROWSE_SOURCE, BN_CLICKED, &CSplitterDlg::OnBrowseSource},
    {WM_COMMAND, IDOK, BN_CLICKED, &CSplitterDlg::OnSplit},
    {WM_COMMAND, IDC_MERGE, BN_CLICKED, &CSplitterDlg::OnMerge},
    {WM_COMMAND, IDC_MODE_MERGE, BN_CLICKED, &CSplitterDlg::OnModeMerge},
    {WM_COMMAND, IDC_MODE_SPLIT, BN_CLICKED, &CSplitterDlg::OnModeSplit},
    {WM_COMMAND, IDC_BROWSE_TARGET, BN_CLICKED, &CSplitterDlg::OnBrowseTarget},
    {WM_COMMAND, IDC_PIECE_SIZE, CBN_EDITCHANGE, &CSplitterDlg::OnPieceSizeChange},
    {WM_COMMAND, IDC_PIECE_SIZE, CBN_EDITUPDATE, &CSplitterDlg::OnPieceSizeChange},
    {WM_COMMAND, IDC_PIECE_SIZE, CBN_SELCHANGE, &CSplitterDlg::OnPieceSizeChange},
    {WM_COMMAND, IDC_TXT_SPLIT, BN_CLICKED, &CSplitterDlg::OnTxtSplit},
};

namespace {

bool ChooseFileWithDialog(CSplitterDlg&, const CString& filter, CString& path, CString& name) {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     filter.c_str());
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.GetPathName();
  name = dialog.GetFileName();
  return true;
}

}  // namespace

CSplitterDlg::ChooseFileFn CSplitterDlg::s_chooseFile = ChooseFileWithDialog;

CSplitterDlg::CSplitterDlg(CWnd* parent)
    : CDialog(IDD_SPLITTER_DIALOG, parent),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

CSplitterDlg::~CSplitterDlg() = default;

BOOL CSplitterDlg::OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  return kt::DispatchMap(this, messageMap, msg, wp, lp, result);
}

void CSplitterDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_TXT_SPLIT, m_btnTxtSplit);
  DDX_Control(dx, IDC_PIECE_SIZE, m_cboPieceSize);
  DDX_Control(dx, IDC_PROGRESS, m_progress);
  DDX_Control(dx, IDC_MERGE, m_btnMerge);
  DDX_Control(dx, IDOK, m_btnSplit);
  DDX_Control(dx, IDC_BROWSE_SOURCE, m_btnBrowseSource);
  DDX_Control(dx, IDC_BROWSE_TARGET, m_btnBrowseTarget);
  DDX_Control(dx, IDC_MODE_SPLIT, m_radioSplit);
  DDX_Control(dx, IDC_SOURCE_PATH, m_editSource);
  DDX_Text(dx, IDC_STATUS, m_strStatus);
  DDX_Text(dx, IDC_SOURCE_PATH, m_strSourcePath);
  DDX_Text(dx, IDC_TARGET_FOLDER, m_strTargetFolder);
  DDX_CBString(dx, IDC_PIECE_SIZE, m_strPieceSize);
}

BOOL CSplitterDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_bSplitMode) m_radioSplit.SetCheck(BST_CHECKED);
  ::EnableWindow(GetDlgItem(IDC_MERGE), FALSE);
  m_strSourcePath.clear();
  m_strSourceName.clear();

  if (HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
    wchar_t text[256] = {};
    if (::LoadStringW(AfxGetResourceHandle(), IDS_ABOUTBOX, text, 256) > 0) {
      ::AppendMenuW(sysMenu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuW(sysMenu, MF_STRING, IDM_ABOUTBOX, text);
    }
  }
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  m_btnBrowseSource.SetSkin(IDB_SKIN_SMALL, 6, 1, 1, 1, 1);
  m_btnBrowseSource.SetTextColor(RGB(255, 200, 100));
  m_btnBrowseTarget.SetSkin(IDB_SKIN_SMALL, 6, 1, 1, 1, 1);
  m_btnBrowseTarget.SetTextColor(RGB(10, 255, 10));
  m_btnMerge.SetSkin(IDB_SKIN_LARGE, 5, 5, 5, 5, 4);
  m_btnSplit.SetSkin(IDB_SKIN_LARGE, 5, 5, 5, 5, 4);
  m_btnTxtSplit.SetSkin(IDB_SKIN_SMALL, 6, 1, 1, 1, 1);

  m_progress.SetRange(1, 500);
  m_progress.m_crBackground = RGB(150, 180, 220);
  m_progress.m_bShowPercent = TRUE;
  m_progress.SetPos(500);

  for (const wchar_t* size : {L"0.20", L"0.50", L"1.00", L"1.20", L"1.38"}) m_cboPieceSize.AddString(size);
  m_strPieceSize = L"1.38";
  UpdateData(FALSE);
  return TRUE;  // the first tab stop, the split button, takes the focus
}

void CSplitterDlg::OnSysCommand(UINT id, LPARAM lp) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();
    return;
  }
  CDialog::OnSysCommand(id, lp);
}

void CSplitterDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
  RECT rc;
  GetClientRect(&rc);
  ::DrawIcon(dc, (rc.right - rc.left - cx + 1) / 2, (rc.bottom - rc.top - cy + 1) / 2, m_hIcon);
  ::EndPaint(m_hWnd, &ps);
}

HCURSOR CSplitterDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CSplitterDlg::OnBrowseSource() {
  UpdateData(TRUE);
  CString filter = m_bSplitMode ? L"待分割文件(*.*)|*.*||" : L"待合并文件(*.kt1)|*.kt1||";
  CString path, name;
  if (!s_chooseFile(*this, filter, path, name)) return;
  m_strSourcePath = path;
  m_strSourceName = name;
  m_strTargetFolder = kt::LeftOfLast(m_strSourcePath, L'\\');
  UpdateData(FALSE);
}

void CSplitterDlg::OnSplit() {
  UpdateData(TRUE);
  if (DoSplit() == 0) MessageBox(L"文件已被成功分割!", L"提示", MB_ICONEXCLAMATION);
}

void CSplitterDlg::OnMerge() {
  UpdateData(TRUE);
  if (DoMerge() == 0) MessageBox(L"文件合并成功!", L"提示", MB_ICONEXCLAMATION);
}

void CSplitterDlg::OnModeSplit() { SwitchMode(TRUE); }

void CSplitterDlg::OnModeMerge() { SwitchMode(FALSE); }

// Every click on a mode, also on the one already chosen, starts the choice of files afresh.
void CSplitterDlg::SwitchMode(BOOL split) {
  UpdateData(TRUE);
  ::EnableWindow(GetDlgItem(IDOK), split);
  ::EnableWindow(GetDlgItem(IDC_MERGE), !split);
  m_bSplitMode = split ? 1 : 0;
  m_strSourcePath.clear();
  m_strTargetFolder.clear();
  m_cboPieceSize.EnableWindow(split);
  UpdateData(FALSE);
}

void CSplitterDlg::OnBrowseTarget() {
  UpdateData(TRUE);
  CFolderPicker picker;
  if (picker.Browse(this) == 1) {
    m_strTargetFolder = picker.m_strFolderPath;
    UpdateData(FALSE);
  }
}

void CSplitterDlg::OnPieceSizeChange() { UpdateData(TRUE); }

void CSplitterDlg::OnTxtSplit() {
  CString path = kt::LeftOfLast(AfxGetApp() ? AfxGetApp()->GetModulePath() : CString(), L'\\') +
                 L"\\KTTxtSplit.exe";
  ::ShellExecuteW(m_hWnd, L"open", path.c_str(), L"", L"", SW_SHOW);
}

void CSplitterDlg::FocusSource() {
  m_editSource.SetFocus();
  m_editSource.SetSel(0, -1);
  m_editSource.ScrollCaret();
}
