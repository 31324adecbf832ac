#!/bin/sh
# Builds the Debian package of a built tree, unpacks it into a temporary folder
# and checks that the programs there run and find what they need, and that the
# desktop files are valid.
# Usage: package_test.sh BUILD_DIR VERSION SAMPLE.kvd
set -eu
build=$1 version=$2 sample=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB -B "$work/pkg" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
set -- "$work"/pkg/kolvane_*.deb
if [ $# -ne 1 ] || [ ! -f "$1" ]; then fail "one kolvane_*.deb, found: $*"; fi
deb=$1

# Dependencies: computed from the linked libraries, plus the SVG plugin.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 libzint; do
    echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"

root="$work/root"
dpkg-deb -x "$deb" "$root"
usr="$root/usr"
for file in bin/kolvane bin/kolvane-cli share/kolvane/help/help.html share/kolvane/PAPERS.DEF \
    share/kolvane/jp-postal.tsv.gz share/kolvane/POSTBOX.DEF \
    share/applications/jp.tavrin.kolvane.desktop share/metainfo/jp.tavrin.kolvane.metainfo.xml \
    share/mime/packages/kolvane.xml share/icons/hicolor/scalable/apps/kolvane.svg \
    share/man/man1/kolvane.1.gz share/man/man1/kolvane-cli.1.gz; do
    [ -s "$usr/$file" ] || fail "missing /usr/$file"
done
set -- "$usr"/share/kolvane/LAYOUTS/*.KVL
[ $# -eq 12 ] || fail "twelve bundled layouts, found: $*"
set -- "$usr"/share/kolvane/POSTCARDS/*.KVP
[ $# -eq 4 ] || fail "four bundled postcard layouts, found: $*"
for size in 16 32 48 64 128 256; do
    png="$usr/share/icons/hicolor/${size}x${size}/apps/kolvane.png"
    file "$png" | grep -q "PNG image data, $size x $size," || fail "icon $png: $(file "$png")"
done

# The programs run with a home of their own and, unless asked, no display.
home="$work/home"
mkdir -p "$home/run"
chmod 700 "$home/run"
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
export XDG_RUNTIME_DIR="$home/run"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

out=$("$usr/bin/kolvane-cli" --version) || fail "kolvane-cli --version"
[ "$out" = "kolvane-cli $version" ] || fail "kolvane-cli --version printed: $out"
"$usr/bin/kolvane-cli" labels "$sample" --layout "A4 12面" --index 日 --out "$work/labels.pdf" ||
    fail "kolvane-cli labels with a bundled layout"
head -c 5 "$work/labels.pdf" | grep -q '%PDF-' || fail "labels.pdf is no PDF"
out=$("$usr/bin/kolvane-cli" postcode 1000001) || fail "kolvane-cli postcode with the bundled table"
[ "$out" = "$(printf '1000001\t東京都\t千代田区\t千代田')" ] || fail "kolvane-cli postcode printed: $out"

out=$("$usr/bin/kolvane" --version) || fail "kolvane --version"
[ "$out" = "kolvane $version" ] || fail "kolvane --version printed: $out"
"$usr/bin/kolvane" --help | grep -q '^Usage: kolvane ' || fail "kolvane --help"
status=0
"$usr/bin/kolvane" --no-such-option >/dev/null 2>"$work/err" || status=$?
if [ $status -ne 1 ] || ! grep -q "Unknown option 'no-such-option'" "$work/err"; then
    fail "kolvane --no-such-option: status $status, $(cat "$work/err")"
fi

# The program looks for its layouts and help page in <bin>/../share/kolvane;
# started on a copy of the sample, it keeps running until it is stopped (124).
cp "$sample" "$work/book.kvd"
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$usr/bin/kolvane" "$work/book.kvd" >"$work/gui.log" 2>&1 ||
    status=$?
[ $status -eq 124 ] || { cat "$work/gui.log" >&2; fail "kolvane on the sample ended with $status"; }

desktop-file-validate "$usr/share/applications/jp.tavrin.kolvane.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/jp.tavrin.kolvane.metainfo.xml" >"$work/as.log" 2>&1 ||
    { cat "$work/as.log" >&2; fail "appstreamcli validate"; }
mkdir -p "$work/mime/packages"
cp "$usr/share/mime/packages/kolvane.xml" "$work/mime/packages/"
update-mime-database "$work/mime" || fail "update-mime-database"
[ -f "$work/mime/application/x-kolvane-book.xml" ] || fail "no application/x-kolvane-book"
# The magic rule: "FDVK" and the version 1 as a little-endian word.
grep -q FDVK "$work/mime/magic" || fail "no FDVK magic"
lead=$(head -c 8 "$sample" | od -An -tx1 | tr -s ' ')
[ "$lead" = " 46 44 56 4b 01 00 00 00" ] || fail "the sample starts with$lead"

echo "package $(basename "$deb"): installed files, programs and desktop files are fine"
