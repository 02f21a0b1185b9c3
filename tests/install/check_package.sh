#!/usr/bin/env bash
# Checks the Debian package that `make package` built in BUILD (the newest
# boardsmith_*.deb there): the files it installs, its dependencies, and lintian
# without errors. Usage: tests/install/check_package.sh BUILD
set -uo pipefail
build="${1:?usage: check_package.sh BUILD}"
deb=$(ls -t "$build"/boardsmith_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "no boardsmith_*.deb in $build: run 'make package' first"; exit 1; }
echo "checking $deb ($(du -h "$deb" | cut -f1))"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

app_id=org.boardsmith.Boardsmith
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/boardsmith usr/bin/boardsmith-cli \
  "usr/share/applications/$app_id.desktop" \
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
  usr/share/mime/packages/boardsmith.xml \
  "usr/share/metainfo/$app_id.metainfo.xml" \
  usr/share/man/man1/boardsmith.1.gz usr/share/man/man1/boardsmith-cli.1.gz \
  usr/share/doc/boardsmith/copyright usr/share/doc/boardsmith/changelog.gz \
  usr/share/doc/boardsmith/examples/demo.bsm6; do
  grep -qx "\./$f" <<<"$listing" || fail "the package lacks /$f"
done
outside=$(grep -v -e '^\./$' -e '^\./usr/' <<<"$listing")
[ -z "$outside" ] || fail "files outside /usr: $outside"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=" $(sed -E 's/ \([^)]*\)//g; s/,//g' <<<"$depends") "
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins libqt6svg6; do
  [[ "$names" == *" $p "* ]] || fail "Depends does not name $p"
done

if command -v lintian >/dev/null 2>&1; then
  # Errors fail; warnings and notes are shown.
  lintian --fail-on error --display-info --tag-display-limit 0 "$deb" || fail "lintian reports errors"
else
  fail "lintian is missing (scripts/install-deps.sh installs it)"
fi

if [ "$failures" -gt 0 ]; then echo "$failures check(s) of the package failed"; exit 1; fi
echo "the package has the expected files and dependencies, and lintian reports no errors"
