// Times one command of the programs inside this process, so Wine's own start-up is left out.
// Usage:
//   KTBench engine-split <source> <target folder> <piece size MB>
//   KTBench engine-merge <first piece> <target folder>
//   KTBench dialog-split <source> <target folder> <piece size MB>   (the real dialog, shown)
//   KTBench dialog-merge <first piece> <target folder>
//   KTBench text-split <source .txt> <unit KB>
//   KTBench idle                  (Wine's own memory, for comparison)
//   KTBench dialog-idle           (the same with the dialog shown)
// Prints "seconds <s> peak_kib <k> result <r>"; result is the command's return or the last box's text.
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <string>
#include "BoxRecorder.h"
#include "Fixtures.h"
#include "TextSplitHost.h"
#include "resource.h"

CWinApp g_benchApp(L"KTSplit");

namespace {

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

size_t PeakKiB() {
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  return pmc.PeakWorkingSetSize / 1024;
}

// When the command's closing box came up: the time after it is the box's, not the command's.
double g_boxAt = 0;
void NoteBox(HWND) { g_boxAt = Now(); }

// Lets the window system catch up, so the timed part starts from a painted dialog.
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Like the dialog, minus the window: a box only records its text, progress goes nowhere.
class BenchHost : public CCommandHost {
public:
  std::wstring last;
  void ExchangeData(BOOL) override {}
  int ShowDialogBox(const CString& text, const CString&, UINT) override { last = text; return IDOK; }
  int ShowAppBox(const CString& text, UINT) override { last = text; return IDOK; }
  void Repaint() override {}
  void ProgressRange(int, int) override {}
  void ProgressPos(int) override {}
  void FocusSource() override {}
};

class BenchTextHost : public kt::TextSplitHost {
public:
  BenchTextHost(std::wstring source, std::wstring unit) : source_(std::move(source)), unit_(std::move(unit)) {}
  std::wstring SourcePath() override { return source_; }
  std::wstring UnitText() override { return unit_; }
  std::wstring FolderPath() override { return source_.substr(0, source_.size() - 4); }
  bool ConfirmHeads() override { return false; }
  void ShowPartCount(const std::wstring& count) override { this->count = count; }
  int Box(const std::wstring& text, const std::wstring&, UINT) override {
    last = text;
    return IDOK;
  }
  void OpenFolder(const std::wstring&) override {}
  std::wstring count, last;

private:
  std::wstring source_, unit_;
};

std::string Narrow(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
  return s;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring mode = argv[1];
  auto arg = [&](int i) { return i < argc ? std::wstring(argv[i]) : std::wstring(); };
  std::wstring result;
  double seconds = 0;

  if (mode == L"engine-split" || mode == L"engine-merge") {
    BenchHost host;
    host.m_strSourcePath = arg(2);
    host.m_strTargetFolder = arg(3);
    host.m_strPieceSize = arg(4);
    double start = Now();
    int rc = 1;
    try {  // the dialog's exception wall would show a file error; here it is the result
      rc = mode == L"engine-split" ? kt::DoSplit(host) : kt::DoMerge(host);
    } catch (CFileException& e) {
      host.last = e.GetErrorMessage();
    }
    seconds = Now() - start;
    result = std::to_wstring(rc) + (host.last.empty() ? L"" : L" " + host.last);
  } else if (mode == L"dialog-split" || mode == L"dialog-merge") {
    LiveDialog live;
    ShowWindow(live.hwnd(), SW_SHOW);
    if (mode == L"dialog-merge") live.click(IDC_MODE_MERGE);
    live.setText(IDC_SOURCE_PATH, arg(2));
    live.setText(IDC_TARGET_FOLDER, arg(3));
    if (mode == L"dialog-split") live.setText(IDC_PIECE_SIZE, arg(4));
    UpdateWindow(live.hwnd());
    Pump();
    BoxRecorder boxes;
    boxes.onBox = NoteBox;
    double start = Now();
    live.click(mode == L"dialog-split" ? IDOK : IDC_MERGE);
    double end = Now();
    seconds = (g_boxAt > 0 ? g_boxAt : end) - start;
    std::fprintf(stderr, "box until return %.3f s\n", g_boxAt > 0 ? end - g_boxAt : 0.0);
    result = boxes.boxes.empty() ? L"(no box)" : boxes.boxes.back().text;
  } else if (mode == L"text-split") {
    BenchTextHost host(arg(2), arg(3));
    double start = Now();
    kt::TextSplit(host);
    seconds = Now() - start;
    result = host.last + L" " + host.count;
  } else if (mode == L"dialog-idle") {
    LiveDialog live;
    ShowWindow(live.hwnd(), SW_SHOW);
    UpdateWindow(live.hwnd());
    Pump();
  } else if (mode != L"idle") {
    return 2;
  }
  std::printf("seconds %.3f peak_kib %zu result %s\n", seconds, PeakKiB(), Narrow(result).c_str());
  return 0;
}
