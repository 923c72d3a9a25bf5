#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Trendwick need.
# This is the only place package names are listed. Only missing packages are installed,
# so a second run on a ready machine takes a moment.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake pkg-config clang-format
  # Qt 6: widgets, XML, D-Bus, printing, SVG
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  # chart
  libqcustomplot-dev libqcustomplot2.1-qt6
  # SNMP library, a real agent and the command-line tools
  libsnmp-dev snmpd snmp
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev tzdata locales
  # headless GUI runs, D-Bus tests, screenshots and page checks
  xvfb dbus dbus-x11 chromium fonts-dejavu-core
  # real D-Bus clients for the automation tests and examples (gdbus, python3-dbus)
  libglib2.0-bin python3-dbus
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

# The suite is also run under a German locale (decimal comma, other date order) to catch
# number and date texts that assume the C locale.
ensure_test_locale() {
  if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    echo "install-deps: generating the de_DE.UTF-8 locale"
    $sudo sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  ensure_test_locale
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
ensure_test_locale
