#!/usr/bin/env bash
# Installs what is missing, builds Tulma and starts it. Arguments go to tulma.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/build/bin/tulma" "$@"
