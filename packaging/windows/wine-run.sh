#!/usr/bin/env bash
# Starts a Windows program of the build under Wine, in the build's prefix
# (packaging/windows/wine-env.sh).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
exec wine "$@"
