#!/usr/bin/env bash
# The release package as the guide has a sysop use it, under Wine: made by
# packaging/make-win-zip and unpacked into C:\RINGCHECK.  In SAMPLE\ both
# programs run on the sample station as the guide shows; RINGCALL.BAT, with
# no variable set, runs the program on RINGCHECK.CFG and reads the result
# file that configuration writes; and two lines set up as the guide says,
# each with a copy of it, decide each on its own call.
#
#   package_wine.sh          the package as above
#   package_wine.sh guides   the same package, on which every transcript
#                            the guides quote is run and compared with
#                            what the programs print
#                            (tests/guides/quoted_output.py)
#
# RINGCHECK_BINARY names ringcheck.exe in its build directory, with
# findstr.exe beside it (Wine's findstr has no /n); WINEPREFIX the prefix,
# whose C:\RINGCHECK, C:\TORNADO and C:\T-MAIL this test takes for its own.
# Exits with 77 (skipped) when there is no Windows build, no Wine or no
# prefix named.
set -uo pipefail
export LC_ALL=C WINEDEBUG=-all
top=$(cd "$(dirname "$0")/../.." && pwd)

program=${RINGCHECK_BINARY:-}
build=$(dirname "$program")
if [[ $program != *.exe || ! -f $program || ! -f $build/findstr.exe ]]; then
  echo "no Windows build (RINGCHECK_BINARY=$program): skipped"
  exit 77
fi
# The loader of the build's architecture, as run-tests gives it.
wine=${RINGCHECK_RUNNER:-wine}
command -v "$wine" >/dev/null || { echo "$wine is not installed: skipped"; exit 77; }
[ -n "${WINEPREFIX:-}" ] || { echo "no WINEPREFIX to unpack into: skipped"; exit 77; }

# The package of the build's own width: the PE header's machine field.
machine=$(od -An -tx2 -j $(($(od -An -tu4 -j 60 -N 4 "$program") + 4)) -N 2 "$program")
case ${machine// /} in
  014c) arch=win32 ;;
  8664) arch=win64 ;;
  *) echo "FAIL: $program is for machine $machine"; exit 1 ;;
esac

drive=$WINEPREFIX/drive_c
home=$drive/RINGCHECK
work=$(mktemp -d)
rm -rf "$home" "$drive/TORNADO" "$drive/T-MAIL"
trap 'rm -rf "$work" "$home" "$drive/TORNADO" "$drive/T-MAIL" "$drive/FIDO"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

package=$("$top/packaging/make-win-zip" $arch "$build" 2>&1 | tail -n 1)
if [ ! -f "$package" ]; then
  echo "FAIL: packaging/make-win-zip $arch $build made no package: $package"
  exit 1
fi
mkdir -p "$home"
(cd "$home" && cmake -E tar xf "$package")

files=$(cd "$home" && find . -type f | sort)
want=$(printf './%s\n' BADPHONE.LST GOODPHONE.LST NIGHTLY.BAT README.ENG README.RUS RINGCALL.BAT \
  RINGCHECK-EXPLAIN.EXE RINGCHECK.CFG RINGCHECK.EXE SAMPLE/BADPHONE.LST \
  SAMPLE/BBS/USERS.TOR SAMPLE/GOODPHONE.LST SAMPLE/RINGCHECK.CFG SAMPLE/T-MAIL.LOG \
  ringcall.sh)
[ "$files" = "$want" ] || fail "the package holds:"$'\n'"$files"

if [ "${1:-}" = guides ]; then
  [ "$failures" = 0 ] || exit 1
  python3 "$top/tests/guides/quoted_output.py" guides "$home"
  exit
fi

# run DIR COMMAND...: COMMAND in cmd, in DIR under C:\RINGCHECK, with none
# of the scripts' variables set; its exit code in $code, what it printed
# in $out.
run() {
  local dir=$1
  shift
  (cd "$home/$dir" && env -u RINGCHECK -u RINGCHECK_CONFIG -u RESULT_FILE \
    timeout "${RINGCHECK_WINE_TIMEOUT:-60}" "$wine" cmd /c "$@") < /dev/null > "$work/out" 2>&1
  code=$?
  out=$(tr -d '\r' < "$work/out")
}

# expect CASE CODE LINE: the last run ended with CODE and printed LINE;
# else what it printed, and the result files it may have read.
expect() {
  [ "$code" = "$2" ] || fail "$1: exit code $code, expected $2"
  grep -qxF -- "$3" <<< "$out" && return
  fail "$1: no line '$3'; it printed:"$'\n'"$out"
  local file
  for file in "$drive"/TORNADO/*.TMP; do
    [ -f "$file" ] && echo "${file##*/}: $(cat -v "$file" | tr '\n' '|')"
  done
}

# The sample station, as the guide has it tried first.
run SAMPLE '..\RINGCHECK.EXE' RINGCHECK.CFG "Ivan Petrov"
[ "$code" = 0 ] || fail "ringcheck in SAMPLE: exit code $code"
ivan=$'Ivan Petrov\r\n2:5020/123.7\r\nMoscow\r\n1234567\r\n1\r\n0\r\nCONNECT 33600/ARQ/V34/LAPM/V42BIS\r\n'
[ "$(od -An -c "$home/SAMPLE/BBS/AON.TMP" 2>&1)" = "$(printf '%s' "$ivan" | od -An -c)" ] ||
  fail "ringcheck in SAMPLE wrote: $(cat -v "$home/SAMPLE/BBS/AON.TMP" 2>&1)"
run SAMPLE '..\RINGCHECK-EXPLAIN.EXE' RINGCHECK.CFG "Ivan Petrov"
expect "ringcheck-explain in SAMPLE" 0 '    1 "Ivan Petrov"'

# A station where the package's configuration looks, with a two-line log
# in the form it reads; the script, started from C:\RINGCHECK with no
# variable set, finds the program, the configuration and the result file.
mkdir -p "$drive/TORNADO" "$drive/T-MAIL"
cp "$home/SAMPLE/BBS/USERS.TOR" "$drive/TORNADO/"
printf ' 23:02:10 CallerID: 123-45-67 1\r\n 23:02:19 CONNECT 33600/ARQ/V34\r\n' \
  > "$drive/T-MAIL/T-MAIL.LOG"
cp "$build/findstr.exe" "$home/"
run . RINGCALL.BAT "Ivan Petrov"
expect "RINGCALL.BAT" 0 "login [Ivan Petrov] calls from their own number"

# The morning job, as the guide sets it up: the night's calls as a netmail
# message in the station's netmail folder, the first message there 2.MSG,
# over a log that dates its calls, as --since needs.  The netmail folder's
# name holds what cmd would take for syntax.
netmail='C:\FIDO\NET & MAIL (1)'
mkdir -p "$drive/FIDO/NET & MAIL (1)"
printf -- '---------- Mon 11 Mar 2024, T-Mail session log\r\n%s' \
  "$(cat "$drive/T-MAIL/T-MAIL.LOG")" > "$drive/T-MAIL/NIGHT.LOG"
sed -e "s/^LOGWITHAON .*/LOGWITHAON C:\\\\T-MAIL\\\\NIGHT.LOG\r/" \
  "$home/RINGCHECK.CFG" > "$home/NIGHT.CFG"
(cd "$home" && env -u RINGCHECK_EXPLAIN -u TO_ADDRESS -u TO -u SINCE -u UNTIL \
  RINGCHECK_CONFIG='C:\RINGCHECK\NIGHT.CFG' ADDRESS=2:5020/100 NETMAIL="$netmail" \
  timeout "${RINGCHECK_WINE_TIMEOUT:-60}" "$wine" cmd /c NIGHTLY.BAT) \
  < /dev/null > "$work/out" 2>&1
code=$?
out=$(tr -d '\r' < "$work/out")
expect "NIGHTLY.BAT" 0 \
  "ringcheck-explain: wrote $netmail\\2.MSG, netmail to Sysop at 2:5020/100"
[ -f "$drive/FIDO/NET & MAIL (1)/2.MSG" ] || fail "NIGHTLY.BAT wrote no 2.MSG"
rm -rf "$drive/FIDO"

# Two lines: each its own log, configuration, result file and copy of the
# script, whose two default lines become plain settings.
for n in 1 2; do
  sed -e "s/^LOGWITHAON .*/LOGWITHAON C:\\\\T-MAIL\\\\LINE$n.LOG\r/" \
      -e "s/^OUTFILE .*/OUTFILE AON$n.TMP\r/" "$home/RINGCHECK.CFG" > "$home/LINE$n.CFG"
  sed -e "s/^if not defined RINGCHECK_CONFIG .*/set \"RINGCHECK_CONFIG=C:\\\\RINGCHECK\\\\LINE$n.CFG\"\r/" \
      -e "s/^if not defined RESULT_FILE .*/set \"RESULT_FILE=C:\\\\TORNADO\\\\AON$n.TMP\"\r/" \
      "$home/RINGCALL.BAT" > "$home/RINGCAL$n.BAT"
done
cp "$drive/T-MAIL/T-MAIL.LOG" "$drive/T-MAIL/LINE1.LOG"
printf ' 23:02:11 CallerID: 456-78-90 3\r\n 23:02:20 CONNECT 31200/ARQ/V34\r\n' \
  > "$drive/T-MAIL/LINE2.LOG"
run . RINGCAL1.BAT "Ivan Petrov"
expect "line 1" 0 "login [Ivan Petrov] calls from their own number"
run . RINGCAL2.BAT "Sergey Volkov"
expect "line 2" 0 "login [Sergey Volkov] calls from their own number"

if [ "$failures" -ne 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "all as expected"
