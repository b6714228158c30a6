#!/usr/bin/env bash
# Checks that the Windows programs start on Windows XP SP3: the PE header
# asks for no newer Windows than XP (5.01, or 5.02 for XP x64), and every
# function imported is on a list that someone has checked against XP.
# A new import fails here until it has been checked and its line added to
# tests/windows/imports/PROGRAM-winNN.txt (sorted, as pe_imports.sh
# prints it).  Functions that came with Vista never pass, list or not.
#
# RINGCHECK_BINARY names ringcheck.exe; every pinned program beside it is
# checked.  Exits with 77 (skipped) when there is no Windows build.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${RINGCHECK_BINARY:-}
if [[ $program != *.exe || ! -f $program ]]; then
  echo "no Windows build (RINGCHECK_BINARY=$program): skipped"
  exit 77
fi
build=$(dirname "$program")
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v i686-w64-mingw32-objdump) ||
  { echo "no MinGW-w64 objdump: skipped"; exit 77; }

# Vista and later: fibre-local storage, the 64-bit tick count, slim
# reader/writer locks, condition variables, one-time initialisation, the
# C runtime's checked (_s) functions and 64-bit stream positions.
never='!(Fls[A-Za-z]*|GetTickCount64|[A-Za-z]*SRWLock[A-Za-z]*|[A-Za-z]*ConditionVariable[A-Za-z]*|InitOnce[A-Za-z]*|[A-Za-z_]*[a-z0-9]_s|_fseeki64|_ftelli64)$'

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for pinned in "$here"/imports/*.txt; do
  name=$(basename "$pinned" .txt)    # ringcheck-win32
  bits=${name##*-win}                # 32 or 64
  exe=$build/${name%-win*}.exe
  format=$("$objdump" -f "$exe" 2>/dev/null | sed -n 's/.*file format //p')
  case $format in
    pei-i386) [ "$bits" = 32 ] || continue; most=501 ;;
    pei-x86-64) [ "$bits" = 64 ] || continue; most=502 ;;
    *) fail "$exe: not there or not a Windows program"; continue ;;
  esac
  header=$("$objdump" -p "$exe")
  major=$(sed -n 's/^MajorSubsystemVersion[[:space:]]*//p' <<< "$header")
  minor=$(sed -n 's/^MinorSubsystemVersion[[:space:]]*//p' <<< "$header")
  [ $((major * 100 + minor)) -le $most ] ||
    fail "$(basename "$exe"): subsystem version $major.$minor, Windows XP takes at most ${most:0:1}.${most:1}"
  imports=$("$here/pe_imports.sh" "$exe")
  late=$(grep -E "$never" <<< "$imports")
  [ -z "$late" ] || fail "$(basename "$exe") imports functions that Windows XP lacks:" $late
  if ! diff -u "$pinned" - <<< "$imports" > /tmp/imports.$$; then
    fail "$(basename "$exe") ($bits-bit) imports other functions than $(basename "$pinned") lists;" \
      "check each new one against Windows XP, then update the list:"
    cat /tmp/imports.$$
  fi
  rm -f /tmp/imports.$$
  echo "$(basename "$exe") ($bits-bit): subsystem $major.$minor, $(wc -l <<< "$imports") imports checked"
done
[ "$failures" -eq 0 ]
