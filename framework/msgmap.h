#pragma once
// A message map is a static table of rows {message, control id, notification, member handler}. The lookup is a
// plain function, so the routing of a dialog can be checked without a window.
#include <windows.h>
#include <cstddef>
#include <variant>

class CDC;

namespace kt {

template <class T>
struct MapEntry {
  using Command = void (T::*)();                        // WM_COMMAND rows, WM_PAINT
  using SysCommand = void (T::*)(UINT id, LPARAM lp);   // WM_SYSCOMMAND
  using QueryIcon = HCURSOR (T::*)();                   // WM_QUERYDRAGICON
  using Handler = std::variant<Command, SysCommand, QueryIcon>;

  UINT message;
  UINT id;    // control id of WM_COMMAND rows, else 0
  UINT code;  // notification code of WM_COMMAND rows, else 0
  Handler handler;
};

// The row for a message, or nullptr. WM_COMMAND rows match on control id and notification code.
template <class T, size_t N>
const MapEntry<T>* FindMapEntry(const MapEntry<T> (&map)[N], UINT message, WPARAM wp) {
  UINT id = message == WM_COMMAND ? LOWORD(wp) : 0;
  UINT code = message == WM_COMMAND ? HIWORD(wp) : 0;
  for (const auto& e : map)
    if (e.message == message && e.id == id && e.code == code) return &e;
  return nullptr;
}

// Calls the handler of the matching row. Returns true when a row matched; *result gets the handler's value.
template <class T, size_t N>
bool DispatchMap(T* self, const MapEntry<T> (&map)[N], UINT message, WPARAM wp, LPARAM lp, LRESULT* result) {
  const MapEntry<T>* e = FindMapEntry(map, message, wp);
  if (!e) return false;
  *result = 0;
  if (auto* cmd = std::get_if<typename MapEntry<T>::Command>(&e->handler)) {
    (self->**cmd)();
  } else if (auto* sys = std::get_if<typename MapEntry<T>::SysCommand>(&e->handler)) {
    (self->**sys)(static_cast<UINT>(wp), lp);
  } else if (auto* icon = std::get_if<typename MapEntry<T>::QueryIcon>(&e->handler)) {
    *result = reinterpret_cast<LRESULT>((self->**icon)());
  }
  return true;
}

}  // namespace kt
