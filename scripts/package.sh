#!/usr/bin/env bash
# Builds the Debian package build/luckydraw_<version>_<arch>.deb: installs what is missing,
# builds the program, checks the menu entry and the AppStream metadata, and runs cpack.
# Install it with: apt-get install ./build/luckydraw_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
# dpkg-shlibdeps (dpkg-dev, file) names the Qt libraries the package depends on.
luckydraw_install_deps dpkg-dev file desktop-file-utils appstream
luckydraw_build luckydraw

desktop-file-validate packaging/luckydraw.desktop
# The component is named after its menu entry, luckydraw.desktop, rather than a reverse
# domain name: that is a choice, not a fault.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info packaging/luckydraw.metainfo.xml

# The demo's folder name is Chinese: cpack needs a UTF-8 locale to pack it.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
rm -f build/luckydraw_*.deb
(cd build && cpack -G DEB)
deb=$(ls build/luckydraw_*.deb)
dpkg-deb --field "$deb" Package Version Depends Recommends
echo "Built $deb"
