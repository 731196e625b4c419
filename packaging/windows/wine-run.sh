#!/usr/bin/env bash
# Starts a Windows program of the build under Wine: a Wine prefix of the
# build's own (WINEPREFIX, else ~/.cache/quorvane-win/wine), Wine's own
# messages off unless WINEDEBUG says otherwise.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${QUORVANE_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvane-win}/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No window of Wine's own asks to install Mono or Gecko.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [[ ! -e $WINEPREFIX/system.reg ]]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  # Qt 6 is made for Windows 10 and later.
  wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1 || true
  wineserver --wait || true
fi
exec wine "$@"
