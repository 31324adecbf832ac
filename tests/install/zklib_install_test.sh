#!/bin/sh
# Installs ZkLib from a built tree into a staging folder, checks that the shared
# library exports the marked names and no others, then builds examples/zkfiles
# against the staged package alone, with the default compiler and no flags,
# and runs it on a small tree and its progress window to a count.
# Usage: zklib_install_test.sh BUILD_DIR EXAMPLE_DIR VERSION
set -eu
build=$1 example=$2 version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

stage="$work/stage"
cmake --install "$build" --component zklib --prefix "$stage" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install --component zklib"; }
for file in include/zklib/ZkFileTraverse.h include/zklib/ZkChecksumFile.h \
    include/zklib/dialogs/ZkProgressDlg.h include/platform/CString.h include/platform/Export.h \
    lib/cmake/ZkLib/ZkLibConfig.cmake lib/cmake/ZkLib/ZkLibConfigVersion.cmake; do
    [ -s "$stage/$file" ] || fail "missing $file"
done
lib="$stage/lib/libZkLib.so.$version"
[ -f "$lib" ] || fail "missing $lib: $(ls "$stage/lib")"
[ -f "$stage/lib/libZkLibDialogs.so.$version" ] || fail "missing libZkLibDialogs: $(ls "$stage/lib")"

nm -D --defined-only -C "$lib" >"$work/symbols"
for name in 'ZkText_ReplaceWords(' 'CZkFileTraverse::Traverse(' \
    'CZkChecksumStdioFile::EndChecksum(' 'ZkFile_MakePath(' 'CString::Find('; do
    grep -qF "$name" "$work/symbols" || fail "not exported: $name"
done
for name in 'AfxSetUserInteraction' 'FileStep' 'kZkStringsData'; do
    if grep -qF "$name" "$work/symbols"; then fail "exported but not marked: $name"; fi
done

env -u CXXFLAGS -u CPPFLAGS -u LDFLAGS \
    cmake -S "$example" -B "$work/example" -DCMAKE_PREFIX_PATH="$stage" >"$work/build.log" 2>&1 &&
    cmake --build "$work/example" >>"$work/build.log" 2>&1 ||
    { cat "$work/build.log" >&2; fail "building the example"; }
zk="$work/example/zkfiles"

# ア is 83 41 and ねこ 82 CB 82 B1 in Shift_JIS; the file with a zero byte is no text.
tree="$work/Café 住所録"
mkdir -p "$tree/sub"
printf 'cat\r\n\203\101cat CAT\n' >"$tree/表.txt"
printf 'cat\000cat' >"$tree/sub/b.txt"
out=$("$zk" replace "$tree/" cat "$(printf '\202\313\202\261')" --progress)
[ "$out" = "2 files read, 1 changed, 3 replacements" ] || fail "replace printed: $out"
printf '\202\313\202\261\r\n\203\101\202\313\202\261 \202\313\202\261\n' | cmp - "$tree/表.txt" ||
    fail "replaced bytes"
printf 'cat\000cat' | cmp - "$tree/sub/b.txt" || fail "a file with a zero byte was changed"
out=$("$zk" replace "$tree" CAT dog --case --word --types '*.csv')
[ "$out" = "0 files read, 0 changed, 0 replacements" ] || fail "replace --types printed: $out"

out=$("$zk" size "$tree")
[ "$out" = "25 bytes in 2 files" ] || fail "size printed: $out"

printf abc >"$work/abc"
[ "$("$zk" sum --crc "$work/abc")" = 352441C2 ] || fail "sum --crc"
[ "$("$zk" sum --adler "$work/abc")" = 024D0127 ] || fail "sum --adler"
printf 'a\r\nb\r\n' >"$work/crlf"
printf 'a\nb\n' >"$work/lf"
[ "$("$zk" sum --crc "$work/crlf")" = "$("$zk" sum --crc "$work/lf")" ] || fail "CR LF sums as LF"

out=$(QT_QPA_PLATFORM=offscreen "$work/example/zkprogress" 500)
[ "$out" = done ] || fail "zkprogress printed: $out"
