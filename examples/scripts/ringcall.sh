#!/bin/sh
# A BBS login script's use of ringcheck, for a station run on a POSIX
# system.  Checks the caller of the current call and tells the BBS what to
# do with them through its own exit code:
#   0  let the caller in
#   1  refuse the call
# Usage: ringcall.sh "LOGIN NAME"
# The defaults fit the sample station (examples/station) where the sample
# target copies it, in a directory below the program's: run there, the
# script needs no setting.  RINGCHECK, RINGCHECK_CONFIG, BBS_DIR and
# RESULT_FILE may name other places: BBS_DIR the configuration's
# TORNADOPATH, or RESULT_FILE its TORNADOPATH and OUTFILE together.
#
# The caller chooses the login name and every string of their users.tor
# record, so these may hold any byte but NUL and a line end.  They are
# only ever used quoted, and printed through printf's %s: echo may take a
# leading -n or -e as an option and turn backslashes into other bytes.
: "${RINGCHECK:=../ringcheck}"
: "${RINGCHECK_CONFIG:=ringcheck.cfg}"
: "${BBS_DIR:=BBS}"
login=${1-}

if [ $# -gt 0 ]; then
  "$RINGCHECK" "$RINGCHECK_CONFIG" "$login" > /dev/null
else
  "$RINGCHECK" "$RINGCHECK_CONFIG" > /dev/null
fi
status=$?
# Configured names reach the file system upper-cased, so the result file
# may be AON.TMP here, where names have a case.
if [ -z "${RESULT_FILE-}" ]; then
  RESULT_FILE=$BBS_DIR/aon.tmp
  for file in "$BBS_DIR"/[Aa][Oo][Nn].[Tt][Mm][Pp]; do
    [ -e "$file" ] && RESULT_FILE=$file && break
  done
fi

unchecked() {
  printf '%s\n' "ringcheck could not check this call (status $status): letting [$login] in"
  exit 0
}

# Exit code 7: the result file could not be written; its lines, if any
# are left over, belong to another call.  So do they after any status that
# is none of ringcheck's: 126 and 127 are the shell's when the program is
# not there or cannot run, 128 and up a signal's.
case $status in
  0|1|2|3|4) ;;
  5|7) unchecked ;;
  126|127) printf '%s\n' "the program [$RINGCHECK] could not be started"; unchecked ;;
  *) printf '%s\n' "status $status is none of ringcheck's"; unchecked ;;
esac

# The result file, line by line (CR LF line ends).  Line 6 is the status
# ringcheck wrote with the lines: unless it is the one it has just
# returned, the file was not read, or the lines are another call's
# (RESULT_FILE is not where the configuration writes, or another line's
# call wrote them).
line() { sed -n "$1p" "$RESULT_FILE" 2>/dev/null | tr -d '\r'; }
if [ "$(line 6)" != "$status" ]; then
  printf '%s\n' "the result file [$RESULT_FILE] does not hold this call's lines"
  unchecked
fi
subscriber=$(line 1)
number=$(line 4)
phone_type=$(line 5)
connect=$(line 7)
printf '%s\n' "call from number [$number] (phone type [$phone_type]), $connect"

case $status in
  3) printf '%s\n' "number [$number] is banned: refusing the call"; exit 1 ;;
  4) printf '%s\n' "login [$login] is exempt from the phone check"; exit 0 ;;
  1|2) printf '%s\n' "the station's mailer log or user base is missing: letting [$login] in"; exit 0 ;;
esac
if [ -z "$number" ]; then
  printf '%s\n' "no caller id for this call: letting [$login] in"
elif [ -z "$login" ]; then
  printf '%s\n' "no login name given; number [$number] is [$subscriber]'s"
elif [ -z "$subscriber" ]; then
  printf '%s\n' "number [$number] belongs to no subscriber: [$login] may register as a new user"
elif [ "$subscriber" = "$login" ]; then
  printf '%s\n' "login [$login] calls from their own number"
else
  printf '%s\n' "login [$login] calls from [$subscriber]'s number: refusing the call"
  exit 1
fi
exit 0
