#!/usr/bin/env bash
# Shows Trendwick at work: starts a private demo SNMP agent on 127.0.0.1:16161 (unless one already
# answers there) and opens examples/demo.Trendwick, a graph of that agent's interface counters and
# its synthetic counters and gauges. The agent this script started is stopped when the program ends.
#
#   bash scripts/run-demo.sh BUILD_DIR
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build="$root/$build" ;; esac
program="$build/src/main/trendwick"
port=16161
address="127.0.0.1:$port"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run-demo: no display (DISPLAY and WAYLAND_DISPLAY are empty), so no window can open." >&2
    echo "run-demo: run it inside a desktop session, or on a virtual display:" >&2
    echo "run-demo:     xvfb-run -a make run" >&2
    exit 1
fi
if [ ! -x "$program" ]; then
    echo "run-demo: $program is missing; build first (make build)." >&2
    exit 1
fi

answering() {
    MIBS= snmpget -v2c -c public -t 1 -r 0 -On "$address" 1.3.6.1.2.1.1.3.0 >/dev/null 2>&1
}

agent_pid=""
stop_agent() {
    if [ -n "$agent_pid" ] && kill -0 "$agent_pid" 2>/dev/null; then
        kill "$agent_pid" 2>/dev/null || true
        wait "$agent_pid" 2>/dev/null || true
    fi
}
trap stop_agent EXIT

if answering; then
    echo "run-demo: an SNMP agent already answers on $address; using it."
else
    folder="${XDG_CACHE_HOME:-$HOME/.cache}/trendwick/demo-agent"
    mkdir -p "$folder"
    sh "$root/tests/agent/demo_agent.sh" "$folder" "$port" >"$folder/agent.log" 2>&1 &
    agent_pid=$!
    for _ in $(seq 1 50); do
        answering && break
        if ! kill -0 "$agent_pid" 2>/dev/null; then
            echo "run-demo: the demo agent stopped at once; its log ($folder/agent.log):" >&2
            cat "$folder/agent.log" >&2
            exit 1
        fi
        sleep 0.2
    done
    if ! answering; then
        echo "run-demo: the demo agent does not answer on $address; its log: $folder/agent.log" >&2
        exit 1
    fi
    echo "run-demo: demo agent on $address (pid $agent_pid, files in $folder)."
fi

status=0
"$program" -F "$root/examples/demo.Trendwick" || status=$?
exit $status
