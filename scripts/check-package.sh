#!/usr/bin/env bash
# Builds the Debian package and checks it as an administrator gets it: lintian,
# the desktop entry, the user unit, the manual page, and the installed program
# (unpacked into a throwaway root) on the demo and on the example settings.
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
trap 'rm -rf "$work"' EXIT
root="$work/root"
dpkg-deb -x "$deb" "$root"
program="$root/usr/bin/assi"
[ -x "$program" ] || fail "no program in the package"

echo "== desktop entry"
desktop-file-validate "$root/usr/share/applications/assi.desktop"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/assi.svg" ] || fail "no icon"
[ ! -e "$root/etc/xdg/autostart" ] || fail "an autostart entry would start a second board"

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
echo "check-package: $deb is good."
