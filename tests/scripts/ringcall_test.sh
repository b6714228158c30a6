#!/usr/bin/env bash
# The sample BBS scripts with hostile names, as login name and as the name
# in the caller's users.tor record: nothing of a name runs (no file
# appears), the script ends with the exit code of the situation, and what
# it prints holds the name as text.
#
#   ringcall_test.sh sh PROGRAM     ringcall.sh over the Linux PROGRAM
#   ringcall_test.sh bat GROUP      ringcall.bat in Wine's cmd, over
#                                   RINGCHECK_BINARY (ringcheck.exe, with
#                                   findstr.exe and ends_with.exe beside
#                                   it) in WINEPREFIX; GROUP is one of
#                                   names.operators, names.quotes,
#                                   names.shell, names.text (the hostile
#                                   names, see hostile_names.sh), outcomes
#                                   and owner
#
# Exits with 77 (skipped) when there is no Windows build or no Wine.
set -uo pipefail
export LC_ALL=C
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../examples/scripts
source "$here/hostile_names.sh"

kind=${1:-}
hostile=("${hostile_names[@]}")
case $kind in
sh)
  program=$2
  groups=(names outcomes)
  # What the shell gives for a program that is not there, and for one
  # that crashed.
  not_there=127 crash=139
  ;;
bat)
  export WINEDEBUG=-all
  program=${RINGCHECK_BINARY:-}
  findstr=$(dirname "$program")/findstr.exe
  ends_with=$(dirname "$program")/ends_with.exe
  if [[ $program != *.exe || ! -f $program || ! -f $findstr || ! -f $ends_with ]]; then
    echo "no Windows build (RINGCHECK_BINARY=$program): skipped"
    exit 77
  fi
  # The loader of the build's architecture, as run-tests gives it.
  wine=${RINGCHECK_RUNNER:-wine}
  command -v "$wine" >/dev/null || { echo "$wine is not installed: skipped"; exit 77; }
  # names.GROUP takes the names of that group alone.
  groups=("${2%%.*}") group=${2#names.}
  [[ $2 != names.* || " ${hostile_groups[*]} " == *" $group "* ]] ||
    { echo "no group of hostile names: $2"; exit 2; }
  if [[ $2 == names.* ]]; then
    declare -n chosen=hostile_$group
    hostile=("${chosen[@]}")
  fi
  # cmd's status for a program that is not there, and an access
  # violation's.
  not_there=9009 crash=-1073741819
  ;;
*)
  echo "usage: ringcall_test.sh sh PROGRAM | bat names.GROUP|outcomes|owner"
  exit 2
  ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# put TEXT ROOM: a users.tor string, its length byte, its bytes, and 0xFF
# up to ROOM bytes after the length.
put() {
  printf "\\$(printf '%03o' ${#1})%s" "$1"
  head -c $(($2 - ${#1})) /dev/zero | tr '\0' '\377'
}

# user NAME PHONE: one 624-byte record; the two further strings hold the
# name too, so far as they have room.
user() {
  put "$1" 372
  put "${1:0:15}" 15
  put "$2" 15
  put "" 15
  head -c 113 /dev/zero | tr '\0' '\377'
  put "${1:0:89}" 89
}

call_log=$'14:04:58 RING\r\n14:05:01 CallerID: 123-45-67 1\r\n14:05:09 Connect 33600/ARQ/V34\r\n'

# station: a fresh station in $work/st, a call from 123-45-67 in the
# mailer log, no user base and no lists yet.
station() {
  rm -rf "$work/st"
  mkdir -p "$work/st/BBS"
  printf 'TORNADOPATH BBS\\\r\n' > "$work/st/ringcheck.cfg"
  printf '%s' "$call_log" > "$work/st/T-Mail.log"
  if [ "$kind" = bat ]; then
    cp "$findstr" "$work/st/"
    sed 's/\r*$/\r/' "$scripts/ringcall.bat" > "$work/st/ringcall.bat"
  fi
}

# run [NAME]: the script in the station with NAME as its argument, or with
# none; its exit code in $code, what it printed in $out.
run() {
  local before
  before=$(ls -A "$work/st")
  if [ "$kind" = sh ]; then
    (cd "$work/st" && RINGCHECK=$program RINGCHECK_CONFIG=${config:-ringcheck.cfg} \
      sh "$scripts/ringcall.sh" "$@") \
      > "$work/out" 2> "$work/err"
    code=$?
  else
    # The name reaches the script as a BBS hands it over: on the command
    # line that cmd parses, inside double quotes, here the line of a
    # batch file that cmd runs.  A batch file takes %% for a %, so each %
    # is doubled and the script gets the name as typed.
    local line=ringcall.bat
    [ $# -gt 0 ] && line+=" \"${1//%/%%}\""
    printf '@set "RINGCHECK=Z:%s"\r\n@set "RINGCHECK_CONFIG=%s"\r\n' \
      "${program//\//\\}" "${config:-ringcheck.cfg}" > "$work/st/bbs.bat"
    [ -n "${ends:-}" ] && printf '@set "ENDS_WITH=%s"\r\n' "$ends" >> "$work/st/bbs.bat"
    printf '@set "RESULT_FILE=BBS\\aon.tmp"\r\n@%s\r\n' "$line" >> "$work/st/bbs.bat"
    (cd "$work/st" && timeout "${RINGCHECK_WINE_TIMEOUT:-60}" "$wine" cmd /c bbs.bat) < /dev/null \
      > "$work/out" 2> "$work/err"
    code=$?
    rm -f "$work/st/bbs.bat"
    sed -i 's/\r$//' "$work/out"
  fi
  out=$(cat "$work/out")
  local after
  after=$(ls -A "$work/st")
  [ "$before" = "$after" ] || {
    fail "a file appeared: $(comm -13 <(echo "$before") <(echo "$after") | tr '\n' ' ')"
    rm -f "$work/st"/pwned*
  }
}

# expect CASE CODE LINE: the last run ended with CODE, and LINE was one of
# the lines it printed, and nothing went to standard error; neither is
# looked at when LINE is empty.
expect() {
  [ "$code" = "$2" ] || fail "$1: exit code $code, expected $2"
  [ -n "$3" ] && [ -s "$work/err" ] &&
    fail "$1: the script wrote errors: $(cat -v "$work/err")"
  if [ -n "$3" ] && ! grep -qxF -- "$3" "$work/out"; then
    fail "$1: no line '$3'; the script printed:"
    cat -v "$work/out"
  fi
}

# printed CASE CODE LINE...: the last run ended with CODE and printed these
# lines and no other.  Standard error is not looked at: there cmd and sh
# say themselves that a program is not there.
printed() {
  local name=$1 want=$2
  shift 2
  [ "$code" = "$want" ] || fail "$name: exit code $code, expected $want"
  if [ "$out" != "$(printf '%s\n' "$@")" ]; then
    fail "$name: the script printed:"
    cat -v "$work/out"
  fi
}

# carried NAME: whether the script can take NAME in as it is.  Wine's cmd,
# unlike Windows' cmd, expands a % or ! found in a value it has already
# expanded, splits an "if" at a double quote found in an expanded value,
# and reads a batch file in another code page than a command's output.
# For such a name under Wine only the files count, and the exit code of a
# refusal.
carried() {
  [ "$kind" = sh ] || [[ $1 != *[%!\"$'\x80'-$'\xff']* ]]
}

# shown NAME: NAME as the script shows a users.tor name.  ringcall.bat
# cuts its result lines at findstr's colon, and leading colons with it.
shown() {
  local name=$1
  if [ "$kind" = bat ]; then
    while [ "${name:0:1}" = : ]; do name=${name:1}; done
  fi
  printf '%s' "$name"
}

names() {
  local name said
  for name in "${hostile[@]}"; do
    station
    # A subscriber with the name calls; someone else logs in.
    user "$name" 123-45-67 > "$work/st/BBS/users.tor"
    run "Ivan Petrov"
    said=""
    carried "$name" &&
      said="login [Ivan Petrov] calls from [$(shown "$name")]'s number: refusing the call"
    expect "users.tor name '$name'" 1 "$said"

    # The subscriber logs in under the name.  No cmd command line carries
    # a double quote inside a quoted argument: it ends the quoting there.
    [ "$kind" = bat ] && [[ $name == *'"'* ]] && continue
    run "$name"
    carried "$name" &&
      expect "login name '$name'" 0 "login [$name] calls from their own number"
  done
}

# The subscriber, logged in under their own name, calls from their own
# number: the one call of the 32-bit exe's emulated set.
owner() {
  station; user "Ivan Petrov" 8-123-45-67 > "$work/st/BBS/users.tor"
  run "Ivan Petrov"
  expect owner 0 "login [Ivan Petrov] calls from their own number"
}

# Each situation the script tells apart, with a hostile login name.
outcomes() {
  local login='Ivan & Co (x)|y^z>pwned.txt'
  user "Ivan Petrov" 8-123-45-67 > "$work/ivan.tor"
  ivan() { cp "$work/ivan.tor" "$work/st/BBS/users.tor"; }
  local missing="the station's mailer log or user base is missing: letting [$login] in"

  station; ivan; printf '123*\r\n' > "$work/st/BadPhone.lst"
  run "$login"
  expect banned 1 "number [1234567] is banned: refusing the call"

  station; ivan; printf '%s\r\n' "$login" > "$work/st/GoodPhone.lst"
  run "$login"
  expect exempt 0 "login [$login] is exempt from the phone check"

  # A line shared by a household, the number written two ways: the call
  # is taken as the first record's, so the member logged in under the
  # second is refused, unless GOODLIST exempts that login.
  household() {
    station
    { cat "$work/ivan.tor"; user "$login" 123-45-67; } > "$work/st/BBS/users.tor"
  }
  household
  run "$login"
  expect "shared line" 1 "login [$login] calls from [Ivan Petrov]'s number: refusing the call"
  household; printf '%s\r\n' "$login" > "$work/st/GoodPhone.lst"
  run "$login"
  expect "shared line, exempt" 0 "login [$login] is exempt from the phone check"

  station; rm "$work/st/T-Mail.log"
  run "$login"
  expect "no mailer log" 0 "$missing"

  station
  run "$login"
  expect "no user base" 0 "$missing"

  station; ivan
  printf '14:05:01 RING\r\n14:05:09 Connect 33600/ARQ/V34\r\n' > "$work/st/T-Mail.log"
  run "$login"
  expect "no caller id" 0 "no caller id for this call: letting [$login] in"

  station; user "Olga" 555-12-34 > "$work/st/BBS/users.tor"
  run "$login"
  expect stranger 0 \
    "number [1234567] belongs to no subscriber: [$login] may register as a new user"

  station; ivan
  run
  expect "no login name" 0 "no login name given; number [1234567] is [Ivan Petrov]'s"

  station; ivan; printf 'TORNADOPATH nowhere\\\r\n' > "$work/st/ringcheck.cfg"
  run "$login"
  expect "no result file" 0 "ringcheck could not check this call (status 7): letting [$login] in"

  station
  config=nothing.cfg run "$login"
  expect "no configuration" 0 "ringcheck could not check this call (status 5): letting [$login] in"

  # The program did not give this call's lines: the result file still
  # holds a banned caller's, from an earlier call, and none of them counts.
  earlier() {
    station; ivan
    printf 'Olga\r\n\r\n\r\n7770011\r\n2\r\n3\r\nCONNECT 2400\r\n' > "$work/st/BBS/aon.tmp"
  }
  unchecked() {
    printf '%s' "ringcheck could not check this call (status $1): letting [$login] in"
  }
  local nowhere=$work/nowhere/ringcheck shown=$work/nowhere/ringcheck
  if [ "$kind" = bat ]; then
    nowhere+=.exe
    shown=Z:${nowhere//\//\\}
  fi
  earlier
  program=$nowhere run "$login"
  printed "program missing" 0 "the program [$shown] could not be started" \
    "$(unchecked $not_there)"

  earlier
  local crashing=$work/crashing
  if [ "$kind" = bat ]; then
    crashing=$ends_with
  else
    printf '#!/bin/sh\nexit %s\n' $crash > "$crashing"
    chmod +x "$crashing"
  fi
  ends=3221225477 program=$crashing run "$login"
  printed "a crash" 0 "status $crash is none of ringcheck's" "$(unchecked $crash)"

  # ringcheck wrote elsewhere, where the script does not read.
  earlier; printf 'TORNADOPATH BBS\\\r\nOUTFILE other.tmp\r\n' > "$work/st/ringcheck.cfg"
  run "$login"
  local result=BBS/aon.tmp
  [ "$kind" = bat ] && result='BBS\aon.tmp'
  printed "another call's lines" 0 "the result file [$result] does not hold this call's lines" \
    "$(unchecked 0)"
}

for group in "${groups[@]}"; do
  "$group"
done
if [ "$failures" -ne 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "all as expected"
