#!/usr/bin/env bash
# Times `sonavel-cli read` of three simulated units (1, 5, 7) over the local pseudo-terminal
# and over rfc2217:// through ser2net on 127.0.0.1, three runs each, in seconds of wall time.
#   bench/network-read-timing.sh [build folder]
set -euo pipefail
build=$(realpath "${1:-build}")
folder=$(mktemp -d)
trap 'kill ${server:-} ${simulator:-} 2>/dev/null; wait; rm -rf "$folder"' EXIT

"$build/devsim/sonavel-devsim" --units 1,5,7 > "$folder/device" &
simulator=$!
for _ in $(seq 50); do [ -s "$folder/device" ] && break; sleep 0.1; done
device=$(head -1 "$folder/device")

# The first loopback port from 47000 that refuses a connection is free.
port=47000
while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
cat > "$folder/ser2net.yaml" <<YAML
connection: &timing
  accepter: telnet(rfc2217),tcp,127.0.0.1,$port
  connector: serialdev,$device,9600n81,local
YAML

read_units() {
    rm -f "$folder/read.bin"
    local start end
    start=$(date +%s%N)
    "$build/cli/sonavel-cli" read --port "$1" --address 1 --address 5 --address 7 "$folder/read.bin" 2>/dev/null
    end=$(date +%s%N)
    printf '%s %d.%03d\n' "$2" $(((end - start) / 1000000000)) $(((end - start) / 1000000 % 1000))
}

for _ in 1 2 3; do read_units "$device" "local pseudo-terminal:"; done
ser2net -n -d -c "$folder/ser2net.yaml" > "$folder/ser2net.log" 2>&1 &
server=$!
sleep 0.5
for _ in 1 2 3; do read_units "rfc2217://127.0.0.1:$port" "rfc2217:// through ser2net:"; done
