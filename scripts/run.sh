#!/usr/bin/env bash
# Installs what is missing, builds, and starts Etikor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh --target etikor
exec build/bin/etikor "$@"
