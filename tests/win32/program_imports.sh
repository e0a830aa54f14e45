#!/bin/sh
# Every .exe and .dll in the program folders imports only DLLs that Windows XP
# SP3 itself ships, so the folder runs there as it is.
# Usage: program_imports.sh PROGRAM_FOLDER...
set -u
list="advapi32.dll avifil32.dll comctl32.dll comdlg32.dll dsound.dll gdi32.dll imm32.dll
 kernel32.dll msacm32.dll msimg32.dll msvcrt.dll msvfw32.dll ole32.dll oleaut32.dll psapi.dll
 rpcrt4.dll setupapi.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll winmm.dll
 winspool.drv ws2_32.dll"
# One line with a space on either side of each name.
allowed=" $(echo $list) "
status=0
for folder in "$@"; do
  checked=0
  for file in "$folder"/*.exe "$folder"/*.dll; do
    [ -f "$file" ] || continue
    checked=$((checked + 1))
    # The host's objdump reads 32- and 64-bit Windows programs alike.
    imports=$(objdump -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
    [ -n "$imports" ] || { echo "$(basename "$file"): no imports found"; status=1; }
    for dll in $imports; do
      case "$allowed" in
        *" $dll "*) ;;
        *) echo "$(basename "$file") imports $dll, which Windows XP does not have"; status=1 ;;
      esac
    done
  done
  [ "$checked" -gt 0 ] || { echo "no programs in $folder"; status=1; }
  echo "$folder: $checked files checked"
done
exit $status
