#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 system and runs it there as a user would:
# a minimal root made by debootstrap from Debian's packages, the package installed with apt
# (which must find every dependency the package names), then, as an unprivileged user whose
# current folder and program folders are not writable, each command-line tool with --help and
# the program headless with --quit-after-start: it must come up, write its settings into the
# user's configuration folder and its working files into the user's data folder, touch nothing
# else, and end with success. Finally the package is removed again.
#   install-check.sh PACKAGE.deb [WORK_DIR]
# Needs root (or sudo) and Debian's package mirror; the base system is kept as a tarball in
# WORK_DIR (default build/install-check) so that a second run does not download it again.
# Outside the normal test suite; .ci/run runs it.
set -euo pipefail
deb=$(realpath "$1")
cd "$(dirname "$0")/../.."
work=$(realpath -m "${2:-build/install-check}")
mirror=${ETIKOR_DEBIAN_MIRROR:-http://deb.debian.org/debian}
suite=bookworm
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
as_root() { "${sudo_cmd[@]}" "$@"; }

root="$work/root"
base="$work/$suite-minbase.tar"
mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do as_root umount -l "${mounted[i]}" || true; done
  # Never into a mount that is still there.
  as_root rm -rf --one-file-system "$root"
}
trap cleanup EXIT

mkdir -p "$work"
as_root rm -rf --one-file-system "$root"
if [[ ! -f $base ]]; then
  echo "Making a $suite base system with debootstrap"
  as_root debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -20 "$work/debootstrap.log"; exit 1; }
  as_root tar -C "$root" -cf "$base.part" .
  as_root mv "$base.part" "$base"
else
  as_root mkdir -p "$root"
  as_root tar -C "$root" -xf "$base"
fi
for fs in proc dev dev/pts; do
  as_root mount --bind "/$fs" "$root/$fs"
  mounted+=("$root/$fs")
done
as_root cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() { as_root chroot "$root" "$@"; }

echo "Installing $(basename "$deb")"
as_root cp "$deb" "$root/tmp/etikor.deb"
in_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/etikor.deb >"$work/apt.log" 2>&1 ||
  { tail -30 "$work/apt.log"; exit 1; }
in_root useradd --create-home --shell /bin/sh tester

status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}
# A command as the user, from the root folder (which the user cannot write), with a desktop's
# environment and no display.
as_user() {
  in_root runuser -u tester -- env -i HOME=/home/tester PATH=/usr/bin:/bin LANG=C.UTF-8 \
    XDG_RUNTIME_DIR=/tmp/runtime-tester QT_QPA_PLATFORM=offscreen sh -c 'cd / && exec "$@"' sh "$@"
}
in_root install -d -m 700 -o tester -g tester /tmp/runtime-tester

for tool in etikor-table etikor-barcode etikor-series etikor-print; do
  if out=$(as_user "$tool" --help 2>&1); then
    [[ $out == "usage: $tool"* ]] || fail "$tool --help printed: $out"
  else
    fail "$tool --help failed: $out"
  fi
done

touch_mark=$(in_root mktemp)
if out=$(as_user timeout 60 etikor --quit-after-start 2>&1); then
  echo "$out"
else
  fail "etikor --quit-after-start ended with $?: $out"
fi
for file in /home/tester/.config/Etikor/etikor.ini /home/tester/.local/share/Etikor/Sorozat/Sorozat0.ctv \
  /home/tester/.local/share/Etikor/Sorozat/Sorozat0.sor /home/tester/.local/share/Etikor/Sorozat/Sorozat0.vks \
  /home/tester/.local/share/Etikor/nytemp.tmp /home/tester/.local/share/Etikor/Temp.tmp; do
  in_root test -f "$file" || fail "no $file after the first start"
done
in_root grep -q '^Utolso=Sorozat0.ctv' /home/tester/.config/Etikor/etikor.ini ||
  fail "the settings do not name the last template"
# Nothing written outside the user's folders and the temporary folder.
written=$(in_root find / -xdev -newer "$touch_mark" -not -path '/home/tester/*' -not -path '/tmp/*' \
  -not -path '/proc/*' -not -path '/sys/*' -not -path '/dev/*' -not -path /home/tester -not -type d -print)
[[ -z $written ]] || fail "written outside the user's folders: $written"

# A second start keeps the user's files and comes up again.
if ! out=$(as_user timeout 60 etikor --quit-after-start 2>&1); then
  fail "the second start ended with $?: $out"
fi

echo "Removing the package"
in_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq etikor >>"$work/apt.log" 2>&1 || fail "apt-get remove"
in_root test ! -e /usr/bin/etikor || fail "/usr/bin/etikor left after removal"
in_root test ! -e /usr/share/etikor || fail "/usr/share/etikor left after removal"

[[ $status -eq 0 ]] && echo "The package installs, runs and uninstalls."
exit $status
