#!/usr/bin/env bash
# Builds the Debian package build/package/etikor_<version>_amd64.deb (the version is the CMake
# project version): installs what is missing, builds the program, the tools and the package's
# files in build/, and runs CPack's DEB generator, with dpkg-shlibdeps working out the library
# dependencies. tests/package/install-check.sh installs it into a fresh system and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh --target etikor etikor-table etikor-barcode etikor-series etikor-print etikor_package_files
rm -f build/package/etikor_*.deb
(cd build && cpack -G DEB >/dev/null)
ls build/package/etikor_*_amd64.deb
