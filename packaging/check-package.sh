#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it: the file list, the library dependencies, the
# desktop entry and AppStream metainfo (when their validators are installed), the manual pages, and the
# packaged zestora run from the unpacked package.
#   packaging/check-package.sh [BUILD_DIR]
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
ID=com.zestoraplus.ZestoraPlus
VERSION=$(sed -n 's/^project(ZestoraPlus VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
DEB="$BUILD/zestora-plus_${VERSION}_$(dpkg --print-architecture).deb"
failures=0
fail() { echo "package check: $*" >&2; failures=$((failures + 1)); }

rm -f "$DEB"
(cd "$BUILD" && cpack -G DEB >cpack.log 2>&1) || { cat "$BUILD/cpack.log" >&2; echo "package check: cpack failed" >&2; exit 1; }
[[ -f "$DEB" ]] || { echo "package check: $DEB was not built" >&2; exit 1; }

listing=$(dpkg-deb -c "$DEB" | awk '{print $6}')
for f in usr/bin/zestoraplus usr/bin/zestora \
         usr/share/zestora-plus/zestoraplus-help.html \
         usr/share/applications/$ID.desktop usr/share/metainfo/$ID.metainfo.xml \
         usr/share/mime/packages/$ID.xml \
         usr/share/icons/hicolor/scalable/apps/$ID.svg \
         usr/share/icons/hicolor/16x16/apps/$ID.png usr/share/icons/hicolor/48x48/apps/$ID.png \
         usr/share/icons/hicolor/256x256/apps/$ID.png \
         usr/share/man/man1/zestora.1.gz usr/share/man/man1/zestoraplus.1.gz \
         usr/share/bash-completion/completions/zestora; do
    grep -qx "\./$f" <<<"$listing" || fail "missing $f"
done
# Only the two programs; no test, benchmark or build files.
extra=$(grep -v -e '/$' <<<"$listing" | grep -v -e '^\./usr/share/' -e '^\./usr/bin/zestora$' -e '^\./usr/bin/zestoraplus$' || true)
[[ -z "$extra" ]] || fail "unexpected files: $extra"

depends=$(dpkg-deb -f "$DEB" Depends)
for lib in libqt6widgets6 libqt6printsupport6 libx11-6 libxml2; do
    [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$DEB" "$tmp"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$tmp/usr/share/applications/$ID.desktop" || fail "desktop file not valid"
else
    echo "package check: desktop-file-validate not installed, desktop file not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --no-color "$tmp/usr/share/metainfo/$ID.metainfo.xml" >"$tmp/appstream.log" 2>&1 \
        || { cat "$tmp/appstream.log" >&2; fail "metainfo not valid"; }
else
    echo "package check: appstreamcli not installed, metainfo not validated"
fi
for page in zestora zestoraplus; do
    zcat "$tmp/usr/share/man/man1/$page.1.gz" | grep -q '^\.SH DESCRIPTION' || fail "$page.1 has no DESCRIPTION"
done
zcat "$tmp/usr/share/man/man1/zestora.1.gz" | grep -q 'splashshopper' || fail "zestora.1 lacks the commands"

out=$("$tmp/usr/bin/zestora" --version) || fail "packaged zestora --version failed"
[[ "$out" == "zestora $VERSION" ]] || fail "packaged zestora --version printed '$out'"

if ((failures)); then
    echo "package check: $failures problem(s) in $(basename "$DEB")" >&2
    exit 1
fi
echo "package check: $(basename "$DEB") ok ($(grep -vc '/$' <<<"$listing") files, $depends)"
