#!/usr/bin/env bash
# Runs the program on a real terminal, an 80x25 tmux pane with a UTF-8
# locale, and reads the pane back with its colours: the warning header,
# the Russian messages, and the banner's colours and columns.
#
#   status_screen_tmux.sh PROGRAM
#
# Exits with 77 (skipped) when tmux is not installed.
set -uo pipefail

program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
command -v tmux >/dev/null || { echo "tmux is not installed: skipped"; exit 77; }
command -v perl >/dev/null || { echo "perl is not installed: skipped"; exit 77; }

export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset TMUX
work=$(mktemp -d)
panes=0
socket="ringcheck-$$-$panes"
trap 'tmux -L "$socket" kill-server 2>/dev/null; rm -rf "$work"' EXIT
failures=0

# Runs a shell command in a fresh pane, in the station directory $work,
# and leaves the pane in $work/pane (colours as SGR sequences, one
# attribute a sequence) and $work/text, its exit code in $work/rc.  Each
# pane has a server of its own: a new session on the socket of one that is
# still shutting down finds it gone ("server exited unexpectedly").  On a
# loaded machine the program may take seconds to start.
run_in_pane() {
  rm -f "$work/rc"
  panes=$((panes + 1))
  socket="ringcheck-$$-$panes"
  tmux -L "$socket" -f /dev/null new-session -d -x 80 -y 25 \
    "cd '$work' && { $1; }; echo \$? > rc.part && mv rc.part rc; sleep 60"
  for _ in $(seq 600); do
    [ -s "$work/rc" ] && break
    sleep 0.1
  done
  tmux -L "$socket" capture-pane -e -p |
    perl -pe 's/\e\[([0-9;]*)m/join "", map { "\e[${_}m" } split(";", $1 eq "" ? "0" : $1)/ge' \
      > "$work/pane"
  tmux -L "$socket" capture-pane -p > "$work/text"
  tmux -L "$socket" kill-server
}

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

expect_exit() {
  [ "$(cat "$work/rc" 2>/dev/null)" = "$1" ] ||
    fail "$2: exit code $(cat "$work/rc" 2>/dev/null), expected $1"
}

# expect_row FILE ROW TEXT: the row as read back, blanks at its end aside;
# TEXT may hold \e for the escape character.
expect_row() {
  local got expected
  got=$(sed -n "$2p" "$work/$1" | sed 's/ *$//')
  expected=$(printf '%b' "$3")
  [ "$got" = "$expected" ] ||
    fail "$current, row $2: got '$(printf '%s' "$got" | cat -v)'" \
         "expected '$(printf '%s' "$expected" | cat -v)'"
}

header='\e[30m\e[41m▌!▐\e[91m\e[49m ВНИМАНИЕ:\e[39m'
title='\e[97mR1NG\e[94mto\e[91mTORNADO\e[39m v0.3beta2 (win)'
blanks24='                        '
notice_start='          П'

current="no configuration file, standard output on the terminal"
run_in_pane "'$program'"
expect_exit 5 "$current"
expect_row pane 3 "$header Файл конфига не задан!"
expect_row pane 5 "    ringcheck.exe filename.ext"
expect_row pane 7 "$blanks24$title"
sed -n 8p "$work/text" | grep -q "^$notice_start" ||
  fail "$current: no author notice at column 11 of row 8"

current="standard output redirected, prompt on the bottom row"
run_in_pane "printf '\\n%.0s' \$(seq 24); printf 'C:\\\\BBS>'; '$program' > out.txt"
expect_exit 5 "$current"
# The header follows the prompt, the message's line feeds scroll the
# screen, and the banner goes two rows above the cursor, over the message.
expect_row pane 23 "C:\\\\BBS>$header Фай$title"
sed -n 24p "$work/text" | grep -q "^$notice_start" ||
  fail "$current: no author notice at column 11 of row 24"
expect_row text 25 "    ringcheck.exe filename.ext"
[ "$(od -An -c "$work/out.txt" | tr -s ' ')" = " \n \n \r \n \n \n \n" ] ||
  fail "$current: standard output was '$(od -An -c "$work/out.txt")'"

current="bad configuration lines and a result file that cannot be made"
: > "$work/T-Mail.log"
printf 'TORNADOPATH nowhere\\\r\nNONSENSE\r\n' > "$work/ring.cfg"
run_in_pane "'$program' ring.cfg"
expect_exit 7 "$current"
expect_row pane 3 "$header Ошибка в 2 строке конфига. Файл aon.tmp не может быть создан!"
expect_row text 5 "    Возможно, не хватает места на диске N: или старый файл занят другим"
expect_row text 6 "    приложением."
expect_row pane 8 "$blanks24$title"

if [ "$failures" -ne 0 ]; then
  echo "--- last pane:"
  cat -v "$work/pane"
  exit 1
fi
echo "all terminal screens as expected"
