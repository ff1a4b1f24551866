#!/usr/bin/env bash
# Builds the program, starts the private PostgreSQL cluster, loads the demo
# plant afresh into the database "mirabel" and opens the login dialog.
# Codes: 5306 (administrator), vatrik (analyst), plobend (foremen), trovu
# (storekeeper).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to open the program on (DISPLAY is not set)."
    echo "Run this on a desktop, or start one first, for example:"
    echo "  Xvfb :99 -screen 0 1400x800x24 & openbox & DISPLAY=:99 $0"
    exit 1
fi

"$here/scripts/setup.sh" --demo
socket=$("$here/db/cluster.sh" start)

export PGPASSWORD=wuxomel PGOPTIONS="-c client_min_messages=warning"
psql -q -h "$socket" -U sys -d postgres -v ON_ERROR_STOP=1 \
    -c "drop database if exists mirabel with (force)" -c "create database mirabel" >/dev/null
psql -q -h "$socket" -U sys -d mirabel -v ON_ERROR_STOP=1 \
    -f "$here/db/schema.sql" -f "$here/db/demo.sql" >/dev/null
echo "Demo plant loaded into database mirabel (socket folder $socket)."

exec "$here/build/src/app/tabel" mirabel "$socket"
