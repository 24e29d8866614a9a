#!/usr/bin/env bash
# Builds the Debian package and checks it as an administrator gets it: lintian,
# the desktop entries, the units and the scripts they run, the manual page, and
# the installed program (unpacked into a throwaway root) on the demo and on the
# example settings. As root on a machine where assi is not installed (CI), it
# also installs, removes, purges and reinstalls the package itself, and runs
# the README's kiosk steps that need no running systemd.
# Run by test.sh after the tests; needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build

# The package's program must know it is installed in /usr/bin.
cmake -S . -B "$build" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j"$(nproc)" --target assi assi_package_files
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/assi_${version}_$(dpkg --print-architecture).deb"
rm -f "$deb"
(cd "$build" && cpack -G DEB >/dev/null)

fail() {
  echo "check-package: $*" >&2
  exit 1
}

echo "== lintian"
# Root is warned about running lintian; CI runs as root.
lintian --fail-on error --info "$deb" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian found errors in $deb"

# A new project version needs its own entry in packaging/changelog.
zcat "$build/packaging/changelog.gz" | head -1 | grep -q "^assi ($version)" ||
  fail "packaging/changelog has no entry for version $version at its top"

work=$(mktemp -d)
installed_here=0
# A check that fails half-way must not leave the package on the machine.
trap 'rm -rf "$work"; [ "$installed_here" = 0 ] || dpkg -P assi >/dev/null 2>&1 || true' EXIT
root="$work/root"
dpkg-deb -x "$deb" "$root"
program="$root/usr/bin/assi"
[ -x "$program" ] || fail "no program in the package"

echo "== desktop entry"
desktop-file-validate "$root/usr/share/applications/assi.desktop"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/assi.svg" ] || fail "no icon"
autostart="$root/etc/xdg/autostart/assi-autostart.desktop"
desktop-file-validate "$autostart"
grep -qx 'Exec=/usr/libexec/assi/autostart' "$autostart" || fail "the autostart entry runs something else"

echo "== autostart script"
# Against a stand-in systemctl that logs what it is asked and says the unit is
# enabled or not, in a session with DISPLAY and without WAYLAND_DISPLAY.
mkdir -p "$work/fakebin"
cat >"$work/fakebin/systemctl" <<'FAKE'
#!/bin/sh
echo "$*" >>"$SYSTEMCTL_LOG"
case "$*" in *is-enabled*) [ "$UNIT_ENABLED" = yes ] ;; esac
FAKE
chmod 755 "$work/fakebin/systemctl"
for enabled in no yes; do
  log="$work/systemctl-$enabled.log"
  : >"$log"
  env -u WAYLAND_DISPLAY PATH="$work/fakebin:$PATH" SYSTEMCTL_LOG="$log" UNIT_ENABLED=$enabled \
    DISPLAY=:7 XAUTHORITY=/tmp/xauth sh "$root/usr/libexec/assi/autostart" || fail "autostart failed ($enabled)"
  if [ $enabled = no ]; then
    [ "$(cat "$log")" = "--user --quiet is-enabled assi.service" ] || fail "autostart did more than ask: $(cat "$log")"
  else
    for call in "--user import-environment DISPLAY" "--user unset-environment WAYLAND_DISPLAY" \
      "--user import-environment XAUTHORITY" "--user reset-failed assi.service" \
      "--user start --no-block assi.service"; do
      grep -qx -- "$call" "$log" || fail "autostart did not run systemctl $call: $(cat "$log")"
    done
  fi
done

echo "== systemd user unit"
unit="$root/usr/lib/systemd/user/assi.service"
grep -qx 'ExecStart=/usr/bin/assi --fullscreen' "$unit" || fail "the unit does not start /usr/bin/assi"
# The unit as installed, pointed at the unpacked program (nothing is installed
# on this machine); no running systemd needed, but a runtime folder is.
mkdir -p "$work/units" "$work/runtime"
chmod 700 "$work/runtime"
sed "s|/usr/bin/assi|$program|" "$unit" >"$work/units/assi.service"
verify=$(XDG_RUNTIME_DIR="$work/runtime" systemd-analyze verify --user --man=no \
  "$work/units/assi.service" 2>&1) || fail "systemd-analyze verify: $verify"
[ -z "$verify" ] || fail "systemd-analyze verify: $verify"

echo "== kiosk unit and its script"
kunit="$root/usr/lib/systemd/system/assi-kiosk.service"
grep -qx 'ExecStart=/usr/libexec/assi/kiosk' "$kunit" || fail "the kiosk unit does not run /usr/libexec/assi/kiosk"
grep -qx 'User=assi' "$kunit" || fail "the kiosk unit does not run as assi"
sed "s|/usr/libexec/assi/kiosk|$root/usr/libexec/assi/kiosk|" "$kunit" >"$work/units/assi-kiosk.service"
verify=$(systemd-analyze verify --man=no "$work/units/assi-kiosk.service" 2>&1) ||
  fail "systemd-analyze verify: $verify"
[ -z "$verify" ] || fail "systemd-analyze verify: $verify"
# cage ends with 0 whatever the board did: the script carries the board's own
# status out, so that systemd restarts a board that crashed and not one closed
# with Esc. A stand-in cage runs what follows "--".
cat >"$work/fakebin/cage" <<'FAKE'
#!/bin/sh
while [ "$1" != "--" ]; do shift; done
shift
"$@"
exit 0
FAKE
cat >"$work/fakebin/board" <<'FAKE'
#!/bin/sh
[ "$1" = --fullscreen ] || exit 99
[ "$QT_QPA_PLATFORM" = wayland ] || exit 98
[ -z "${WATCHDOG_PID:-}" ] || exit 97
exit "$BOARD_STATUS"
FAKE
chmod 755 "$work/fakebin/cage" "$work/fakebin/board"
sed -e "s|/usr/bin/cage|$work/fakebin/cage|" -e "s|/usr/bin/assi|$work/fakebin/board|" \
  "$root/usr/libexec/assi/kiosk" >"$work/kiosk"
for board_status in 0 1 2 134; do
  got=0
  XDG_RUNTIME_DIR="$work/runtime" WATCHDOG_PID=1 BOARD_STATUS=$board_status sh "$work/kiosk" || got=$?
  [ "$got" = "$board_status" ] || fail "the kiosk script ended with $got for a board that ended with $board_status"
done

echo "== manual page"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/assi.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man: $warnings"

echo "== installed program"
# As a user runs it: no display, no QT_QPA_PLATFORM (it picks offscreen itself).
run() { env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work/runtime" "$program" "$@"; }
[ "$(run --version)" = "assi $version" ] || fail "--version does not say $version"
run --demo --base-dir "$work/demo" --check
run --demo --base-dir "$work/demo" --snapshot "$work/demo.png"
[ -s "$work/demo.png" ] || fail "--snapshot wrote no image"

echo "== example settings, installed as the program folder's OTK.zlv"
# The example's look on the demo's data: its database values point at the demo.
mkdir -p "$work/site"
database=$(find "$work/demo/zelvio" -name '*.sqlite' | head -1)
[ -n "$database" ] || fail "the demo wrote no database"
sed -e 's/^Motor=.*/Motor=sqlite/' -e 's/^Driver=.*/Driver=/' -e "s|^BaseDados=.*|BaseDados=$database|" \
  "$root/usr/share/doc/assi/OTK.zlv.exemplo" >"$work/site/OTK.zlv"
chmod 644 "$work/site/OTK.zlv"
check=$(run --base-dir "$work/nowhere" --app-dir "$work/site" --check) || fail "--check: $check"
echo "$check"
grep -q "^Pasta do programa: $work/site" <<<"$check" || fail "--check does not name the program folder"
grep -q "^AVISO: .*modo 0644.*chmod 600" <<<"$check" || fail "--check does not warn about a readable password"
chmod 600 "$work/site/OTK.zlv"
run --base-dir "$work/nowhere" --app-dir "$work/site" --check | grep -q '^AVISO' && fail "warned about a private file"
run --base-dir "$work/nowhere" --app-dir "$work/site" --snapshot "$work/example.png" --size 1920x1080
# Over SSH, the screen line is said to be about this session.
check=$(SSH_CONNECTION="10.0.0.1 5000 10.0.0.2 22" run --base-dir "$work/nowhere" --app-dir "$work/site" --check)
grep -q "aberta por SSH" <<<"$check" || fail "--check over SSH does not say its screen line is its own session's"

install_test() {
  echo "== the package installed, removed, purged and installed again"
  installed_here=1
  dpkg -i "$deb" >/dev/null || fail "dpkg -i $deb"
  [ "$(getent passwd assi | cut -d: -f6)" = /var/lib/assi ] || fail "no user assi with home /var/lib/assi"
  [ -d /var/lib/assi ] || fail "no /var/lib/assi"
  [ "$(stat -c '%U:%G %a' /etc/assi)" = "root:assi 750" ] || fail "/etc/assi is $(stat -c '%U:%G %a' /etc/assi)"
  # The README's kiosk steps, as far as they go without a running systemd.
  cp /usr/share/doc/assi/OTK.zlv.exemplo /etc/assi/OTK.zlv
  sed -i -e 's/^Motor=.*/Motor=sqlite/' -e "s|^BaseDados=.*|BaseDados=$database|" /etc/assi/OTK.zlv
  chown assi: /etc/assi/OTK.zlv && chmod 600 /etc/assi/OTK.zlv
  chmod 755 "$work" "$work/demo" "$work/demo/zelvio"
  chmod 644 "$database"
  runuser -u assi -- env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR /usr/bin/assi --check >"$work/kiosk-check.txt" ||
    fail "assi --check as assi on /etc/assi/OTK.zlv: $(cat "$work/kiosk-check.txt")"
  grep -q "^Ficheiro de definições: /etc/assi/OTK.zlv" "$work/kiosk-check.txt" || fail "--check as assi did not read /etc/assi/OTK.zlv"
  systemctl enable assi-kiosk >/dev/null 2>&1 || fail "systemctl enable assi-kiosk"
  [ -L /etc/systemd/system/graphical.target.wants/assi-kiosk.service ] || fail "assi-kiosk was not enabled"
  systemctl disable assi-kiosk >/dev/null 2>&1
  systemctl --global enable assi >/dev/null 2>&1 || fail "systemctl --global enable assi"
  [ -L /etc/systemd/user/graphical-session.target.wants/assi.service ] || fail "assi was not enabled for every user"
  systemctl --global disable assi >/dev/null 2>&1
  dpkg -r assi >/dev/null || fail "dpkg -r assi"
  [ -f /etc/assi/OTK.zlv ] || fail "removing the package lost /etc/assi/OTK.zlv"
  dpkg -i "$deb" >/dev/null || fail "dpkg -i $deb, again"
  [ -f /etc/assi/OTK.zlv ] || fail "installing again lost /etc/assi/OTK.zlv"
  dpkg -P assi >/dev/null || fail "dpkg -P assi"
  [ ! -e /etc/assi ] || fail "purging the package left /etc/assi"
  [ ! -e /var/lib/assi ] || fail "purging the package left /var/lib/assi"
  dpkg -i "$deb" >/dev/null || fail "dpkg -i $deb after a purge"
  [ "$(stat -c '%U:%G %a' /etc/assi)" = "root:assi 750" ] || fail "/etc/assi after a purge is $(stat -c '%U:%G %a' /etc/assi)"
  [ "$(stat -c '%U' /var/lib/assi)" = assi ] || fail "no home of its own for assi after a purge"
  dpkg -P assi >/dev/null
  installed_here=0
}
# Only where nothing of a real installation can be lost.
if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W assi >/dev/null 2>&1 && [ ! -e /etc/assi ]; then
  install_test
else
  echo "== (not installing the package: not root, or assi or /etc/assi already here)"
fi
echo "check-package: $deb is good."
