#!/usr/bin/env bash
# Packs the built tree as a .deb, looks into it, unpacks it into a private root (the
# machine's own files are not touched) and runs the installed programs from there.
#   PackageTest.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/greetix-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/greetix_*.deb)
[[ $(basename "$deb") =~ ^greetix_3\.0\.[0-9]+-1_[a-z0-9]+\.deb$ ]] || fail "package name $deb"

info=$(dpkg-deb --info "$deb")
for field in "Package: greetix" "Section: graphics" "Priority: optional" "Maintainer: Plumeworks"; do
  grep -q "^ $field" <<<"$info" || fail "control field '$field' missing: $info"
done
depends=$(dpkg-deb --field "$deb" Depends)
for dependency in libqt6widgets6 libqt6svg6 libmpg123-0 libsdl2 fonts-dejavu-core fonts-liberation2; do
  grep -q "$dependency" <<<"$depends" || fail "Depends lacks $dependency: $depends"
done

contents=$(dpkg-deb --contents "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }')
for entry in \
  "./usr/bin/greetix -> ../lib/greetix/greetix" \
  "./usr/bin/greetix-cli -> ../lib/greetix/greetix-cli" \
  "./usr/lib/greetix/FlashPla.exe" "./usr/lib/greetix/GlimmerScr.dll" "./usr/lib/greetix/greetix-commands" \
  "./usr/lib/greetix/template -> ../../share/greetix/template" \
  "./usr/share/greetix/template/birthday.grx" "./usr/share/greetix/library/jingle.wav_tmp.wav" \
  "./usr/share/applications/com.plumeworks.Greetix.desktop" \
  "./usr/share/metainfo/com.plumeworks.Greetix.metainfo.xml" \
  "./usr/share/mime/packages/greetix.xml" "./usr/share/thumbnailers/greetix.thumbnailer" \
  "./usr/share/icons/hicolor/scalable/apps/com.plumeworks.Greetix.svg" \
  "./usr/share/icons/hicolor/16x16/apps/com.plumeworks.Greetix.png" \
  "./usr/share/icons/hicolor/256x256/mimetypes/application-x-greetix-card.png" \
  "./usr/share/doc/greetix/copyright" "./usr/share/man/man1/greetix-cli.1.gz"; do
  grep -qxF "$entry" <<<"$contents" || fail "package lacks $entry"
done
! grep -q '^\./usr/lib/greetix/.*\(test\|icon-render\)' <<<"$contents" || fail "build helpers in the package"

root="$work/root"
dpkg -x "$deb" "$root"
cli="$root/usr/bin/greetix-cli"
card="$root/usr/share/greetix/template/birthday.grx"
"$cli" render "$card" -o "$work/birthday.swf" >"$work/render.log" 2>&1 || { cat "$work/render.log"; fail "render"; }
grep -q "240 frames" "$work/render.log" || fail "render: $(cat "$work/render.log")"
grep -q "warning" "$work/render.log" && fail "installed media not found: $(cat "$work/render.log")"

# Every template, its pictures and its tune are in the package.
[[ $(grep -c '^\./usr/share/greetix/template/.*\.grx$' <<<"$contents") -ge 24 ]] || fail "the package lacks templates"
roses="$root/usr/share/greetix/template/Valentine's Day/roses.grx"
"$cli" render "$roses" -o "$work/roses.swf" --confine >"$work/roses.log" 2>&1 || { cat "$work/roses.log"; fail "render roses"; }
grep -q "warning" "$work/roses.log" && fail "installed template media not found: $(cat "$work/roses.log")"

png_size() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$1"; }
"$cli" thumbnail "$card" "$work/card.png" --size 128 || fail "thumbnail of the card"
[[ $(png_size "$work/card.png") == "128 96" ]] || fail "card thumbnail is $(png_size "$work/card.png")"
"$cli" thumbnail "$work/birthday.swf" "$work/movie.png" --size 64 || fail "thumbnail of the movie"
[[ $(png_size "$work/movie.png") == "64 48" ]] || fail "movie thumbnail is $(png_size "$work/movie.png")"

share="$root/usr/share"
desktop-file-validate "$share/applications/com.plumeworks.Greetix.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/com.plumeworks.Greetix.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log"; fail "appstreamcli validate"; }

# The card type, known once the mime package is in the user's data folder.
mkdir -p "$work/data/mime/packages"
cp "$share/mime/packages/greetix.xml" "$work/data/mime/packages/"
update-mime-database "$work/data/mime"
cp "$card" "$work/card.grx"
sed 1d "$card" >"$work/card-without-extension"
for file in card.grx card-without-extension; do
  type=$(XDG_DATA_HOME="$work/data" xdg-mime query filetype "$work/$file")
  [[ $type == application/x-greetix-card* ]] || fail "xdg-mime gives '$type' for $file"
done
echo "package test passed: $(basename "$deb")"
