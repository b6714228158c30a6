#!/bin/sh
# ringcheck-explain's reports are rooms over one floor: report/ includes no
# report's header, no report includes another's, and none the chooser's
# (explain.h), which alone includes the reports.
#
# Usage: explain_rooms.sh SRC-DIR
cd "$1/explain" || exit 2
status=0
for room in report call audit history; do
  for other in call audit history; do
    [ "$room" = "$other" ] && continue
    if grep -n "#include \"explain/$other/" "$room"/*; then
      echo "$room/ includes $other/: a room includes no other room"
      status=1
    fi
  done
  if grep -n '#include "explain/explain.h"' "$room"/*; then
    echo "$room/ includes the chooser, which stands above every room"
    status=1
  fi
done
exit $status
