#!/usr/bin/env bash
# Installs what is missing (Debian 12 packages) and builds the program and
# its tests into build/.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libqt6sql6-psql qt6-translations-l10n
    libxlsxwriter-dev
    postgresql postgresql-client
    fonts-dejavu-core python3
)
# The demo also wants a display server to show itself on when there is none.
if [ "${1:-}" = "--demo" ]; then
    packages+=(xvfb openbox)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build"
