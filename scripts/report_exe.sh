#!/usr/bin/env bash
# Prints a Windows program's size and the DLLs it imports, and fails when it imports any DLL that
# is not part of every Windows installation the program supports, or outgrows 96 KiB.
# Usage: scripts/report_exe.sh EXE OBJDUMP
set -euo pipefail
exe=$1
objdump=$2
allowed=" kernel32.dll user32.dll shell32.dll advapi32.dll comdlg32.dll ole32.dll msvcrt.dll "

size=$(stat -c %s "$exe")
imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
printf '%s: %d bytes (%d KiB); imports: %s\n' "$(basename "$(dirname "$exe")")/$(basename "$exe")" \
  "$size" $(( (size + 1023) / 1024 )) "$(echo $imports)"
bad=0
if (( size > 96 * 1024 )); then
  echo "error: $exe is $size bytes, over the 96 KiB it must fit in" >&2
  bad=1
fi
# The 32-bit program runs on Windows 95, which lacks these: each is looked up where it is used.
newer="SetWaitableTimer CreateWaitableTimerA CreateWaitableTimerW CreateWaitableTimerExW SetWinEventHook UnhookWinEvent
  SetDefaultDllDirectories QueryFullProcessImageNameA QueryFullProcessImageNameW SHQueryUserNotificationState"
if [[ "$("$objdump" -f "$exe")" == *pei-i386* ]]; then
  functions=" $("$objdump" -p "$exe" | awk '/DLL Name:/ {on=1; next} on && NF >= 3 && $1 ~ /^[0-9a-f]+$/ {print $3}' | tr '\n' ' ') "
  for function in $newer; do
    if [[ "$functions" == *" $function "* ]]; then
      echo "error: $exe imports $function, which Windows 95 lacks: look it up at run time" >&2
      bad=1
    fi
  done
fi
for dll in $imports; do
  if [[ "$allowed" != *" $dll "* ]]; then
    echo "error: $exe imports $dll, which is not a system DLL every Windows has" >&2
    bad=1
  fi
done
exit $bad
