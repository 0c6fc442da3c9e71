#!/usr/bin/env bash
# Installs what is missing, builds, and starts Etikor in build/bin, whose "Sorozat" folder holds
# the default label set written by the build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh --target etikor etikor_resources
cd build/bin
exec ./etikor "$@"
