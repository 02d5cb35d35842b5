#!/usr/bin/env bash
# The program's start as a user meets it: --help and --version answer on standard output whether
# or not there is a display, an unknown option gets one line and status 2; without a display it
# says so in one line and ends with status 1; as root its browser engine starts with the sandbox
# off and says so.
# Usage: startup_road.sh PROGRAM
set -uo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Keep the program away from the user's own data and settings.
export HOME=$work XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$work/run"
fail() { echo "FAIL: $*"; exit 1; }

expect_one_line() { # name, expected start of the line, env...
  local name=$1 line=$2
  shift 2
  env "$@" "$program" >"$work/out" 2>"$work/err"
  local status=$?
  [[ $status -eq 1 ]] || fail "$name: status $status, wanted 1; stderr: $(cat "$work/err")"
  [[ $(wc -l <"$work/err") -eq 1 && $(head -c ${#line} "$work/err") == "$line" ]] ||
    fail "$name: stderr is not the one line \"$line...\": $(cat "$work/err")"
  echo "ok: $name"
}

expect_answer() { # name, wanted status, wanted start of stdout or "" for none, arguments... (-- env...)
  local name=$1 wanted=$2 out=$3
  shift 3
  local args=() envs=()
  while (($# > 0)) && [[ $1 != -- ]]; do args+=("$1"); shift; done
  (($# > 0)) && shift && envs=("$@")
  timeout 20 env "${envs[@]}" "$program" "${args[@]}" >"$work/out" 2>"$work/err"
  local status=$?
  [[ $status -eq $wanted ]] || fail "$name: status $status, wanted $wanted; stderr: $(cat "$work/err")"
  if [[ -n $out ]]; then
    [[ $(head -c ${#out} "$work/out") == "$out" && ! -s "$work/err" ]] ||
      fail "$name: wanted \"$out...\" on stdout alone: $(cat "$work/out" "$work/err")"
  else
    [[ ! -s "$work/out" && $(wc -l <"$work/err") -eq 1 ]] || fail "$name: wanted one line on stderr: $(cat "$work/err")"
  fi
  echo "ok: $name"
}

# Answered before Qt starts, so a display makes no difference and no window or engine starts.
for display in "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM" "QT_QPA_PLATFORM=offscreen"; do
  read -ra envs <<<"$display"
  expect_answer "--help ($display)" 0 "Usage: threadloom" --help -- "${envs[@]}"
  expect_answer "-h after a Qt option ($display)" 0 "Usage: threadloom" -style fusion -h -- "${envs[@]}"
  expect_answer "--version ($display)" 0 "Threadloom " --version -- "${envs[@]}"
  expect_answer "unknown option ($display)" 2 "" --no-such-option -- "${envs[@]}"
done

expect_one_line "no display" "no display: set DISPLAY or run with QT_QPA_PLATFORM=offscreen" \
  -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
# A display that is named but has no server behind it (a socket path that cannot exist).
expect_one_line "display without a server" "no display: cannot open display" \
  -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$work/nothing:0"

if [[ $(id -u) -ne 0 ]]; then
  echo "ok: not root, the sandbox road is root's"
  exit 0
fi
env -u QTWEBENGINE_DISABLE_SANDBOX QT_QPA_PLATFORM=offscreen "$program" >"$work/out" 2>"$work/err" &
pid=$!
for _ in $(seq 120); do
  grep -q "Sandboxing disabled\|without --no-sandbox" "$work/err" && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.5
done
kill $pid 2>/dev/null
wait $pid 2>/dev/null
grep -q "^running as root: the browser's sandbox is turned off" "$work/err" || fail "root: no notice: $(cat "$work/err")"
grep -q "without --no-sandbox" "$work/err" && fail "root: the engine refused to start: $(cat "$work/err")"
grep -q "Sandboxing disabled" "$work/err" || fail "root: the engine did not start: $(cat "$work/err")"
echo "ok: root"
