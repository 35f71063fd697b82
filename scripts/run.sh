#!/usr/bin/env bash
# Builds the program, writes the sample installation on first use and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
# The synthetic sample installation, written once (see the README).
if [ ! -f build/installation/Bases/Indicadores2000.dbf ]; then
  build/tools/generator/daxo_generate build/installation
fi
exec build/installation/daxo "$@"
