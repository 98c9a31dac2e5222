#pragma once
// Move-only owners of Win32 handles: one template, parameterised by the close function and the empty value.
#include <windows.h>
#include <utility>

namespace kt {

template <class H, class Traits>
class unique_handle {
public:
  unique_handle() noexcept = default;
  explicit unique_handle(H h) noexcept : h_(h) {}
  ~unique_handle() { reset(); }
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  unique_handle(unique_handle&& o) noexcept : h_(o.release()) {}
  unique_handle& operator=(unique_handle&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  H get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Traits::empty(); }
  H release() noexcept { return std::exchange(h_, Traits::empty()); }
  void reset(H h = Traits::empty()) noexcept {
    H old = std::exchange(h_, h);
    if (old != Traits::empty()) Traits::close(old);
  }

private:
  H h_ = Traits::empty();
};

struct file_traits {
  static HANDLE empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct kernel_traits {
  static HANDLE empty() noexcept { return nullptr; }
  static void close(HANDLE h) noexcept { ::CloseHandle(h); }
};
template <class G>
struct gdi_traits {
  static G empty() noexcept { return nullptr; }
  static void close(G h) noexcept { ::DeleteObject(h); }
};
struct mem_dc_traits {
  static HDC empty() noexcept { return nullptr; }
  static void close(HDC h) noexcept { ::DeleteDC(h); }
};

using unique_file = unique_handle<HANDLE, file_traits>;
using unique_kernel = unique_handle<HANDLE, kernel_traits>;
using unique_bitmap = unique_handle<HBITMAP, gdi_traits<HBITMAP>>;
using unique_brush = unique_handle<HBRUSH, gdi_traits<HBRUSH>>;
using unique_font = unique_handle<HFONT, gdi_traits<HFONT>>;
using unique_mem_dc = unique_handle<HDC, mem_dc_traits>;

}  // namespace kt
