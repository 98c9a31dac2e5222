#pragma once
// Drives the modal windows that a call on this thread opens and runs in its own loop (DoModal, the folder
// browser). A thread timer, dispatched by that loop, looks for a visible, enabled top-level window of this
// thread that `match` accepts and hands each new one to `act` once; `act` reads it and ends it by a message.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

class ModalDriver {
public:
  using Match = std::function<bool(HWND)>;
  using Act = std::function<void(HWND)>;

  ModalDriver(Match match, Act act) : match_(std::move(match)), act_(std::move(act)) {
    prev_ = current();
    current() = this;
    timer_ = SetTimer(nullptr, 0, 20, Tick);
  }
  ~ModalDriver() {
    KillTimer(nullptr, timer_);
    current() = prev_;
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // The windows handed to act, in order.
  std::vector<HWND> seen;

  // A dialog (#32770) with the given caption.
  static Match DialogCaptioned(std::wstring caption) {
    return [caption](HWND h) {
      wchar_t cls[16] = {}, text[256] = {};
      GetClassNameW(h, cls, 16);
      GetWindowTextW(h, text, 256);
      return lstrcmpW(cls, L"#32770") == 0 && caption == text;
    };
  }

private:
  static ModalDriver*& current() {
    static thread_local ModalDriver* driver = nullptr;
    return driver;
  }
  static BOOL CALLBACK Visit(HWND h, LPARAM lp) {
    auto* self = reinterpret_cast<ModalDriver*>(lp);
    if (!IsWindowVisible(h) || !IsWindowEnabled(h) || GetPropW(h, L"kt.test.driven")) return TRUE;
    if (!self->match_(h)) return TRUE;
    SetPropW(h, L"kt.test.driven", reinterpret_cast<HANDLE>(1));
    self->found_ = h;
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* self = current();
    if (!self || self->busy_) return;
    self->found_ = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(self));
    if (!self->found_) return;
    self->busy_ = true;  // act may run a nested loop of its own
    self->seen.push_back(self->found_);
    self->act_(self->found_);
    self->busy_ = false;
  }

  Match match_;
  Act act_;
  ModalDriver* prev_ = nullptr;
  UINT_PTR timer_ = 0;
  HWND found_ = nullptr;
  bool busy_ = false;
};

// Puts this thread on a desktop of its own, before it makes any window. Activation and focus are per desktop,
// so test programs running side by side cannot take them from each other.
inline bool UseOwnDesktop() {
  std::wstring name = L"kt-test-" + std::to_wstring(GetCurrentProcessId());
  HDESK desk = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  return desk && SetThreadDesktop(desk);
}
