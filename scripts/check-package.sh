#!/usr/bin/env bash
# Validates what the Debian package installs: the desktop entry, the AppStream metainfo, the
# file types and the man page, then lintian on the package itself. Fails on any error.
set -euo pipefail
deb="$1"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"

desktop-file-validate "$share"/applications/*.desktop
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml
# shared-mime-info must take the file types and their extensions.
XDG_DATA_DIRS="$share" update-mime-database "$share/mime"
for extension in velk tre slf loc; do
    grep -q ":\*\.$extension\$" "$share/mime/globs2" || { echo "no type for .$extension" >&2; exit 1; }
done
zcat "$share"/man/man1/*.1.gz | LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l - 2>&1 >/dev/null \
    | { ! grep .; }
# Errors fail; warnings that cannot be helped are explained in the README.
lintian --fail-on error "$deb"
echo "package checks passed: $deb"
