#include "Forms.h"
#include <algorithm>

namespace kt::forms {

namespace {

int ScreenDpi(int axis) {
  HDC screen = ::GetDC(nullptr);
  int dpi = screen ? ::GetDeviceCaps(screen, axis) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which the dialog keys send
constexpr UINT kFirstMenuId = 200;

const wchar_t* WindowClassOf(Control::Kind kind) {
  switch (kind) {
    case Control::Kind::Label: return L"Static";
    case Control::Kind::TextBox: return L"Edit";
    default: return L"Button";
  }
}

}  // namespace

int TwipsToPixelsX(int twips) { return ::MulDiv(twips, ScreenDpi(LOGPIXELSX), 1440); }
int TwipsToPixelsY(int twips) { return ::MulDiv(twips, ScreenDpi(LOGPIXELSY), 1440); }

// ---- App

bool App::s_prevInstance = false;
bool App::s_ending = false;
bool App::s_running = false;
std::vector<Form*> App::s_forms;

void App::StartUp(const wchar_t* instanceName) {
  // Held until the process ends; the system closes it then.
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, instanceName);
  DWORD error = ::GetLastError();
  s_prevInstance = error == ERROR_ALREADY_EXISTS || (!mutex && error == ERROR_ACCESS_DENIED);
}

void App::End() {
  s_ending = true;
  for (Form* f : std::vector<Form*>(s_forms)) f->CloseWithoutUnload();
  if (s_running) ::PostQuitMessage(0);
}

int App::Run() {
  s_running = true;
  MSG msg;
  while (!s_ending && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    wchar_t cls[16] = {};
    if (root && ::GetClassNameW(root, cls, 16) && lstrcmpW(cls, Form::kClassName) == 0 &&
        ::IsDialogMessageW(root, &msg))
      continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  s_running = false;
  return 0;
}

// ---- Control

Control::Control(Form& form, Kind kind, const wchar_t* name, Twips place, const wchar_t* caption, int tabIndex,
                 Control* container)
    : m_form(form), m_kind(kind), m_name(name), m_place(place), m_caption(caption ? caption : L""),
      m_tabIndex(tabIndex), m_container(container) {
  m_id = kFirstControlId + static_cast<int>(form.m_controls.size());
  form.m_controls.push_back(this);
}

CString Control::Caption() const { return m_hWnd ? kt::WindowText(m_hWnd) : m_caption; }

void Control::SetCaption(const CString& text) {
  m_caption = text;
  if (m_hWnd) {
    ::SetWindowTextW(m_hWnd, text.c_str());
    Fit();
  }
}

bool Control::Enabled() const { return m_hWnd ? ::IsWindowEnabled(m_hWnd) != FALSE : m_enabled; }

void Control::SetEnabled(bool enabled) {
  m_enabled = enabled;
  if (m_hWnd) ::EnableWindow(m_hWnd, enabled);
}

int Control::Value() const {
  if (m_hWnd && m_kind == Kind::CheckBox)
    return ::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  return m_value;
}

void Control::SetValue(int value) {
  m_value = value;
  if (m_hWnd && m_kind == Kind::CheckBox) ::SendMessageW(m_hWnd, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Control::CanFocus() const {
  if (m_kind == Kind::Frame || m_kind == Kind::Label) return false;
  return m_hWnd && ::IsWindowVisible(m_hWnd) && ::IsWindowEnabled(m_hWnd);
}

void Control::Create(HWND parent, HFONT font, HWND insertAfter) {
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD exStyle = 0;
  switch (m_kind) {
    case Kind::Frame: style |= BS_GROUPBOX; break;
    case Kind::Label: style |= SS_LEFT | SS_NOPREFIX; break;  // a path with "&" shows as it is
    case Kind::TextBox:
      style |= WS_TABSTOP | ES_AUTOHSCROLL | (Locked ? ES_READONLY : 0);
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case Kind::CommandButton: style |= WS_TABSTOP | BS_PUSHBUTTON; break;
    case Kind::CheckBox: style |= WS_TABSTOP | BS_AUTOCHECKBOX; break;
  }
  if (!m_enabled) style |= WS_DISABLED;
  int x = TwipsToPixelsX(m_place.left), y = TwipsToPixelsY(m_place.top);
  for (Control* c = m_container; c; c = c->m_container) {
    x += TwipsToPixelsX(c->m_place.left);
    y += TwipsToPixelsY(c->m_place.top);
  }
  m_hWnd = ::CreateWindowExW(exStyle, WindowClassOf(m_kind), m_caption.c_str(), style, x, y,
                             TwipsToPixelsX(m_place.width), TwipsToPixelsY(m_place.height), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id)), AfxGetInstanceHandle(), nullptr);
  if (!m_hWnd) return;
  ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The dialog keys walk the z-order, so the z-order follows the tab index.
  ::SetWindowPos(m_hWnd, insertAfter ? insertAfter : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (m_kind == Kind::CheckBox) SetValue(m_value);
  Fit();
}

void Control::Fit() {
  if (!AutoSize || !m_hWnd) return;
  HDC dc = ::GetDC(m_hWnd);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
  RECT r{0, 0, 0, 0};
  CString text = kt::WindowText(m_hWnd);
  ::DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  if (text.empty()) r.right = 0;
  ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, r.right, r.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// ---- MenuItem

MenuItem::MenuItem(Form& form, const wchar_t* name, const wchar_t* caption, MenuItem* parent)
    : m_name(name), m_caption(caption), m_parent(parent) {
  m_id = kFirstMenuId + static_cast<UINT>(form.m_menus.size());
  form.m_menus.push_back(this);
}

// ---- CommonDialog

namespace {
bool ShowWithSystemDialog(CommonDialog& d, Form& owner) {
  CString filter = d.Filter;
  CFileDialog dialog(TRUE, d.DefaultExt.empty() ? nullptr : d.DefaultExt.c_str(),
                     d.FileName.empty() ? nullptr : d.FileName.c_str(), d.Flags,
                     filter.empty() ? nullptr : filter.c_str(), &owner);
  dialog.m_ofn.lpstrTitle = d.DialogTitle.empty() ? nullptr : d.DialogTitle.c_str();
  if (dialog.DoModal() != IDOK) return false;
  d.FileName = dialog.GetPathName();
  return true;
}
}  // namespace

CommonDialog::ShowFn CommonDialog::s_showOpen = ShowWithSystemDialog;

bool CommonDialog::ShowOpen(Form& owner) { return s_showOpen(*this, owner); }

// ---- Form

Form::Form(const wchar_t* name, const wchar_t* caption, int clientWidth, int clientHeight, UINT iconId)
    : m_name(name), m_caption(caption), m_clientWidth(clientWidth), m_clientHeight(clientHeight),
      m_iconId(iconId) {
  App::s_forms.push_back(this);
}

Form::~Form() {
  CloseWithoutUnload();
  App::s_forms.erase(std::remove(App::s_forms.begin(), App::s_forms.end(), this), App::s_forms.end());
  if (m_iconBig) ::DestroyIcon(m_iconBig);
  if (m_iconSmall) ::DestroyIcon(m_iconSmall);
}

void Form::Load() {
  if (m_loaded || App::Ending()) return;
  m_loaded = true;
  Form_Load();
  if (App::Ending()) return;
  Create();
}

void Form::Show() {
  Load();
  if (!m_hWnd) return;
  ::ShowWindow(m_hWnd, SW_SHOW);
  ::SetForegroundWindow(m_hWnd);
  std::vector<Control*> order(m_controls);
  std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
  for (Control* c : order)
    if (c->CanFocus()) {
      ::SetFocus(c->hWnd());
      m_lastFocus = c->hWnd();
      break;
    }
  ::UpdateWindow(m_hWnd);
}

void Form::CloseWithoutUnload() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  m_loaded = false;
}

HMENU Form::BuildMenu(MenuItem* parent, bool bar) {
  HMENU menu = bar ? ::CreateMenu() : ::CreatePopupMenu();
  for (MenuItem* item : m_menus) {
    if (item->m_parent != parent) continue;
    bool hasChildren = std::any_of(m_menus.begin(), m_menus.end(), [&](MenuItem* m) { return m->m_parent == item; });
    if (item->IsSeparator())
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    else if (hasChildren)
      ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(BuildMenu(item, false)), item->m_caption.c_str());
    else
      ::AppendMenuW(menu, MF_STRING, item->m_id, item->m_caption.c_str());
  }
  return menu;
}

void Form::Create() {
  HINSTANCE instance = AfxGetInstanceHandle();
  if (m_iconId) {
    m_iconBig = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(m_iconId), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
    m_iconSmall = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(m_iconId), IMAGE_ICON,
                                                  ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  }
  WNDCLASSEXW wc{sizeof(wc)};
  if (!::GetClassInfoExW(instance, kClassName, &wc)) {
    wc = WNDCLASSEXW{sizeof(wc)};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);
  }

  // The forms' default font: 9 point 宋体, the dialog font of the Chinese system.
  HDC screen = ::GetDC(nullptr);
  int dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  m_font.reset(::CreateFontW(-::MulDiv(9, dpiY > 0 ? dpiY : 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"宋体"));

  // Fixed single border, close box only.
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_BORDER;
  const DWORD exStyle = 0;
  HMENU menu = m_menus.empty() ? nullptr : BuildMenu(nullptr, true);
  RECT r{0, 0, TwipsToPixelsX(m_clientWidth), TwipsToPixelsY(m_clientHeight)};
  ::AdjustWindowRectEx(&r, style, menu != nullptr, exStyle);
  int w = r.right - r.left, h = r.bottom - r.top;
  MONITORINFO mi{sizeof(mi)};
  ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
  RECT screenRect = mi.rcMonitor;
  int x = (screenRect.left + screenRect.right - w) / 2, y = (screenRect.top + screenRect.bottom - h) / 2;

  ::CreateWindowExW(exStyle, kClassName, m_caption.c_str(), style, x, y, w, h, nullptr, menu, instance, this);
  if (!m_hWnd) return;
  if (m_iconBig) ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_iconBig));
  if (m_iconSmall) ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_iconSmall));

  // A menu bar that wraps onto a second line takes client height: grow the window by what is missing,
  // keeping it centred.
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  int dw = TwipsToPixelsX(m_clientWidth) - client.right, dh = TwipsToPixelsY(m_clientHeight) - client.bottom;
  if (dw || dh)
    ::SetWindowPos(m_hWnd, nullptr, x - dw / 2, y - dh / 2, w + dw, h + dh, SWP_NOZORDER | SWP_NOACTIVATE);

  std::vector<Control*> order(m_controls);
  std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
  HWND previous = nullptr;
  for (Control* c : order) {
    c->Create(m_hWnd, m_font.get(), previous);
    if (c->m_hWnd) previous = c->m_hWnd;
  }
}

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Form* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->m_hWnd = hwnd;
  } else {
    self = reinterpret_cast<Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->m_hWnd = nullptr;
    self->m_lastFocus = nullptr;
    self->m_loaded = false;
    for (Control* c : self->m_controls) c->Destroyed();
    // The program ends with its last form.
    if (App::s_running &&
        std::none_of(App::s_forms.begin(), App::s_forms.end(), [](Form* f) { return f->m_hWnd != nullptr; }))
      ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  return kt::ExceptionWall([&] { return self->HandleMessage(msg, wp, lp); }, static_cast<LRESULT>(0));
}

void Form::OnCommand(WPARAM wp, LPARAM lp) {
  UINT id = LOWORD(wp);
  if (lp == 0 && HIWORD(wp) == 0) {  // a menu command
    for (MenuItem* m : m_menus)
      if (m->m_id == id && !m->IsSeparator()) MenuClick(*m);
    return;
  }
  if (HIWORD(wp) != BN_CLICKED) return;
  for (Control* c : m_controls)
    if (c->m_id == static_cast<int>(id) && c->m_hWnd == reinterpret_cast<HWND>(lp) &&
        (c->m_kind == Control::Kind::CommandButton || c->m_kind == Control::Kind::CheckBox)) {
      Click(*c);
      return;
    }
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(wp, lp);
      return 0;
    case WM_CLOSE:
      Form_Unload();
      if (m_hWnd) ::DestroyWindow(m_hWnd);
      return 0;
    case WM_ACTIVATE:
      // Like a dialog: the focus leaves with the window and comes back to the same control.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(m_hWnd, focus)) m_lastFocus = focus;
        return 0;
      }
      if (m_lastFocus && ::IsWindow(m_lastFocus)) {
        ::SetFocus(m_lastFocus);
        return 0;
      }
      return ::DefWindowProcW(m_hWnd, msg, wp, lp);
    case WM_SETFOCUS:
      if (m_lastFocus && ::IsWindow(m_lastFocus)) ::SetFocus(m_lastFocus);
      return 0;
    default:
      return ::DefWindowProcW(m_hWnd, msg, wp, lp);
  }
}

}  // namespace kt::forms
