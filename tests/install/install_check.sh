#!/usr/bin/env bash
# Checks of the installed Boardsmith, run by CTest (tests/install/CMakeLists.txt).
#
#   install_check.sh install BUILD PREFIX VERSION WITH_APP SOURCE
#       cmake --install into PREFIX (emptied first); the expected files are
#       there, the installed boardsmith-cli prints its version and reads the
#       installed example, the compressed manual pages are the sources.
#   install_check.sh desktop PREFIX SOURCE   desktop-file-validate; the
#       entry's program, icon and file types exist in PREFIX, and the editor
#       names the entry and uses the icon
#   install_check.sh metainfo PREFIX SOURCE   appstreamcli validate (no
#       network); the launchable desktop entry and the screenshot in docs/
#       exist, and the program's version is among the releases
#   install_check.sh mime PREFIX SOURCE   xmllint and update-mime-database
#       accept the MIME file; xdg-mime names our types for the installed
#       example, an old-style name, a file without extension (by its magic)
#       and a macro, and the desktop entry is the default for projects
#
# A check whose tool is missing is skipped with exit code 77 after the others
# have run (scripts/install-deps.sh installs them all).
set -uo pipefail

app_id=org.boardsmith.Boardsmith
project_type=application/x-boardsmith-project
macro_type=application/x-boardsmith-macro
failures=0
missing=()

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
have() { command -v "$1" >/dev/null 2>&1 || { missing+=("$1 ($2)"); return 1; }; }
finish() {
  if [ "$failures" -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
  if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIPPED: these tools are missing (scripts/install-deps.sh installs them): ${missing[*]}"
    exit 77
  fi
  echo "all checks passed"
  exit 0
}

check_install() {
  local build="$1" prefix="$2" version="$3" with_app="$4" source="$5"
  rm -rf "$prefix"
  if ! out=$(cmake --install "$build" --prefix "$prefix" 2>&1); then
    echo "$out"; fail "cmake --install failed"; finish
  fi
  local doc="$prefix/share/doc/boardsmith"
  local files=(bin/boardsmith-cli share/man/man1/boardsmith-cli.1.gz
    share/doc/boardsmith/copyright share/doc/boardsmith/changelog.gz
    share/doc/boardsmith/examples/demo.bsm6 share/doc/boardsmith/examples/kinds.bsm6)
  if [ "$with_app" = ON ]; then
    files+=(bin/boardsmith share/man/man1/boardsmith.1.gz
      "share/applications/$app_id.desktop"
      "share/icons/hicolor/scalable/apps/$app_id.svg"
      share/mime/packages/boardsmith.xml
      "share/metainfo/$app_id.metainfo.xml")
  fi
  for f in "${files[@]}"; do
    [ -f "$prefix/$f" ] || fail "not installed: $f"
  done
  [ -e "$prefix/share/doc/boardsmith/man" ] && fail "the manual page sources are installed as documentation"
  for p in boardsmith boardsmith-cli; do
    [ -e "$prefix/bin/$p" ] || continue
    [ -x "$prefix/bin/$p" ] || fail "bin/$p is not executable"
    if have readelf binutils && readelf -d "$prefix/bin/$p" | grep -Eq 'RPATH|RUNPATH'; then
      fail "bin/$p keeps a library search path: $(readelf -d "$prefix/bin/$p" | grep -E 'RPATH|RUNPATH')"
    fi
  done

  local cli="$prefix/bin/boardsmith-cli"
  out=$("$cli" --version 2>&1)
  [ "$out" = "Boardsmith $version" ] || fail "installed boardsmith-cli --version printed '$out', not 'Boardsmith $version'"
  out=$("$cli" info "$doc/examples/demo.bsm6" 2>&1)
  grep -q "components: 7" <<<"$out" || fail "installed boardsmith-cli info on the installed example printed: $out"

  for page in "$prefix"/share/man/man1/*.1.gz; do
    local name
    name=$(basename "$page" .gz)
    gzip -dc "$page" | cmp -s - "$source/docs/man/$name" || fail "$page is not docs/man/$name compressed"
  done
  finish
}

check_desktop() {
  local prefix="$1" source="$2"
  local entry="$prefix/share/applications/$app_id.desktop"
  if have desktop-file-validate desktop-file-utils; then
    if ! out=$(desktop-file-validate "$entry" 2>&1); then
      fail "desktop-file-validate rejects $entry: $out"
    elif [ -n "$out" ]; then
      fail "desktop-file-validate warns about $entry: $out"
    fi
  fi
  local exec icon types
  exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$prefix/bin/$exec" ] || fail "Exec=$exec is not an installed program"
  grep -q '^Exec=.* %[fFuU]$' "$entry" || fail "Exec takes no file (%f)"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon is not an installed icon"
  types=$(sed -n 's/^MimeType=//p' "$entry")
  grep -q "^GenericName=PCB Editor$" "$entry" || fail "the generic name is not 'PCB Editor'"
  IFS=';' read -r -a list <<<"$types"
  [ ${#list[@]} -gt 0 ] || fail "the entry names no MIME type"
  for t in "${list[@]}"; do
    grep -q "<mime-type type=\"$t\">" "$prefix/share/mime/packages/boardsmith.xml" ||
      fail "MimeType $t is not defined in share/mime/packages/boardsmith.xml"
  done
  # The editor names its entry (Wayland and desktops match windows to entries
  # by it) and takes its window icon from the icon's resource.
  grep -q "setDesktopFileName(\"$app_id\")" "$source/apps/boardsmith/main.cpp" ||
    fail "apps/boardsmith/main.cpp does not set the desktop file name $app_id"
  grep -q "QIcon(\":/icons/$icon.svg\")" "$source/apps/boardsmith/main.cpp" ||
    fail "apps/boardsmith/main.cpp does not take the window icon from :/icons/$icon.svg"
  finish
}

check_metainfo() {
  local prefix="$1" source="$2"
  local meta="$prefix/share/metainfo/$app_id.metainfo.xml"
  if have appstreamcli appstream; then
    out=$(appstreamcli validate --no-net --no-color "$meta" 2>&1) || fail "appstreamcli validate rejects $meta: $out"
  fi
  local launchable
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$meta")
  [ -f "$prefix/share/applications/$launchable" ] || fail "the launchable $launchable is not an installed desktop entry"
  grep -q "<id>$app_id</id>" "$meta" || fail "the component id is not $app_id"
  local version
  version=$("$prefix/bin/boardsmith-cli" --version | awk '{print $2}')
  grep -q "<release version=\"$version\"" "$meta" || fail "the releases do not list version $version"
  # Screenshots are the pictures of docs/ as published on the web site.
  local url
  for url in $(sed -n 's:.*<image[^>]*>\(.*\)</image>.*:\1:p' "$meta"); do
    [[ "$url" == https://*/docs/* ]] || { fail "screenshot $url is not a picture of docs/"; continue; }
    [ -f "$source/docs/${url#https://*/docs/}" ] || fail "screenshot $url: docs/${url#https://*/docs/} does not exist"
  done
  finish
}

check_mime() {
  local prefix="$1" source="$2"
  local xml="$prefix/share/mime/packages/boardsmith.xml"
  if have xmllint libxml2-utils; then
    out=$(xmllint --noout "$xml" 2>&1) || fail "xmllint rejects $xml: $out"
  fi
  have update-mime-database shared-mime-info || finish
  # A private copy of the prefix's share/ so that tests running side by side
  # do not see a half-written database.
  local work="$prefix.mime"
  rm -rf "$work" && mkdir -p "$work/share" "$work/home" "$work/config" "$work/files"
  cp -r "$prefix/share/mime" "$prefix/share/applications" "$work/share/"
  export XDG_DATA_HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/config"
  export XDG_DATA_DIRS="$work/share:/usr/share"
  out=$(update-mime-database "$work/share/mime" 2>&1) || fail "update-mime-database failed: $out"
  [ -z "$out" ] || fail "update-mime-database warns: $out"

  # xdg-mime asks gio when the desktop is GNOME (without a desktop it would
  # ask file(1), which knows only its own magic).
  if have xdg-mime xdg-utils && have gio libglib2.0-bin; then
    export XDG_CURRENT_DESKTOP=GNOME
    local example="$prefix/share/doc/boardsmith/examples/demo.bsm6"
    cp "$example" "$work/files/OLD.BSM"
    cp "$example" "$work/files/no-extension"
    cp "$source/fuzz/corpus/macro/synth25.bmk" "$work/files/part.bmk"
    printf 'just some text\n' >"$work/files/notes"
    expect() {
      local got
      got=$(xdg-mime query filetype "$1" 2>&1)
      [ "$got" = "$2" ] || fail "xdg-mime query filetype $(basename "$1"): '$got', expected '$2'"
    }
    expect "$example" "$project_type"
    expect "$work/files/OLD.BSM" "$project_type"
    expect "$work/files/no-extension" "$project_type"
    expect "$work/files/part.bmk" "$macro_type"
    got=$(xdg-mime query filetype "$work/files/notes" 2>&1)
    [ "$got" = "$project_type" ] && fail "a text file is taken for a project"
    if have update-desktop-database desktop-file-utils; then
      out=$(update-desktop-database "$work/share/applications" 2>&1) || fail "update-desktop-database failed: $out"
      unset XDG_CURRENT_DESKTOP
      got=$(xdg-mime query default "$project_type" 2>&1)
      [ "$got" = "$app_id.desktop" ] || fail "xdg-mime query default $project_type: '$got', expected '$app_id.desktop'"
    fi
  fi
  finish
}

mode="$1"
shift
case "$mode" in
  install) check_install "$@" ;;
  desktop) check_desktop "$@" ;;
  metainfo) check_metainfo "$@" ;;
  mime) check_mime "$@" ;;
  *) echo "unknown mode $mode"; exit 2 ;;
esac
