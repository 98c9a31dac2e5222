#pragma once
// Watches the message boxes of this thread: records caption, text and style of each one and answers it.
#include <windows.h>
#include <string>
#include <vector>

struct RecordedBox {
  std::wstring caption;
  std::wstring text;
  UINT style = 0;  // icon and buttons, as read from the box
};

class BoxRecorder {
public:
  explicit BoxRecorder(int answer = IDOK);
  ~BoxRecorder();
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;

  std::vector<RecordedBox> boxes;
  // Called while the box is up, before it is answered (focus and fields of the owner can be read here).
  void (*onBox)(HWND box) = nullptr;

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp);
  HHOOK hook_;
  int answer_;
};
