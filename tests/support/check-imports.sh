#!/bin/sh
# Checks a Windows executable's import table: only DLLs that every Windows ships, and no
# function that Windows Vista lacks (those are looked up at run time instead).
#   check-imports.sh OBJDUMP EXE
set -eu
objdump=$1
exe=$2
allowed="ADVAPI32.dll COMCTL32.dll GDI32.dll KERNEL32.dll MSIMG32.dll msvcrt.dll ole32.dll
OLEACC.dll OLEAUT32.dll SHELL32.dll USER32.dll"
# Functions of Windows 7 and later that a launcher like this one might be tempted to call.
newer="GetDpiForWindow GetDpiForSystem GetDpiForMonitor AdjustWindowRectExForDpi
SystemParametersInfoForDpi GetSystemMetricsForDpi SetProcessDpiAwarenessContext
SetProcessDpiAwareness SetThreadDpiAwarenessContext EnableNonClientDpiScaling
GetSystemTimePreciseAsFileTime ChangeWindowMessageFilterEx SetCurrentProcessExplicitAppUserModelID
PathCchCombine GetThreadDescription SetThreadDescription"

dump=$("$objdump" -p "$exe")
status=0
dlls=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || { echo "no imports found in $exe"; exit 1; }
for dll in $dlls; do
    case " $(echo $allowed) " in
        *" $dll "*) ;;
        *) echo "imports $dll, which Windows does not ship"; status=1 ;;
    esac
done
for name in $newer; do
    if printf '%s\n' "$dump" | grep -Eq "^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+$name\$"; then
        echo "imports $name, which Windows Vista lacks"
        status=1
    fi
done
count=$(printf '%s\n' "$dump" | grep -Ec '^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[A-Za-z_]')
echo "$exe: $(echo $dlls | wc -w) DLLs, $count functions imported"
exit $status
