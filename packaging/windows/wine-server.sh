#!/usr/bin/env bash
# Starts the Wine server that the suite's programs share, in the build's
# prefix (packaging/windows/wine-env.sh), and returns once it listens.
#
# Debian's Wine ends its server the moment the last program leaves it, so a
# suite run otherwise starts and stops a server between tests, and a test
# that starts while the old one is ending fails at once, with no output. A
# server that a test started also keeps that test's output open until it
# ends, and so do the services Wine starts on first need (services.exe,
# rpcss.exe ...): CTest counts the wait as that test's time. This server
# outlives the gaps between tests, ends on its own SECONDS (default 10) after
# the last Wine program has left, and it and its services hold no caller's
# output. When a server already runs in the prefix it is used as it is: that
# leaves it to whoever started it, and never ends programs of theirs.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
status=0
wineserver --persistent="${1:-10}" </dev/null >/dev/null 2>&1 || status=$?
# 2: another server holds the prefix.
[[ $status -eq 0 || $status -eq 2 ]]
# wineboot starts the services, which live as long as the server does.
wine wineboot </dev/null >/dev/null 2>&1
