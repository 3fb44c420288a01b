#!/usr/bin/env bash
# A private PostgreSQL server for a test run: its own data directory and a free port on
# 127.0.0.1, trust authentication, no fsync. The package's own cluster is neither used nor needed.
#   pgserver.sh start   starts it and prints its connection URI
#   pgserver.sh uri     prints the URI of the running one
#   pgserver.sh stop    stops it and removes its data directory
# The state (directory and port) is kept in build/pgserver.state.
set -euo pipefail
cd "$(dirname "$0")/.."
state="$PWD/build/pgserver.state"

bindir() {
    local dir
    dir="$(pg_config --bindir 2>/dev/null || true)"
    if [ ! -x "$dir/initdb" ]; then
        dir="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
    fi
    if [ ! -x "$dir/initdb" ]; then
        echo "PostgreSQL nu este instalat (lipseste initdb); rulati scripts/deps.sh." >&2
        exit 1
    fi
    echo "$dir"
}

# The server refuses to run as root: there it runs as the user the Debian package creates.
as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

port_free() {
    ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

uri() {
    [ -f "$state" ] || { echo "Serverul de test nu este pornit." >&2; exit 1; }
    # shellcheck source=/dev/null
    . "$state"
    echo "postgresql://postgres@127.0.0.1:$port/postgres"
}

start() {
    [ -f "$state" ] && stop
    local bin dir port tries options
    bin="$(bindir)"
    mkdir -p "$(dirname "$state")"
    dir="$(mktemp -d "${TMPDIR:-/tmp}/kovaline-pg.XXXXXX")"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
    echo "dir=$dir" >"$state"
    as_owner "$bin/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C --no-sync \
        >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    for tries in 1 2 3 4 5; do
        port=$((20000 + RANDOM % 20000))
        port_free "$port" || continue
        # pg_ctl hands the options to a shell line: they must stay on one line.
        options="-p $port -c listen_addresses=127.0.0.1 -c unix_socket_directories='$dir'"
        # Tests want speed; benchmarks (KOVALINE_PG_DURABLE=1) a server that syncs its commits
        # to disk, as the embedded file does.
        [ "${KOVALINE_PG_DURABLE:-0}" = 1 ] ||
            options+=" -c fsync=off -c synchronous_commit=off -c full_page_writes=off"
        if as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 start \
            -o "$options" >/dev/null; then
            printf 'dir=%s\nport=%s\nbin=%s\n' "$dir" "$port" "$bin" >"$state"
            uri
            return
        fi
    done
    cat "$dir/server.log" >&2
    stop
    exit 1
}

stop() {
    [ -f "$state" ] || return 0
    local dir="" bin="" port=""
    # shellcheck source=/dev/null
    . "$state"
    if [ -n "$bin" ] && [ -f "$dir/data/postmaster.pid" ]; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    case "$dir" in
        */kovaline-pg.*) rm -rf "$dir" ;;
    esac
    rm -f "$state"
}

case "${1:-}" in
    start) start ;;
    stop) stop ;;
    uri) uri ;;
    *) echo "Folosire: scripts/pgserver.sh start|stop|uri" >&2; exit 2 ;;
esac
