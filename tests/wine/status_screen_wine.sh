#!/usr/bin/env bash
# Runs ringcheck.exe under Wine on a real Win32 console and checks the cells
# it leaves there: the warning header, the Russian messages, the lines about
# a result file that cannot be created, and the banner's colours and
# columns.  Wine gives a console when it runs inside a pseudo-terminal;
# screen_dump.exe starts the program in it and reads the cells back as code
# page 866 bytes with their attributes.
#
#   status_screen_wine.sh CASE
#
# RINGCHECK_BINARY names ringcheck.exe, with screen_dump.exe beside it;
# WINEPREFIX, when set, is the prefix to share.  Exits with 77 (skipped)
# when there is no Windows build or no Wine.
set -uo pipefail
export LC_ALL=C.UTF-8 WINEDEBUG=-all

program=${RINGCHECK_BINARY:-}
dumper=$(dirname "$program")/screen_dump.exe
if [[ $program != *.exe || ! -f $program || ! -f $dumper ]]; then
  echo "no Windows build (RINGCHECK_BINARY=$program): skipped"
  exit 77
fi
# The loader of the build's architecture, as run-tests gives it.
wine=${RINGCHECK_RUNNER:-wine}
for tool in "$wine" script iconv; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
declare -A want  # row -> its text; a final '*' stands for any further text

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# station CONFIGURATION-LINE...: a station in $work with an empty mailer
# log and a BBS directory; the configuration lines get CR LF ends.
station() {
  mkdir -p "$work/BBS"
  : > "$work/T-Mail.log"
  printf '%s\r\n' "$@" > "$work/ringcheck.cfg"
}

# run_dump ROWS [-o FILE] [OPTION...] -- [ARGUMENT...]: the program in a
# console of ROWS x 80 whose own colours are yellow on blue (1E), its cells
# painted dark grey (08) beforehand so that the untouched ones stand out,
# standard output to FILE when given, more of screen_dump's OPTIONs; then
# the cells read back into screen[] (UTF-8) and attributes[] (hex).
run_dump() {
  local rows=$1 options=() words=() output=""
  shift
  [ "$1" = -o ] && { output="> $2"; shift 2; }
  while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("'$1'"); shift; done
  shift
  local argument
  for argument in "$@"; do words+=("'$argument'"); done
  rm -f "$work/dump"
  (cd "$work" && timeout "${RINGCHECK_WINE_TIMEOUT:-120}" script -qec \
    "stty rows $rows cols 80; '$wine' '$dumper' -a 1E -f 08 ${options[*]} dump '$program' ${words[*]} $output" \
    /dev/null) > "$work/terminal" 2>&1 < /dev/null
  if [ ! -s "$work/dump" ]; then
    fail "no dump written; the terminal showed:"
    cat -v "$work/terminal"
    exit 1
  fi
  local header
  header=$(head -n1 "$work/dump")
  read -r width height cursor_column cursor_row exit_code <<< "$header"
  local cells=$((width * height))
  tail -c +$((${#header} + 2)) "$work/dump" | head -c $cells |
    fold -b -w "$width" | iconv -f CP866 -t UTF-8 > "$work/text"
  echo >> "$work/text"
  tail -c $cells "$work/dump" | od -An -v -tx1 -w"$width" | sed 's/^ //' \
    > "$work/colours"
  mapfile -t screen < "$work/text"
  mapfile -t attributes < "$work/colours"
}

expect_exit() {
  [ "$exit_code" = "$1" ] || fail "exit code $exit_code, expected $1"
}

# row ROW TEXT: the row holds TEXT, blanks after it; a TEXT longer than
# the width goes on at the left of the next rows.
row() {
  local at=$1 text=$2
  while [ ${#text} -gt "$width" ]; do
    want[$at]=${text:0:$width}
    text=${text:$width}
    at=$((at + 1))
  done
  want[$at]=$text
}

# colours ROW COLUMN SPEC: attributes from COLUMN on, SPEC as runs such as
# "40*3 0C*10".
colours() {
  local expected="" run
  for run in $3; do
    for _ in $(seq "${run#*\*}"); do expected+="${run%\**} "; done
  done
  expected=${expected% }
  expected=${expected,,}
  local got=${attributes[$1 - 1]:$((($2 - 1) * 3)):${#expected}}
  [ "$got" = "$expected" ] || fail "row $1 from column $2: attributes" \
    "'$(as_runs $got)', expected '$3'"
}

# The attributes given as runs, as colours takes them.
as_runs() {
  local runs="" last="" count=0 attribute
  for attribute in "$@" ""; do
    if [ "$attribute" = "$last" ]; then
      count=$((count + 1))
      continue
    fi
    [ -n "$last" ] && runs+="${last^^}*$count "
    last=$attribute
    count=1
  done
  echo "${runs% }"
}

# banner ROW BACKGROUND: the title at column 25 of ROW in white, light blue,
# light red and grey on BACKGROUND, the author notice at column 11 of the
# next row in grey, and the cursor right after the notice.
banner() {
  local title="R1NGtoTORNADO v0.3beta2 (win)" b=$2
  [ -n "${want[$1]+set}" ] || row "$1" "$(printf '%24s' '')$title"
  want[$(($1 + 1))]="          *"
  [ "${screen[$1 - 1]:24:${#title}}" = "$title" ] ||
    fail "row $1: no title at column 25"
  colours "$1" 25 "${b}F*4 ${b}9*2 ${b}C*7 ${b}7*16"
  local notice=${screen[$1]:10}
  notice=${notice%"${notice##*[! ]}"}
  [ -n "$notice" ] && [ "${notice:0:1}" != " " ] ||
    fail "row $(($1 + 1)): no author notice at column 11"
  colours $(($1 + 1)) 11 "${b}7*${#notice}"
  [ "$cursor_row" -eq "$1" ] && [ "$cursor_column" -eq $((10 + ${#notice})) ] ||
    fail "cursor at column $((cursor_column + 1)) of row $((cursor_row + 1))," \
      "expected right after the author notice"
}

# Every row as expected, and blank where nothing is expected.
check_screen() {
  local at got expected
  for ((at = 1; at <= height; at++)); do
    got=${screen[$at - 1]}
    got=${got%"${got##*[! ]}"}
    expected=${want[$at]:-}
    if [[ $expected == *'*' ]]; then
      [[ $got == "${expected%\*}"?* ]] && continue
    elif [ "$got" = "$expected" ]; then
      continue
    fi
    fail "row $at: '$got', expected '$expected'"
  done
}

# sample_station: the bundled sample station in $work; its call is Ivan
# Petrov's, who is found, neither banned nor exempt.
sample_station() {
  cp -R "$samples/." "$work/"
}
samples=$(cd "$(dirname "$0")/../../examples/station" && pwd)
sample_result=$'Ivan Petrov\r\n2:5020/123.7\r\nMoscow\r\n1234567\r\n1\r\n0\r\nCONNECT 33600/ARQ/V34/LAPM/V42BIS\r\n'

# expect_result BYTES: the result file holds exactly BYTES.
expect_result() {
  local got
  got=$(od -An -c "$work/BBS/AON.TMP" 2>&1)
  [ "$got" = "$(printf '%s' "$1" | od -An -c)" ] ||
    fail "result file: $got"
}

header="▌!▐ ВНИМАНИЕ:"
call_log=$'14:04:58 RING\r\n14:05:01 CallerID: 123-45-67 1\r\n14:05:09 Connect 33600/ARQ/V34\r\n'
perhaps="    Возможно, не хватает места на диске N: или старый файл занят другим"

case ${1:-} in
no_argument)
  # Each line feed of standard output moves the console's cursor.
  run_dump 25 --
  expect_exit 5
  row 3 "$header Файл конфига не задан!"
  colours 3 1 "40*3 0C*10 07*23 08*44"
  row 5 "    ringcheck.exe filename.ext"
  colours 5 1 "07*30 08*50"
  banner 7 0
  ;;
normal_end)
  # No header: the banner stands on the console's own background.
  station 'TORNADOPATH BBS\'
  run_dump 25 -- ringcheck.cfg
  expect_exit 0
  banner 3 1
  ;;
missing_log)
  # The file name as the configuration gave it, upper-cased.
  station 'TORNADOPATH BBS\' 'LOGWITHAON logs\t-mail.log'
  run_dump 25 -- ringcheck.cfg
  expect_exit 1
  row 3 "$header Файл T-MAIL.LOG не найден."
  colours 3 1 "40*3 0C*10 07*27 08*40"
  row 5 "    Проверьте правильно ли прописан путь в конфиге."
  banner 7 0
  ;;
banned)
  station 'TORNADOPATH BBS\'
  printf '%s' "$call_log" > "$work/T-Mail.log"
  : > "$work/BBS/users.tor"
  printf '123*\r\n' > "$work/BadPhone.lst"
  run_dump 25 -- ringcheck.cfg
  expect_exit 3
  row 3 "$header Номер находится в BadPhone.lst!"
  row 5 "    Выходим с еррорливелом 3."
  banner 7 0
  ;;
bad_config_lines)
  # Each warning two rows below the previous one; then the run goes on.
  station 'TORNADOPATH BBS\' 'NONSENSE' '; a comment' 'FOO bar'
  run_dump 25 -- ringcheck.cfg
  expect_exit 0
  row 3 "$header Ошибка в 2 строке конфига."
  colours 3 1 "40*3 0C*10 07*27 08*40"
  row 5 "$header Ошибка в 4 строке конфига."
  colours 5 1 "40*3 0C*10 07*27 08*40"
  banner 7 0
  ;;
no_result_file)
  # After a normal run: no header, the console's own colours, the blank
  # before the inner line feed written too.
  station 'TORNADOPATH nowhere\'
  run_dump 25 -- ringcheck.cfg
  expect_exit 7
  row 1 " Файл aon.tmp не может быть создан!"
  colours 1 1 "1E*35 08*45"
  row 3 "$perhaps"
  colours 3 1 "1E*$((${#perhaps} + 1)) 08*$((79 - ${#perhaps}))"
  row 4 "    приложением."
  colours 4 1 "1E*16 08*64"
  banner 6 1
  ;;
missing_log_no_result_file)
  # The creation failure goes on right after the message and wraps.
  station 'TORNADOPATH nowhere\' 'LOGWITHAON logs\t-mail.log'
  run_dump 25 -- ringcheck.cfg
  expect_exit 7
  row 3 "$header Файл T-MAIL.LOG не найден."
  row 5 "    Проверьте правильно ли прописан путь в конфиге. Файл aon.tmp не может быть создан!"
  row 8 "$perhaps"
  row 9 "    приложением."
  banner 11 0
  ;;
redirected)
  # Standard output to a file: the console's cursor stays, the header
  # starts where the cursor is, and the banner goes two rows up, over
  # the message.
  run_dump 25 -o out.txt --
  expect_exit 5
  row 1 "$header Файл конфиR1NGtoTORNADO v0.3beta2 (win)"
  colours 1 1 "40*3 0C*10 07*11"
  colours 1 54 "08*27"
  row 3 "    ringcheck.exe filename.ext"
  banner 1 0
  [ "$(od -An -c "$work/out.txt" | tr -s ' ')" = " \r \n \r \n \r \r \n \r \n \r \n \r \n" ] ||
    fail "standard output was '$(od -An -c "$work/out.txt")'"
  ;;
scroll)
  # From the bottom row: the program's own line feeds scroll the buffer,
  # filling the new row in the current colours, then standard output's
  # scroll it further.
  station 'TORNADOPATH nowhere\'
  run_dump 25 -r 25 -- ringcheck.cfg
  expect_exit 7
  row 18 " Файл aon.tmp не может быть создан!"
  colours 18 1 "1E*35 08*45"
  colours 19 1 "1E*80"
  row 20 "$perhaps"
  colours 20 1 "1E*80"
  row 21 "    приложением."
  colours 21 1 "1E*80"
  banner 23 1
  ;;
shared_log | shared_user_base)
  # The mailer keeps appending to its log, and the BBS keeps its user
  # base open for writing, while we run: both are read as usual, whether
  # the holder shares writing or only reading.
  sample_station
  file=T-Mail.log how=append
  [ "$1" = shared_user_base ] && file='BBS\users.tor' how=write
  for exclusive in "" -exclusive; do
    rm -f "$work/BBS/AON.TMP"
    run_dump 25 -h "$how$exclusive:$file" -- ringcheck.cfg "Ivan Petrov"
    expect_exit 0
    expect_result "$sample_result"
  done
  banner 3 1
  ;;
held_result_file)
  # Another program holds the old result file and lets nobody write it:
  # exit code 7 and the two lines, after a normal run's nothing.
  sample_station
  printf 'old\r\n' > "$work/BBS/AON.TMP"
  run_dump 25 -h 'write-exclusive:BBS\AON.TMP' -- ringcheck.cfg "Ivan Petrov"
  expect_exit 7
  expect_result $'old\r\n'
  row 1 " Файл AON.TMP не может быть создан!"
  row 3 "${perhaps/ N:/ B:}"
  row 4 "    приложением."
  banner 6 1
  ;;
*)
  echo "unknown case '${1:-}'"
  exit 2
  ;;
esac
check_screen

if [ "$failures" -ne 0 ]; then
  echo "--- the console after the run (cursor at column $((cursor_column + 1))" \
    "of row $((cursor_row + 1))):"
  cat "$work/text"
  exit 1
fi
echo "screen as expected"
