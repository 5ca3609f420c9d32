#!/bin/sh
# Checks that the plug-in library has the name a host looks for and that its
# dynamic symbol table defines exactly the six entry points.
set -eu
library=$1
[ "$(basename "$library")" = "Kavrell_qvx.qvx" ] || { echo "unexpected file name: $library"; exit 1; }
defined=$(nm -D --defined-only "$library" | awk '{ print $2, $3 }' | sort)
expected=$(printf 'T %s\n' QVX_Identification QVX_GetPlugInVersion QVX_GetExtension QVX_Execute \
    QVX_Shutdown QVX_Description | sort)
if [ "$defined" != "$expected" ]; then
    echo "defined dynamic symbols:"
    echo "$defined"
    echo "expected:"
    echo "$expected"
    exit 1
fi
echo "exports: $(echo "$defined" | awk '{ print $2 }' | tr '\n' ' ')"
