#!/usr/bin/env bash
# Installs what is missing, builds, starts korvel-server with demo data in the background and runs the client.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh" --product
KORVEL_BUILD_TESTS=OFF bash "$root/tools/build.sh" -DKORVEL_BUILD_TESTS=OFF -DKORVEL_BUILD_BENCH=OFF
build=${KORVEL_BUILD_DIR:-$root/build}
data=${KORVEL_DATA_DIR:-$HOME/.local/share/korvel-server}
mkdir -p "$data"
server_pid=""
if [ -x "$build/server/korvel-server" ]; then
  "$build/server/korvel-server" --db "$data/korvel.db" --demo &
  server_pid=$!
  trap '[ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true' EXIT
  sleep 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running the client under Xvfb." >&2
  exec_cmd=(xvfb-run -a -s "-screen 0 1366x768x24" "$build/app/korvel")
else
  exec_cmd=("$build/app/korvel")
fi
"${exec_cmd[@]}"
