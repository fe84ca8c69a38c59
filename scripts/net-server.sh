#!/usr/bin/env bash
# Starts a NATS server with JetStream on this computer for a contest's shared log, makes
# the log on it, and prints what to put in the options of every position. The server
# runs until Ctrl+C; its store folder keeps the log from one start to the next.
#
#   scripts/net-server.sh [LOG] [--port PORT] [--store FOLDER]
#
#   LOG       the shared log's name ("Rete log"; default ARI<year>)
#   --port    the port the positions connect to (default 4222)
#   --store   the JetStream store folder (default ~/.local/share/KORVAL/Tarnex/nats)
#
# For a cluster of three computers (nothing lost and nobody stopped when one fails)
# give each its own --name and the other two's addresses, and make the log with three
# copies once all three run:
#
#   scripts/net-server.sh ARI2025 --name a --cluster-port 6222 --routes nats://b:6222,nats://c:6222
#   tarnex-cli net create --server nats://a:4222,nats://b:4222,nats://c:4222 --log ARI2025 --replicas 3
set -euo pipefail

log="ARI$(date +%Y)"
port=4222
store="${XDG_DATA_HOME:-$HOME/.local/share}/KORVAL/Tarnex/nats"
name="tarnex-$(hostname -s 2>/dev/null || echo server)"
cluster_port=""
routes=""
while [ $# -gt 0 ]; do
  case $1 in
    --port) port=$2; shift 2 ;;
    --store) store=$2; shift 2 ;;
    --name) name=$2; shift 2 ;;
    --cluster-port) cluster_port=$2; shift 2 ;;
    --routes) routes=$2; shift 2 ;;
    -h|--help) sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "net-server.sh: unknown option $1" >&2; exit 2 ;;
    *) log=$1; shift ;;
  esac
done

server=$(command -v nats-server || true)
for candidate in /usr/sbin/nats-server /usr/bin/nats-server; do
  [ -n "$server" ] || { [ -x "$candidate" ] && server=$candidate; }
done
if [ -z "$server" ]; then
  echo "net-server.sh: nats-server is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${TARNEX_CLI:-$(command -v tarnex-cli || true)}
[ -n "$cli" ] || { [ -x "$here/build/tarnex-cli" ] && cli=$here/build/tarnex-cli; } || true

mkdir -p "$store"
args=(-js -p "$port" -sd "$store" -n "$name")
if [ -n "$cluster_port" ]; then
  args+=(--cluster_name tarnex --cluster "nats://0.0.0.0:$cluster_port")
  [ -z "$routes" ] || args+=(--routes "$routes")
fi
"$server" "${args[@]}" &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT INT TERM

# Wait until it takes connections.
for _ in $(seq 1 100); do
  if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then break; fi
  kill -0 "$pid" 2>/dev/null || { echo "net-server.sh: nats-server did not start" >&2; exit 1; }
  sleep 0.1
done

if [ -n "$cluster_port" ]; then
  echo "Server $name of a cluster: once the three run, make the log with"
  echo "  tarnex-cli net create --server <the three addresses> --log $log --replicas 3"
elif [ -n "$cli" ]; then
  "$cli" net create --server "nats://127.0.0.1:$port" --log "$log"
else
  echo "tarnex-cli not found: make the log with"
  echo "  tarnex-cli net create --server nats://127.0.0.1:$port --log $log"
fi

addresses=$(hostname -I 2>/dev/null || true)
echo
echo "In the options of every position (\"Rete\"):"
if [ -n "$addresses" ]; then
  for address in $addresses; do
    case $address in *:*) continue ;; esac
    echo "  Rete server:  nats://$address:$port"
  done
else
  echo "  Rete server:  nats://<this computer's address>:$port"
fi
echo "  Rete log:     $log"
echo "  Rete postazione: a name of its own for each computer (RUN, MULT, ...)"
echo "On this computer itself \"nats://127.0.0.1:$port\" works too. Ctrl+C stops the server."
wait "$pid"
