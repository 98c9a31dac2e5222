#pragma once
// Small helpers for tests on real files and the real dialog.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>
#include "CommandHost.h"
#include "SplitterDlg.h"

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempDir {
public:
  TempDir();
  ~TempDir();
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
  std::wstring path_;
};

// Bytes that differ from position to position, so a shifted or repeated stretch shows.
std::vector<unsigned char> Pattern(uint64_t length, uint32_t seed = 1);
void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
int64_t FileLength(const std::wstring& path);  // -1 when missing
// The environment variable as a Windows path, or empty.
std::wstring EnvPath(const wchar_t* name);

// A host without a window: records what the command does.
class FakeHost : public CCommandHost {
public:
  struct Call { std::string what; int a = 0, b = 0; };
  std::vector<Call> progress;
  std::vector<std::wstring> boxes;
  int exchanges = 0, repaints = 0;
  void ExchangeData(BOOL) override { ++exchanges; }
  int ShowDialogBox(const CString& text, const CString&, UINT) override { boxes.push_back(text); return IDOK; }
  int ShowAppBox(const CString& text, UINT) override { boxes.push_back(text); return IDOK; }
  void Repaint() override { ++repaints; }
  void ProgressRange(int lower, int upper) override { progress.push_back({"range", lower, upper}); }
  void ProgressPos(int pos) override { progress.push_back({"pos", pos, 0}); }
  void FocusSource() override {}
};

// The main dialog, created in this process and driven by messages.
class LiveDialog {
public:
  LiveDialog();
  ~LiveDialog();
  CSplitterDlg dlg;
  HWND hwnd() const { return dlg.m_hWnd; }
  HWND item(int id) const { return GetDlgItem(dlg.m_hWnd, id); }
  std::wstring text(int id) const;
  void setText(int id, const std::wstring& text) const { SetDlgItemTextW(dlg.m_hWnd, id, text.c_str()); }
  void click(int id) const;
};
