#!/usr/bin/env bash
# The call history of a log past 64 MiB tells how far its reading is on a
# console, on standard error, and erases it at the end; into a file it
# writes nothing of that.  The console is a pseudo-terminal (script).
#
# Usage: history_progress.sh RINGCHECK-EXPLAIN
set -uo pipefail
explainer=$1
command -v script >/dev/null || { echo "no script(1): skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/BBS"
printf 'TORNADOPATH BBS\\\r\n' > "$work/ringcheck.cfg"
# A sparse log: a hole of 70 MiB, then a call.
truncate -s $((70 << 20)) "$work/T-Mail.log"
printf '\n 23:02:10 CallerID: 123-45-67 1\r\n 23:02:19 CONNECT 2400\r\n' >> "$work/T-Mail.log"
cd "$work" || exit 1
status=0
RINGCHECK_LANG=en script -qec "$explainer --calls ringcheck.cfg > report.txt" /dev/null \
  > console.txt
if ! grep -q '% of the mailer log read' console.txt; then
  echo "FAIL: no progress on the console:"; cat -v console.txt; status=1
fi
# The last thing on the console is the erasing: a carriage return.
if [ "$(tail -c 1 console.txt | od -An -c | tr -d ' ')" != '\r' ]; then
  echo "FAIL: the progress was not erased:"; cat -v console.txt; status=1
fi
RINGCHECK_LANG=en "$explainer" --calls ringcheck.cfg > report.txt 2> errors.txt
if [ -s errors.txt ]; then
  echo "FAIL: progress went into a file:"; cat -v errors.txt; status=1
fi
grep -q 'calls: 1; connections: 1' report.txt ||
  { echo "FAIL: the report:"; cat report.txt; status=1; }
[ $status = 0 ] && echo "progress shown on the console alone, and erased"
exit $status
