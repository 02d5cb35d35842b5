#!/bin/sh
# Kills the removal driver with SIGKILL at random moments and checks after each kill that
# posts.txt, sizes.txt and postnumbers.txt still pair up.
#   fuzz/kill/run-removal-kills.sh DRIVER [KILLS]
set -eu
driver=$1
kills=${2:-200}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

misaligned=0
i=0
while [ "$i" -lt "$kills" ]; do
    "$driver" churn "$folder" 2>/dev/null &
    pid=$!
    # 20 to 219 ms: past start-up, at a random point of the churn.
    sleep "0.$(printf '%03d' $((20 + $(od -An -N2 -tu2 /dev/urandom) % 200)))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if ! "$driver" check "$folder"; then
        misaligned=$((misaligned + 1))
        # Start the next round from a sound pair.
        rm -f "$folder"/*
    fi
    i=$((i + 1))
done
leftovers=$(ls -A "$folder" | grep -v -x -e posts.txt -e sizes.txt -e postnumbers.txt | wc -l)
echo "kills: $kills, misaligned after a kill: $misaligned, other files left: $leftovers"
[ "$misaligned" -eq 0 ]
