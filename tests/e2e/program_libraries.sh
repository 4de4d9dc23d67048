#!/bin/sh
# The program maps only the libraries its start needs: the X client library and the C library; it
# speaks D-Bus itself. The font rasteriser and the font configuration library are loaded when a
# cached answer is missing; nothing needs a maths library.
#   program_libraries.sh PROGRAM ARTEFACTS_DIR
set -u

program=$1
if ! command -v readelf >/dev/null 2>&1; then
    echo "SKIP: readelf is not installed"
    exit 0
fi
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ -n "$needed" ] || { echo "FAIL: readelf lists no library of $program"; exit 1; }
for library in $needed; do
    case $library in
    libX11.so.* | libXext.so.* | libc.so.* | ld-linux-*) ;;
    *)
        echo "FAIL: $program needs $library at start"
        exit 1
        ;;
    esac
done
echo "PASS"
