#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Boardsmith.
# Idempotent and non-interactive: only packages that are missing are installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache clang-format
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n libgl-dev
  libagg-dev libjpeg-dev libgif-dev libpng-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  gerbv xvfb xauth python3 python3-shapely imagemagick
  # the editor's Qt plugins at run time: platforms, and SVG for the window icon
  libqt6svg6 qt6-qpa-plugins
  # `make package` and the checks of the installed files and of the package
  dpkg-dev binutils gzip groff-base lintian
  desktop-file-utils appstream libxml2-utils shared-mime-info xdg-utils libglib2.0-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
