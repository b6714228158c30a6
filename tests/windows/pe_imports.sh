#!/usr/bin/env bash
# Prints what a Windows exe imports, one "DLL!function" a line, sorted
# (DLL names upper-cased, as Windows compares them without case).
#   pe_imports.sh EXE
set -euo pipefail
objdump=
for tool in x86_64-w64-mingw32-objdump i686-w64-mingw32-objdump objdump; do
  command -v $tool >/dev/null && { objdump=$tool; break; }
done
[ -n "$objdump" ] || { echo "no objdump that reads PE files" >&2; exit 2; }
"$objdump" -p "$1" | awk '
  /^[ \t]*DLL Name: / { dll = toupper($3); next }
  /^[ \t]*$/ { dll = "" }
  dll != "" && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ && NF >= 3 {
    print dll "!" $3
  }' | LC_ALL=C sort -u
