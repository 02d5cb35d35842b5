#!/usr/bin/env bash
# Runs the keyring road (tst_keyringroad) in a private session bus with a keyring of its own:
# first unlocked, then locked; then with no session bus at all. The user's own keyring and session are never touched.
set -euo pipefail
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/run"
export HOME="$scratch" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run"
# With no display the keyring's unlock prompt cannot appear, so a locked keyring refuses at once.
unset DISPLAY WAYLAND_DISPLAY XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS
dbus-run-session -- bash -c '
  set -euo pipefail
  # The keyring made here is unlocked with a throwaway password; an empty one would leave it
  # waiting for a prompt.
  printf throwaway | gnome-keyring-daemon --foreground --unlock --components=secrets >/dev/null &
  keyring=$!
  trap "kill $keyring 2>/dev/null || true" EXIT
  for _ in $(seq 100); do
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
      --method org.freedesktop.DBus.NameHasOwner org.freedesktop.secrets 2>/dev/null | grep -q true && break
    sleep 0.1
  done
  THREADLOOM_PRIVATE_KEYRING=unlocked "$1" keyringRoad
  gdbus call --session --dest org.freedesktop.secrets --object-path /org/freedesktop/secrets \
    --method org.freedesktop.Secret.Service.Lock "[\"/org/freedesktop/secrets/collection/login\"]" >/dev/null
  THREADLOOM_PRIVATE_KEYRING=refusing "$1" refusingKeyringRoad
' keyring-road "$program"
DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus" THREADLOOM_PRIVATE_KEYRING=refusing "$program" refusingKeyringRoad
