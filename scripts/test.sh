#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test against the private
# PostgreSQL cluster (started here when it is not running).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

"$here/scripts/setup.sh"
"$here/db/cluster.sh" start >/dev/null
cd "$here/build"
ctest --output-on-failure -j2 "$@"
