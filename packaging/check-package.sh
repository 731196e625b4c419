#!/usr/bin/env bash
# Checks a built Debian package: its control fields, that it ships what a
# desktop install needs, and that the files it ships pass the freedesktop
# validators.   packaging/check-package.sh build/quorvane_X.Y.Z_amd64.deb
set -euo pipefail
deb=$1
failures=0
fail() { echo "check-package: $*" >&2; failures=$((failures + 1)); }

dpkg-deb --info "$deb"
contents=$(dpkg-deb --contents "$deb")
echo "$contents"

# path and the mode it must have
expected=(
    "./usr/bin/quorvane -rwxr-xr-x"
    "./usr/share/applications/org.example.quorvane.desktop -rw-r--r--"
    "./usr/share/icons/hicolor/scalable/apps/quorvane.svg -rw-r--r--"
    "./usr/share/metainfo/org.example.quorvane.metainfo.xml -rw-r--r--"
    "./usr/share/quorvane/ReadMe.txt -rw-r--r--"
    "./usr/share/doc/quorvane/copyright -rw-r--r--"
    "./usr/share/kio/servicemenus/quorvane.desktop -rwxr-xr-x"
    "./usr/share/nemo/actions/quorvane.nemo_action -rw-r--r--"
)
for entry in "${expected[@]}"; do
    path=${entry% *}
    mode=${entry#* }
    line=$(awk -v p="$path" '$6 == p' <<<"$contents")
    if [ -z "$line" ]; then
        fail "missing $path"
    elif [ "${line%% *}" != "$mode" ]; then
        fail "$path has mode ${line%% *}, expected $mode"
    fi
done

# Libraries found by dpkg-shlibdeps, and the ones loaded at run time.
depends=$(dpkg-deb --field "$deb" Depends)
for dependency in libqt6widgets6 libqt6dbus6 libtag1v5 libmagic1 libqt6svg6; do
    grep -Eq "(^|, )$dependency( |,|$)" <<<"$depends" || fail "Depends lacks $dependency: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb --extract "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.example.quorvane.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net --strict "$root/usr/share/metainfo/org.example.quorvane.metainfo.xml" \
    || fail "AppStream metadata invalid"

if [ "$failures" -ne 0 ]; then
    echo "check-package: $failures problem(s) in $deb" >&2
    exit 1
fi
echo "check-package: $deb is complete and valid"
