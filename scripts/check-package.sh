#!/usr/bin/env bash
# Validates what the Debian package installs: the desktop entry, the AppStream metainfo, the
# file types, the man page, the documentation and the licence, then lintian on the package
# itself. Fails on any error.
set -euo pipefail
deb="$1"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"
fail() { echo "$*" >&2; exit 1; }

desktop-file-validate "$share"/applications/*.desktop
# Pedantic: anything but the note on the upper-case letter of the ID fails.
appstream=$(appstreamcli validate --pedantic --no-net "$share"/metainfo/*.metainfo.xml) ||
    fail "$appstream"
remarks=$(grep -E '^[EWIP]: ' <<<"$appstream" | grep -v ': cid-contains-uppercase-letter ' || true)
[ -z "$remarks" ] || fail "$remarks"
grep -q '<project_license>MIT</project_license>' "$share"/metainfo/*.metainfo.xml ||
    fail "the metainfo names no MIT licence"
# shared-mime-info must take the file types and their extensions.
XDG_DATA_DIRS="$share" update-mime-database "$share/mime"
for extension in velk tre slf loc; do
    grep -q ":\*\.$extension\$" "$share/mime/globs2" || fail "no type for .$extension"
done
zcat "$share"/man/man1/*.1.gz | LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l - 2>&1 >/dev/null \
    | { ! grep .; }
doc="$share/doc/sapwright"
for file in copyright changelog.gz README.md.gz user-guide.md.gz; do
    [ -s "$doc/$file" ] || fail "no $file in /usr/share/doc/sapwright"
done
grep -q '^License: Expat$' "$doc/copyright" || fail "the copyright file names no MIT (Expat) licence"
# Errors fail; warnings that cannot be helped are explained in the README.
lintian --fail-on error "$deb"
echo "package checks passed: $deb"
