#!/usr/bin/env bash
# Start-up with many watched posts, as a whole process: the time from the splash to the main
# window on screen, and the program's peak resident memory once it is up.
# Usage: bench/startup/many-watched-posts.sh [BUILD_DIR] [POSTS ...]   (default: 100000 posts)
# Runs under a private Xvfb (it picks a free display) with a scratch HOME, so no real data or
# settings are touched. Needs Xvfb, xdotool and xev.
set -euo pipefail
build_dir=${1:-build}
shift || true
counts=("$@")
[[ ${#counts[@]} -gt 0 ]] || counts=(100000)
program=$(realpath "$build_dir/threadloom")
for tool in Xvfb xdotool xev; do
  command -v $tool >/dev/null || { echo "skipped: $tool is not installed (apt-get install xvfb xdotool x11-utils)"; exit 0; }
done

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

exec 3<> >(:)
Xvfb -displayfd 3 -noreset -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 display_number <&3 || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$display_number

now_ms() { date +%s%3N; }

# posts.txt, sizes.txt and postnumbers.txt as the program writes them: addresses of about 96
# characters, so 100,000 posts make about 10 MB of posts.txt.
make_data() { # folder posts
  : >"$1/posts.txt" && : >"$1/sizes.txt" && : >"$1/postnumbers.txt"
  awk -v folder="$1" -v n="$2" 'BEGIN {
    for (i = 1; i <= n; i++) {
      url = sprintf("https://forum%03d.example.org/community/threads/a-thread-about-something-%07d/page-%02d?order=asc", i % 500, i, i % 40)
      printf "%s\r\n\r\n", url > folder "/posts.txt"
      printf "%d\r\n\r\n", 20000 + i % 90000 > folder "/sizes.txt"
      printf "member|%d %d %d|%s\r\n\r\n", i, i + 1, i + 7, url > folder "/postnumbers.txt"
    }
  }'
  printf '\r\n' >"$1/posts2.txt"
  chmod 600 "$1/posts2.txt"
}

for posts in "${counts[@]}"; do
  home=$work/home-$posts
  data=$home/data/Threadloom
  mkdir -p "$data" "$home/config" "$home/run"
  chmod 700 "$home/run"
  make_data "$data" "$posts"
  # No help window at start, so the main window is the one we wait for.
  mkdir -p "$home/config/Threadloom"
  printf '[Settings]\nshowHelp=0\n' >"$home/config/Threadloom/Threadloom.conf"
  posts_mb=$(du -m "$data/posts.txt" | cut -f1)

  # Every window the program maps, with the time it was seen (ms).
  : >"$work/maps"
  exec 4< <(exec stdbuf -oL xev -root -event substructure 2>/dev/null)
  xev_pid=$!
  (while IFS= read -r line <&4; do
    if [[ $line == *"    event 0x"*", window 0x"* ]]; then
      window=${line##*window }
      echo "$(now_ms) ${window%%,*}" >>"$work/maps"
    fi
  done) &
  watcher_pid=$!
  sleep 0.3
  start=$(now_ms)
  # The start page goes through a proxy on a closed loopback port: nothing leaves the machine.
  HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run \
    QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu --disable-background-networking --disable-component-update --no-first-run --proxy-server=127.0.0.1:9" \
    "$program" >"$work/out" 2>"$work/err" &
  program_pid=$!
  splash= main=
  while kill -0 "$program_pid" 2>/dev/null && [[ -z $main ]]; do
    while read -r seen window; do
      name=$(xdotool getwindowname "$((window))" 2>/dev/null || true)
      [[ -z $splash && $name == Threadloom ]] && splash=$seen
      [[ -z $main && $name == "Threadloom by "* ]] && main=$seen
    done <"$work/maps"
    (($(now_ms) - start < 120000)) || break
    sleep 0.05
  done
  kill "$xev_pid" "$watcher_pid" 2>/dev/null || true
  exec 4<&-
  [[ -n $main && -n $splash ]] || { echo "posts=$posts: the main window never appeared"; cat "$work/err"; exit 1; }
  # Let the first paint and the queued work of the start run, then read the peak.
  sleep 3
  peak_kb=$(awk '/^VmHWM/ {print $2}' "/proc/$program_pid/status")
  # Pages of the program's libraries (the browser engine's above all): the same for any list.
  file_kb=$(awk '/^RssFile/ {print $2}' "/proc/$program_pid/status")
  kill "$program_pid"
  wait "$program_pid" 2>/dev/null || true
  program_pid=
  printf 'posts=%-7d posts.txt=%3d MB  start to splash %5d ms  splash to main window %6d ms  peak RSS %4d MB (libraries %d MB)\n' \
    "$posts" "$posts_mb" $((splash - start)) $((main - splash)) $((peak_kb / 1024)) $((file_kb / 1024))
done
