#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12.
# Idempotent: every step checks first and does nothing when already done.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

packages=(
  cmake make ninja-build pkg-config
  g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  libgtest-dev
  libjpeg62-turbo-dev libpng-dev libtiff-dev zlib1g-dev libgif-dev
  nasm dpkg-dev bzip2 xz-utils
  wine wine64 xvfb xserver-xephyr xdotool xclip x11-utils imagemagick fonts-wqy-microhei trayer
  python3 python3-xlib python3-pil libjpeg-turbo-progs time locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# Source packages are needed to cross-build the picture libraries.
ensure_deb_src() {
  local f=/etc/apt/sources.list.d/debian.sources
  if [ -f "$f" ] && ! grep -q 'deb-src' "$f"; then
    $SUDO sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
    return 0
  fi
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list && ! grep -q '^deb-src ' /etc/apt/sources.list; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $SUDO tee -a /etc/apt/sources.list >/dev/null
    return 0
  fi
  return 1
}

updated=0
if ensure_deb_src; then updated=1; fi
if [ ${#missing[@]} -gt 0 ] || [ "$updated" = 1 ] || [ ! -d /var/lib/apt/lists ] || [ -z "$(ls /var/lib/apt/lists 2>/dev/null | grep -i Sources || true)" ]; then
  echo "setup: apt-get update"
  $SUDO apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine names host files in the host's locale. Without a real zh_CN.UTF-8
# locale, a file or folder named in Chinese can be neither made nor opened
# under Wine, and Chinese command-line arguments arrive garbled.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN\.utf8'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

"$here/build-deps.sh"
