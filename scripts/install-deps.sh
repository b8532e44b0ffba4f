#!/usr/bin/env bash
# Installs what building, running and testing Quillon needs on Debian 12; with --test also
# what only the tests use (real-world documents, the desktop entry's checker).
# Only missing packages are installed; sudo is used when not running as root.
set -euo pipefail

packages=(
  g++ cmake ninja-build make
  qt6-base-dev libgl-dev libxml2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick
  fonts-dejavu-core fonts-liberation2
  default-jre-headless libsaxonhe-java xsltproc xml-core
)
test_packages=(docbook-xml docbook-xsl desktop-file-utils)
if [ "${1:-}" = "--test" ]; then packages+=("${test_packages[@]}"); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
