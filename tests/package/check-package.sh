#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks what it holds: its name and version,
# the dependencies dpkg-shlibdeps worked out, every file it must install and nothing else, and
# that the desktop entry, the AppStream metadata, the MIME types, the icons, the man pages, the
# shipped tables and the binaries' versions are sound.
#   check-package.sh BUILD_DIR VERSION
set -uo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  exit 1
fi
deb="$work/out/etikor_${version}_amd64.deb"
if [[ ! -f $deb ]]; then
  echo "FAIL: no $(basename "$deb"); made: $(ls "$work/out")" >&2
  exit 1
fi

# Control fields.
[[ $(dpkg-deb -f "$deb" Package) == etikor ]] || fail "Package field"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "Version field"
[[ $(dpkg-deb -f "$deb" Architecture) == amd64 ]] || fail "Architecture field"
depends=$(dpkg-deb -f "$deb" Depends)
depended=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 libfreexl1 libzip4 libxlsxwriter4; do
  grep -qxF "$package" <<<"$depended" || fail "Depends lacks $package: $depends"
done
grep -q "fonts-liberation2" <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Recommends lacks fonts-liberation2"

# The files: everything expected is there, and nothing else.
expected=(
  usr/bin/etikor usr/bin/etikor-table usr/bin/etikor-barcode usr/bin/etikor-series usr/bin/etikor-print
  usr/share/etikor/Sorozat/Sorozat0.ctv usr/share/etikor/Sorozat/Sorozat0.sor usr/share/etikor/Sorozat/Sorozat0.vks
  usr/share/etikor/nytemp.tmp usr/share/etikor/Temp.tmp usr/share/etikor/Etisg.hlp
  usr/share/etikor/stock/labels.csv usr/share/etikor/stock/README.md
  usr/share/applications/org.etikor.Etikor.desktop
  usr/share/metainfo/org.etikor.Etikor.metainfo.xml
  usr/share/mime/packages/org.etikor.Etikor.xml
  usr/share/doc/etikor/README.md
)
for program in etikor etikor-table etikor-barcode etikor-series etikor-print; do
  expected+=("usr/share/man/man1/$program.1.gz")
done
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/org.etikor.Etikor.png")
  for type in template series; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/mimetypes/application-x-etikor-$type.png")
  done
done
expected+=(usr/share/icons/hicolor/scalable/apps/org.etikor.Etikor.svg
  usr/share/icons/hicolor/scalable/mimetypes/application-x-etikor-template.svg
  usr/share/icons/hicolor/scalable/mimetypes/application-x-etikor-series.svg)
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | sort >"$work/files"
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
if ! diff -u "$work/expected" "$work/files" >"$work/files.diff"; then
  fail "files differ from the expected ones (- missing, + unexpected):"
  grep '^[-+][^-+]' "$work/files.diff" >&2
fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"

# Desktop entry: valid, its icon installed, its MIME types defined with their icons.
desktop="$share/applications/org.etikor.Etikor.desktop"
desktop-file-validate "$desktop" >&2 || fail "desktop-file-validate"
grep -qx 'Exec=etikor %f' "$desktop" || fail "the desktop entry does not pass the file to open"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f $share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no icon named $icon"
mime="$share/mime/packages/org.etikor.Etikor.xml"
for type in $(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' '); do
  grep -q "<mime-type type=\"$type\">" "$mime" || fail "MIME type $type not defined"
  [[ -f $share/icons/hicolor/48x48/mimetypes/${type//\//-}.png ]] || fail "no icon for $type"
done
mkdir -p "$work/mime/packages"
cp "$mime" "$work/mime/packages/"
update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || fail "update-mime-database: $(cat "$work/mime.log")"
for glob in 'application/x-etikor-template:\*.ctv' 'application/x-etikor-series:\*.sor'; do
  grep -q ":$glob\$" "$work/mime/globs2" || fail "no glob $glob"
done

# AppStream metadata.
appstreamcli validate --no-net "$share/metainfo/org.etikor.Etikor.metainfo.xml" >"$work/appstream.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/appstream.log")"
grep -q "<release version=\"$version\"" "$share/metainfo/org.etikor.Etikor.metainfo.xml" ||
  fail "the metadata does not name version $version"

# Binaries: each reports the package's version; the shipped tables are the store's own.
for program in etikor etikor-table etikor-barcode etikor-series etikor-print; do
  out=$("$root/usr/bin/$program" --version 2>&1)
  [[ $out == "$program $version" ]] || fail "$program --version said '$out'"
done
for file in Sorozat/Sorozat0.ctv Sorozat/Sorozat0.sor Sorozat/Sorozat0.vks nytemp.tmp Temp.tmp; do
  "$root/usr/bin/etikor-table" dump "$share/etikor/$file" >/dev/null || fail "$file does not read"
done

# Man pages: render without warnings, carry the version, and name every option the program's
# --help names.
for program in etikor etikor-table etikor-barcode etikor-series etikor-print; do
  page="$share/man/man1/$program.1.gz"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$program.1: $warnings"
  source=$(zcat "$page")
  grep -q "^\.TH .*\"Etikor $version\"" <<<"$source" || fail "$program.1 does not carry version $version"
  for option in $("$root/usr/bin/$program" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "${option//-/\\-}" <<<"$source" || fail "$program.1 does not mention $option"
  done
done

exit $status
