# Registers the tests' stand-in for the notification component "KTMWNotify.CNotify" in the test prefix.
# Machine-wide, because Wine 8 does not find classes registered only for the user. Sourced by scripts/test.
kt_notify_dll="$KT_BUILD_DIR/tests/notify/ktnotify.dll"
kt_notify_clsid='{0D43FE6F-16D5-48A3-8C4F-0FA19A51F785}'
if [ -f "$kt_notify_dll" ]; then
  kt_notify_path=$(winepath -w "$kt_notify_dll" 2>/dev/null | sed 's/\\/\\\\/g' || true)
  kt_reg_import "Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\Software\\Classes\\KTMWNotify.CNotify]
@=\"KTMWNotify.CNotify\"

[HKEY_LOCAL_MACHINE\\Software\\Classes\\KTMWNotify.CNotify\\CLSID]
@=\"$kt_notify_clsid\"

[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\$kt_notify_clsid]
@=\"KTMWNotify.CNotify\"

[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\$kt_notify_clsid\\ProgID]
@=\"KTMWNotify.CNotify\"

[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\$kt_notify_clsid\\InprocServer32]
@=\"$kt_notify_path\"
\"ThreadingModel\"=\"Apartment\"
"
  wineserver -w  # written out before the tests start their own server
fi
unset kt_notify_dll kt_notify_clsid kt_notify_path
