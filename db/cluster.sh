#!/usr/bin/env bash
# The project's private PostgreSQL cluster: no TCP port, a socket in its own
# folder, so it never clashes with a system server.
#
#   db/cluster.sh start   create (first time) and start; prints the socket folder
#   db/cluster.sh stop    stop it
#   db/cluster.sh dir     print the socket folder
#
# TABEL_CLUSTER_DIR names another folder (default: .cluster in the checkout).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${TABEL_CLUSTER_DIR:-$here/.cluster}
# As root the server runs as postgres, which must reach the folder: a
# checkout under a private home folder gets its cluster under /tmp instead.
if [ -z "${TABEL_CLUSTER_DIR:-}" ] && [ "$(id -u)" = 0 ] && ! runuser -u postgres -- test -x "$here" 2>/dev/null; then
    dir=/tmp/tabel-cluster-$(printf '%s' "$here" | md5sum | cut -c1-8)
fi
data=$dir/data
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
user=sys
password=wuxomel

if [ -z "$bin" ]; then
    echo "PostgreSQL server programs are not installed (package postgresql)." >&2
    exit 1
fi

# initdb and pg_ctl refuse to run as root: run them as postgres then.
as_owner() {
    if [ "$(id -u)" = 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

running() {
    [ -f "$data/postmaster.pid" ] && as_owner "$bin/pg_ctl" -D "$data" status >/dev/null 2>&1
}

start() {
    mkdir -p "$dir"
    # One start at a time, even when several test programs ask at once.
    exec 9>"$dir/.lock"
    flock 9
    if [ "$(id -u)" = 0 ]; then
        chown postgres: "$dir"
        chmod 755 "$dir"
    fi
    if [ ! -f "$data/PG_VERSION" ]; then
        rm -rf "$data"
        pwfile=$(mktemp)
        echo "$password" > "$pwfile"
        chmod 644 "$pwfile"
        as_owner "$bin/initdb" -D "$data" -U "$user" --pwfile="$pwfile" \
            --auth-local=scram-sha-256 --auth-host=scram-sha-256 \
            -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; rm -f "$pwfile"; exit 1; }
        rm -f "$pwfile"
        cat >>"$data/postgresql.conf" <<CONF
listen_addresses = ''
unix_socket_directories = '$dir'
port = 5432
max_connections = 60
# A private cluster for the demo and the tests: speed over durability.
fsync = off
synchronous_commit = off
full_page_writes = off
CONF
    fi
    if ! running; then
        # The server must not inherit the lock (or it would hold it for good).
        as_owner "$bin/pg_ctl" -D "$data" -l "$dir/server.log" -w -t 60 start >/dev/null 9>&- \
            || { tail -n 20 "$dir/server.log" >&2; exit 1; }
    fi
    echo "$dir"
}

stop() {
    if running; then
        as_owner "$bin/pg_ctl" -D "$data" -m fast -w stop >/dev/null
    fi
}

case "${1:-start}" in
    start) start ;;
    stop) stop ;;
    dir) echo "$dir" ;;
    *) echo "usage: $0 start|stop|dir" >&2; exit 2 ;;
esac
