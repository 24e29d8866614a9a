#!/usr/bin/env bash
# Installs the Debian packages that building, running the demo and testing need,
# and generates the locales the tests use. Safe to run again: quiet when all is there.
set -euo pipefail

# Build: compiler, CMake, pkg-config, Qt (with D-Bus), XCB and its DPMS and
# MIT-SCREEN-SAVER extensions (the display check, the screen kept awake),
# libwayland, wayland-protocols and Qt's private GUI headers (the screen measured and kept
# on under Wayland: the idle-inhibit protocol's code is generated at build
# time and bound on Qt's own connection). Run: Qt's SQL drivers, FreeTDS for
# SQL Server, fonts, Qt's Wayland platform. Tests: GoogleTest, the SQLite ODBC
# driver (ODBC tests without a server), the locales below, the time zones, a
# D-Bus daemon, Xvfb and xset (the screen kept awake on a private bus and a
# private X server, its screen saver read back), cage and Xwayland (the kiosk run on a headless Wayland output).
# Benchmarks: Google Benchmark. CI: clang-format, clang-tidy, and the Debian
# package's checks (dpkg-dev, lintian, desktop-file-validate, systemd-analyze,
# man).
packages=(
  cmake g++ make pkg-config
  libwayland-dev wayland-protocols qt6-base-private-dev qt6-wayland cage xwayland
  qt6-base-dev qt6-base-dev-tools libxcb1-dev libxcb-dpms0-dev libxcb-screensaver0-dev libqt6sql6-sqlite libqt6sql6-odbc
  odbcinst tdsodbc libsqliteodbc
  fonts-dejavu-core fonts-liberation2 locales tzdata
  libgtest-dev libbenchmark-dev clang-format clang-tidy dbus-daemon xvfb x11-xserver-utils
  dpkg-dev file lintian desktop-file-utils systemd man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "A instalar: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Tests format dates and numbers under both locales.
need_gen=0
for loc in pt_PT.UTF-8 en_US.UTF-8; do
  if ! grep -qE "^${loc//./\\.} UTF-8" /etc/locale.gen 2>/dev/null; then
    "${sudo_cmd[@]}" sed -i -E "s/^# *(${loc//./\\.} UTF-8)/\1/" /etc/locale.gen
    grep -qE "^${loc//./\\.} UTF-8" /etc/locale.gen || echo "${loc} UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    need_gen=1
  fi
  short=$(echo "$loc" | sed 's/UTF-8/utf8/')
  locale -a 2>/dev/null | grep -qx "$short" || need_gen=1
done
if [ $need_gen -eq 1 ]; then
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
