#pragma once
// The least of a forms layer that KTTxtSplit needs: a form with a frame, labels that fit their text, text
// boxes, buttons, a check box, a menu bar and the Open dialog. Places and sizes are in twips (1440 to the
// inch); a control inside a frame is placed relative to the frame. The tab order is the tab index, kept as
// the windows' z-order so that the dialog keys follow it.
//
// Properties live in the objects and reach the window once it exists, so a form's load event may set them
// before (or without) a window being made.
#include <windows.h>
#include <vector>
#include "afx.h"
#include "handle.h"

namespace kt::forms {

// Twips to pixels at the screen's resolution (15 twips to a pixel at 96 dpi).
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);

struct Twips {
  int left, top, width, height;
};

class Form;

// The program as a whole: the previous-instance test and the end of the program.
class App {
public:
  // Run once at start-up, before any form loads: takes the program's named kernel object and notes whether
  // another instance holds it already.
  static void StartUp(const wchar_t* instanceName);
  static bool PrevInstance() { return s_prevInstance; }
  // Ends the program at once: every form's window goes without its unload event, and the message loop
  // stops. Later loads make no window.
  static void End();
  static bool Ending() { return s_ending; }
  // The message loop, with the dialog keys (Tab, arrows, Space) in every form. Returns when the program
  // ends or its last form has closed.
  static int Run();

  // For tests, which load and end forms many times in one process.
  static void SetPrevInstanceForTest(bool prev) { s_prevInstance = prev; }
  static void ResetForTest() { s_ending = false; }

private:
  friend class Form;
  static bool s_prevInstance;
  static bool s_ending;
  static bool s_running;
  static std::vector<Form*> s_forms;
};

class Control {
public:
  enum class Kind { Frame, Label, TextBox, CommandButton, CheckBox };

  Control(Form& form, Kind kind, const wchar_t* name, Twips place, const wchar_t* caption, int tabIndex,
          Control* container);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const wchar_t* Name() const { return m_name; }
  Kind GetKind() const { return m_kind; }
  int TabIndex() const { return m_tabIndex; }
  Control* Container() const { return m_container; }
  HWND hWnd() const { return m_hWnd; }
  int Id() const { return m_id; }
  Twips Place() const { return m_place; }

  // Caption of a frame, label, button or check box; text of a text box.
  CString Caption() const;
  void SetCaption(const CString& text);
  CString Text() const { return Caption(); }
  void SetText(const CString& text) { SetCaption(text); }
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // Check boxes: 0 unchecked, 1 checked.
  int Value() const;
  void SetValue(int value);
  // Whether the control can take the focus now (a frame or label never can).
  bool CanFocus() const;

protected:
  friend class Form;
  void Create(HWND parent, HFONT font, HWND insertAfter);
  void Destroyed() { m_hWnd = nullptr; }
  // Labels that fit their text take the size of their caption.
  void Fit();

  Form& m_form;
  Kind m_kind;
  const wchar_t* m_name;
  Twips m_place;
  CString m_caption;
  int m_tabIndex;
  Control* m_container;
  int m_id = 0;
  HWND m_hWnd = nullptr;
  bool m_enabled = true;
  int m_value = 0;

public:
  bool AutoSize = false;  // labels: fit the caption
  bool Locked = false;    // text boxes: read-only
};

// The kinds of control, each a Control made with its kind.
template <Control::Kind K>
struct ControlOf : Control {
  ControlOf(Form& f, const wchar_t* name, Twips p, const wchar_t* caption, int tab, Control* in = nullptr)
      : Control(f, K, name, p, caption, tab, in) {}
};
using Frame = ControlOf<Control::Kind::Frame>;
using Label = ControlOf<Control::Kind::Label>;
using TextBox = ControlOf<Control::Kind::TextBox>;
using CommandButton = ControlOf<Control::Kind::CommandButton>;
using CheckBox = ControlOf<Control::Kind::CheckBox>;

// A menu of the form's menu bar. Items without a parent sit on the bar; an item with children opens them as
// its submenu; the caption "-" makes a separator line.
class MenuItem {
public:
  MenuItem(Form& form, const wchar_t* name, const wchar_t* caption, MenuItem* parent = nullptr);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;
  const wchar_t* Name() const { return m_name; }
  const CString& Caption() const { return m_caption; }
  MenuItem* Parent() const { return m_parent; }
  UINT Id() const { return m_id; }
  bool IsSeparator() const { return m_caption == L"-"; }

private:
  friend class Form;
  const wchar_t* m_name;
  CString m_caption;
  MenuItem* m_parent;
  UINT m_id = 0;
};

// The system's Open dialog, shown on demand.
class CommonDialog {
public:
  bool CancelError = false;
  CString DefaultExt;   // without the dot
  CString DialogTitle;
  CString Filter;       // "description|pattern|..."
  CString FileName;     // the chosen full path; also the name offered when the dialog opens
  DWORD Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

  // Shows the dialog owned by the form. Returns false on Cancel or failure; FileName then keeps its value.
  bool ShowOpen(Form& owner);

  // Tests answer the dialog instead of the user: the function sees the settings and sets FileName.
  using ShowFn = bool (*)(CommonDialog& dialog, Form& owner);
  static ShowFn s_showOpen;
};

class Form : public CWnd {
public:
  static constexpr const wchar_t* kClassName = L"KTForm";

  // Client area in twips; icon by resource id (0: none).
  Form(const wchar_t* name, const wchar_t* caption, int clientWidth, int clientHeight, UINT iconId);
  ~Form() override;

  // Runs the load event and then makes the window and its controls, hidden, unless the program is ending.
  void Load();
  // Loads when needed, shows the window and gives the focus to the first control in tab order that can
  // take it.
  void Show();

  const wchar_t* Name() const { return m_name; }
  const std::vector<Control*>& Controls() const { return m_controls; }
  const std::vector<MenuItem*>& Menus() const { return m_menus; }
  HFONT Font() const { return m_font.get(); }

protected:
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  virtual void Click(Control& control) {}
  virtual void MenuClick(MenuItem& item) {}

private:
  friend class Control;
  friend class MenuItem;
  friend class App;
  static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Create();
  HMENU BuildMenu(MenuItem* parent, bool bar);
  void CloseWithoutUnload();
  void OnCommand(WPARAM wp, LPARAM lp);

  const wchar_t* m_name;
  CString m_caption;
  int m_clientWidth, m_clientHeight;
  UINT m_iconId;
  bool m_loaded = false;
  std::vector<Control*> m_controls;
  std::vector<MenuItem*> m_menus;
  kt::unique_font m_font;
  HICON m_iconBig = nullptr;
  HICON m_iconSmall = nullptr;
  HWND m_lastFocus = nullptr;
};

}  // namespace kt::forms
