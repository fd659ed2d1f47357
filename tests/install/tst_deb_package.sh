#!/usr/bin/env bash
# Makes the Debian package of the build into a scratch directory and checks what Debian asks of
# it: the copyright file, the changelog and the manual page in their places, the changelog's
# version that of the package, description lines within 80 characters, Qt's translations
# recommended, and, where lintian is installed, no error from it.
# Usage: tst_deb_package.sh <cpack> <CPackConfig.cmake> <scratch directory> [sanitized]
set -u
cpack=$1
config=$2
scratch=$3
sanitized=${4:-OFF}

if ! command -v dpkg-shlibdeps > /dev/null; then
    echo "SKIP: dpkg-shlibdeps is not installed (Debian package dpkg-dev)"
    exit 77
fi
fail() {
    echo "FAIL: $*"
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"
"$cpack" -G DEB --config "$config" -B "$scratch" > "$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack did not make the package"; }
deb=$(ls "$scratch"/vantrelle_*.deb 2> /dev/null | head -n 1)
[ -n "$deb" ] || fail "no vantrelle_*.deb in $scratch"

contents=$(dpkg-deb -c "$deb")
for file in usr/share/doc/vantrelle/copyright usr/share/doc/vantrelle/changelog.Debian.gz \
    usr/share/man/man1/vantrelle.1.gz; do
    grep -q " \./$file\$" <<< "$contents" || fail "$file is not in the package"
done

version=$(dpkg-deb -f "$deb" Version)
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/vantrelle/changelog.Debian.gz |
    gzip -dc | head -n 1 | grep -qF "vantrelle ($version) " ||
    fail "the changelog's first entry is not version $version"
long=$(dpkg-deb -f "$deb" Description | awk 'length > 80')
[ -z "$long" ] || fail "description lines over 80 characters: $long"
dpkg-deb -f "$deb" Recommends | grep -qw qt6-translations-l10n ||
    fail "qt6-translations-l10n is not recommended"

if [ "$sanitized" = ON ]; then
    echo "a sanitizer build is no package to ship: lintian's check is skipped"
elif command -v lintian > /dev/null; then
    lintian "$deb" > "$scratch/lintian.log" 2>&1
    cat "$scratch/lintian.log"
    grep -q '^E:' "$scratch/lintian.log" && fail "lintian reports errors"
else
    echo "lintian is not installed (Debian package lintian): its check is skipped"
fi
echo "PASS: $(basename "$deb")"
