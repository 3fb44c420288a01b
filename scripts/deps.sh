#!/usr/bin/env bash
# Makes sure the Debian packages the build needs are present: installs them when run as root,
# otherwise prints the one command that installs them.
set -euo pipefail
# xvfb, x11-utils, qt6-qpa-plugins: the tests that read window titles under a real X server.
# libxlsxwriter-dev: spreadsheets from the report preview; unzip reads them back in the tests.
# qt6-tools-dev, qt6-l10n-tools: Qt's own dialogs translated to Romanian at build time.
# libxml2-utils, default-jre-headless, libsaxonhe-java: the e-Factura validator of the tests.
# libminizip-dev: the ZIP files of the e-Factura platform; qtkeychain-qt6-dev: its tokens.
# libpq-dev, pkg-config: the PostgreSQL backend; postgresql: the private server of the tests.
packages=(cmake g++ make qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-qpa-plugins libxcb1-dev libsqlite3-dev libgtest-dev
    fonts-liberation poppler-utils xvfb x11-utils libxlsxwriter-dev unzip
    libxml2-utils default-jre-headless libsaxonhe-java libminizip-dev qtkeychain-qt6-dev
    libpq-dev pkg-config postgresql)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
else
    echo "Lipsesc pachete. Instalati-le cu:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
