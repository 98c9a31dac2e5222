# Shared by the scripts: where things are, the Wine environment, the build and the Wine prefixes.
# Source it; it defines functions and exports the environment, and does nothing else.

KT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# Absolute, because Wine wants an absolute prefix and the tests run from inside it.
export KT_BUILD_DIR=$(realpath -m "${KT_BUILD_DIR:-$KT_ROOT/build}")

# Wine: quiet, no Mono or Gecko prompts, code page 936 from the Chinese locale (never LC_ALL=C).
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export LANG=zh_CN.UTF-8
unset LC_ALL

kt_build() {
  mkdir -p "$KT_BUILD_DIR"
  local type=${1:-Release}
  cmake -S "$KT_ROOT" -B "$KT_BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$KT_ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE="$type" >"$KT_BUILD_DIR/configure.log" 2>&1 \
    || { cat "$KT_BUILD_DIR/configure.log"; return 1; }
  if ! cmake --build "$KT_BUILD_DIR" -j"$(nproc)" >"$KT_BUILD_DIR/build.log" 2>&1; then
    grep -v '^\[' "$KT_BUILD_DIR/build.log"
    return 1
  fi
}

# Writes a .reg file (UTF-8 text in, UTF-16LE with BOM out) and imports it into the current prefix.
kt_reg_import() {
  local text=$1 file
  file=$(mktemp --suffix=.reg)
  { printf '\xff\xfe'; printf '%s' "$text" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$file"
  wine regedit /S "$(winepath -w "$file" 2>/dev/null)" >/dev/null 2>&1
  rm -f "$file"
}

# Prepares the prefix named by $WINEPREFIX once: boots it, maps the Chinese UI fonts onto an installed
# CJK font, turns the crash dialog off and, for "null", sets the null graphics driver (no display needed).
kt_wine_prefix() {
  local graphics=$1
  export WINEPREFIX
  mkdir -p "$WINEPREFIX"
  [ -f "$WINEPREFIX/.kt-ready" ] && return 0
  echo "preparing Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  local regs='Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"宋体"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"MS Shell Dlg"="WenQuanYi Micro Hei"
"MS Shell Dlg 2"="WenQuanYi Micro Hei"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
'
  if [ "$graphics" = null ]; then
    regs+='
[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="null"
'
  fi
  kt_reg_import "$regs"
  wineserver -w
  touch "$WINEPREFIX/.kt-ready"
}

# Starts Wine's services detached from our output; otherwise they inherit ctest's pipe and ctest waits.
kt_wine_warm() {
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}
