#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# As root it installs what is missing; otherwise it prints the one line to run.
set -euo pipefail
PKGS=(cmake g++ make pkg-config qt6-base-dev libqt6svg6-dev qt6-svg-dev libsqlite3-dev libshp-dev
      libgtest-dev libxlsxwriter-dev libreoffice-calc-nogui qt6-translations-l10n xvfb xauth imagemagick
      fonts-dejavu-core fonts-liberation locales unzip)
[ "${1:-}" = "--with-browser" ] && PKGS+=(chromium)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
# The tests also run under a Brazilian desktop's locale, where it exists.
brazilian_locale() {
  if [ "$(id -u)" -eq 0 ] && ! locale -a 2>/dev/null | grep -qix 'pt_BR.utf8'; then
    localedef -i pt_BR -f UTF-8 pt_BR.UTF-8
  fi
}
if [ ${#missing[@]} -eq 0 ]; then
  brazilian_locale
  exit 0
fi
if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
  brazilian_locale
else
  echo "Faltam pacotes. Execute como root:" >&2
  echo "  apt-get install -y ${missing[*]}" >&2
  exit 1
fi
