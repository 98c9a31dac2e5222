// KTTxtSplit starts with its window: the window's load event runs the start notice (or ends a second
// instance), then the window shows and the program runs until it closes.
#include <memory>
#include "afx.h"
#include "frmTxtSplit.h"

namespace {

class CTxtSplitApp : public CWinApp {
public:
  CTxtSplitApp() : CWinApp(L"KTTxtSplit") {}

  BOOL InitInstance() override {
    kt::forms::App::StartUp(L"KTTxtSplit.SingleInstance");
    m_form = std::make_unique<frmTxtSplit>();
    m_pMainWnd = m_form.get();
    m_form->Show();
    return m_form->m_hWnd != nullptr;
  }

  int Run() override {
    kt::forms::App::Run();
    return ExitInstance();
  }

  int ExitInstance() override {
    m_pMainWnd = nullptr;
    m_form.reset();
    return 0;
  }

private:
  std::unique_ptr<frmTxtSplit> m_form;
};

CTxtSplitApp theApp;

}  // namespace
