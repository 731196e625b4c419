# Sourced by the scripts that start Wine for the build: the build's own Wine
# prefix (WINEPREFIX, else ~/.cache/quorvane-win/wine), made on first use,
# and Wine's own messages off unless WINEDEBUG says otherwise.
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
