#!/usr/bin/env bash
# wine_run.sh PREFIX PROGRAM.exe ARGUMENT...: runs a Windows test program under wine, in the wine
# prefix WINEPREFIX or else PREFIX (made on first use), quietly and without the offers to install
# Mono or Gecko that a new prefix makes.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=${WINEPREFIX:-$prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree=;mshtml=}
exec /usr/lib/wine/wine64 "$@"
