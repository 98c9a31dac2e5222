# A spare drive letter over an empty scratch folder of the build, for tests that write into a drive's root.
# Sourced by scripts/test with WINEPREFIX set; exports KT_SPARE_DRIVE (such as "K:").
kt_drive_dir="$KT_BUILD_DIR/mnt/drive"
rm -rf "$kt_drive_dir"
mkdir -p "$kt_drive_dir"
unset KT_SPARE_DRIVE
for kt_letter in k l m n o p q r s t u v w x y; do
  kt_link="$WINEPREFIX/dosdevices/$kt_letter:"
  if [ -L "$kt_link" ] && [ "$(readlink "$kt_link")" = "$kt_drive_dir" ]; then
    export KT_SPARE_DRIVE="${kt_letter^^}:"
    break
  fi
  if [ ! -e "$kt_link" ] && [ ! -L "$kt_link" ] && ln -s "$kt_drive_dir" "$kt_link"; then
    export KT_SPARE_DRIVE="${kt_letter^^}:"
    break
  fi
done
unset kt_letter kt_link
