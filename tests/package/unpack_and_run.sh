#!/usr/bin/env bash
# unpack_and_run.sh SOURCE_DIR BUILD_DIR WINE E2E_TESTS_EXE
# Makes the release zip from the programs already built, unpacks it into a fresh folder, checks what it
# holds, and runs the end-to-end suite with KT_BIN_DIR on the unpacked folder: KTSplit.exe from there, its
# "TXT文件分割" button starting the KTTxtSplit.exe beside it. Needs the Wine environment of scripts/test.
set -euo pipefail
root=$1 build=$2 wine=$3 e2e=$4

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${WINEPREFIX:-}" ] || fail "WINEPREFIX is not set; run the tests through scripts/test"

work=$(mktemp -d "$build/package-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

KT_BUILD_DIR=$build KT_DIST_DIR=$work/dist KT_PACKAGE_NO_BUILD=1 "$root/scripts/package" >"$work/package.log" 2>&1 \
  || { cat "$work/package.log"; fail "scripts/package failed"; }
zip=$work/dist/KTSplit-1.5.zip
[ -f "$zip" ] || fail "scripts/package wrote no $zip"

# Both programs side by side with the readme, in one folder, and nothing else.
files=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
want=$(printf '%s\n' KTSplit-1.5/KTSplit.exe KTSplit-1.5/KTTxtSplit.exe KTSplit-1.5/readme.txt | sort)
[ "$files" = "$want" ] || fail "the zip holds: $(echo $files)"

mkdir "$work/fresh"
unzip -q "$zip" -d "$work/fresh"
folder=$work/fresh/KTSplit-1.5
for exe in KTSplit.exe KTTxtSplit.exe; do
  [ "$(head -c 2 "$folder/$exe")" = MZ ] || fail "$exe is not a program file"
  sections=$(x86_64-w64-mingw32-objdump -h "$folder/$exe")
  [[ $sections != *.debug* ]] || fail "$exe keeps its debug sections"
  symbols=$(LC_ALL=C x86_64-w64-mingw32-nm "$folder/$exe" 2>&1 || true)  # the English message
  [[ $symbols == *"no symbols"* ]] || fail "$exe keeps its symbols"
done
readme=$folder/readme.txt
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "readme.txt has no byte order mark"
grep -q $'\r$' "$readme" || fail "readme.txt has no Windows line ends"
for word in KTSplit.exe KTTxtSplit.exe 分割 Wine; do
  grep -qF -- "$word" "$readme" || fail "readme.txt does not mention $word"
done

# The programs run from the fresh folder, nothing of the build's bin folder.
# The report is named by its Windows path: the test program takes a Unix one for a relative folder.
KT_BIN_DIR=$folder "$wine" "$e2e" --gtest_output="xml:$(winepath -w "$work/e2e.xml" 2>/dev/null)" </dev/null
fresh=$(winepath -w "$folder/KTTxtSplit.exe" 2>/dev/null)
ran=$(grep -o 'KTTxtSplit[^/]*' "$work/e2e.xml" || true)
[[ ${ran,,} == *"\"${fresh,,}\""* ]] || fail "KTTxtSplit.exe did not run from $fresh: $ran"
