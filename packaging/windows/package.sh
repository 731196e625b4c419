#!/usr/bin/env bash
# Makes the setup program and the portable zip of a Windows build:
#   packaging/windows/package.sh BUILD-DIR VERSION
# The copy is staged in BUILD-DIR/stage (what Quorvane.exe loads, without the
# test programs, the offscreen platforms and Qt's test library), stripped,
# then packed as BUILD-DIR/Quorvane-VERSION-setup.exe and
# BUILD-DIR/Quorvane-VERSION-win64.zip. Prints the two paths.
set -euo pipefail
build=$(realpath "$1")
version=$2
here=$(dirname "$(realpath "$0")")
stage=$build/stage
readonly STRIP=x86_64-w64-mingw32-strip

rm -rf "$stage"
mkdir -p "$stage"
cp "$build/Quorvane.exe" "$build/ReadMe.txt" "$build/magic.mgc" "$stage/"
for dll in "$build"/*.dll; do
  case $(basename "$dll") in
  Qt6Test.dll) ;;
  *) cp "$dll" "$stage/" ;;
  esac
done
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qico.dll \
  imageformats/qjpeg.dll imageformats/qgif.dll; do
  if [[ -e $build/$plugin ]]; then
    mkdir -p "$stage/$(dirname "$plugin")"
    cp "$build/$plugin" "$stage/$plugin"
  fi
done
[[ -d $build/translations ]] && cp -r "$build/translations" "$stage/"
[[ -e $build/qt.conf ]] && cp "$build/qt.conf" "$stage/"
find "$stage" -name '*.exe' -o -name '*.dll' | xargs "$STRIP" --strip-unneeded

# The installer's file lists: every staged file, and its removal in reverse.
files=$build/setup-files.nsh
unfiles=$build/setup-unfiles.nsh
: >"$files"
: >"$unfiles"
(
  cd "$stage"
  while read -r dir; do
    win=${dir#.}
    win=${win//\//\\}
    printf 'SetOutPath "$INSTDIR%s"\n' "$win" >>"$files"
    find "$dir" -maxdepth 1 -type f | sort | while read -r file; do
      f=${file#./}
      printf 'File "%s"\n' "$stage/$f" >>"$files"
      printf 'Delete "$INSTDIR\\%s"\n' "${f//\//\\}" >>"$unfiles"
    done
  done < <(find . -type d | sort)
  find . -mindepth 1 -type d | sort -r | while read -r dir; do
    d=${dir#./}
    printf 'RMDir "$INSTDIR\\%s"\n' "${d//\//\\}" >>"$unfiles"
  done
)
printf 'SetOutPath "$INSTDIR"\n' >>"$files"

setup=$build/Quorvane-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DFILES="$files" -DUNFILES="$unfiles" \
  -DOUTFILE="$setup" "$here/Quorvane.nsi" >&2

zip=$build/Quorvane-$version-win64.zip
rm -f "$zip"
rm -rf "$build/zip" && mkdir -p "$build/zip" && cp -r "$stage" "$build/zip/Quorvane"
(cd "$build/zip" && zip -qr "$zip" Quorvane)
rm -rf "$build/zip"
printf '%s\n' "$setup" "$zip"
