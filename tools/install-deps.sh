#!/bin/sh
# Installs the Debian packages the build and the tests need, when some are missing.
# Runs apt-get directly as root, through sudo otherwise; without either it only
# lists what is missing and lets the build fail with the compiler's own message.
set -e
PKGS="cmake make g++ pkgconf libgtest-dev libgmock-dev libbenchmark-dev \
qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev \
libuemf-dev fonts-liberation fontconfig xvfb xauth clang libclang-rt-14-dev \
zint libzint-dev \
libcups2-dev cups poppler-utils libqt6sql6-sqlite"

missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Missing packages:$missing"
if [ "$(id -u)" = 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
else
  echo "Not root and no sudo: install them by hand (apt-get install$missing)." >&2
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing
