#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and only those missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build ccache g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libjpeg62-turbo-dev
  # linked worksheets (.xls; .xlsx and .ods are zip containers)
  libfreexl-dev libzip-dev
  # the .xlsx export
  libxlsxwriter-dev
  # Qt's own Hungarian texts for the standard dialogs and buttons
  qt6-translations-l10n
  # the English texts: lupdate and lrelease, and CMake's Qt6LinguistTools package
  qt6-l10n-tools qt6-tools-dev
  # barcode pictures: enhanced metafiles
  libemf-dev
  # QR Code, Data Matrix, PDF417 and Aztec: encoded by libzint, drawn by the program
  libzint-dev
  # fonts the barcode text and labels are measured with
  fonts-liberation2 fonts-dejavu-core
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # the decoder every barcode of a run is read back with before it prints (the program links
  # it: the Debian package then depends on libzxing2); the tests read drawn barcodes with it too
  libzxing-dev
  # a private print server with file-backed queues for the printing tests (the cups-pdf
  # driver's PPD makes a file queue write the job; Ghostscript renders what the queue printed)
  cups cups-client printer-driver-cups-pdf ghostscript
  # a print queue's resolution, asked of its server (the dot grid barcodes are printed on)
  libcups2-dev
  # reading the PDFs etikor-print writes (pdfinfo, pdftotext)
  poppler-utils
  # worksheet fixtures and an independent reader of the exported files
  python3-xlwt python3-xlrd
  # reading the exported .xlsx back in the tests
  python3-openpyxl
  # reading the written metafiles back (wmf2svg needs the URW fonts to place text)
  libwmf-bin emf2svg fonts-urw-base35
  # the Hungarian C library locale the locale tests run under (generated below)
  locales
  # the Debian package: dpkg-shlibdeps for its dependencies, the icons drawn from their SVGs,
  # and the checks of its desktop entry, AppStream metadata, MIME types and man pages
  dpkg-dev librsvg2-bin desktop-file-utils appstream shared-mime-info man-db
  # installing the package into a fresh system (tests/package/install-check.sh)
  debootstrap
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A fresh machine has only the C locale; the tests also run under a Hungarian desktop's one,
# and the English interface is looked at under an English desktop's.
for locale_name in hu_HU en_US; do
  if ! locale -a 2>/dev/null | grep -qix "${locale_name}\.utf-\?8"; then
    echo "Generating the ${locale_name}.UTF-8 locale"
    "${sudo_cmd[@]}" localedef -i "$locale_name" -f UTF-8 "${locale_name}.UTF-8"
  fi
done
