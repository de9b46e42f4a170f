#!/usr/bin/env bash
# Makes the screenshots the metainfo shows, packaging/screenshots/*.png: the three data windows
# of the program itself, each on sample files, on an invisible X screen.
# Usage: scripts/screenshots.sh [PROGRAM]   (default build/dev/sapwright)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/dev/sapwright}")
out=$PWD/packaging/screenshots
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "needs $tool: scripts/ensure-deps.sh screenshots" >&2; exit 1; }
done
[ -n "$(fc-list 'Liberation Sans' family; fc-list Arimo family)" ] ||
    { echo "needs fonts-liberation" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/inventory-XXXX")
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# Sample files: a plot of trees, two stands, their location.
cd "$work"
while read -r plot tree species dbh incr height crown; do
    printf '%4s%3s%6s%1s%-3s%4s%3s%3s%3s%4s%1s%2s%2s%2s%2s%2s%2s%1s%1s\r\n' \
        "$plot" "$tree" 1 "" "$species" "$dbh" "$incr" "$height" "" "" "$crown" \
        "" "" "" "" "" "" "" ""
done >bigcreek.tre <<'TREES'
1 1 DF 14.2 12 96 6
1 2 DF 9.8 8 71 5
1 3 WH 11.5 10 84 7
1 4 GF 6.1 5 48 4
2 1 PP 18.7 15 112 5
2 2 DF 12.0 9 90 6
2 3 LP 7.4 6 55 3
TREES
printf '%s\r\n' \
    'A BC-101 bigcreek.tre @ ie' \
    'B BC-101 2024 46.5 -116.9 117 260 1900 180 30 35 20 300 5 10 0 100 @ 1 10 1 10 5 @ @ DF 70 @ @ @' \
    'C BC-101 North Riparian' \
    'A BC-102 bigcreek.tre @ ie' \
    'B BC-102 2024 46.5 -116.8 117 260 1920 90 15 38 20 300 4 10 0 80 @ 1 10 1 10 5 @ @ GF 65 @ @ @' \
    'C BC-102 North' >bigcreek.slf
printf '%s\r\n' 'A "Big Creek" @ bigcreek.slf @ @' 'B Riparian buffer.kcp' >vorlin.loc
touch buffer.kcp

# shot FILE TITLE ROW NAME: the window of FILE with line ROW of its list shown in the fields.
shot() {
    "$program" "$1" &
    pids+=($!)
    local id
    id=$(xdotool search --sync --name "^$2\$" | head -1)
    sleep 1
    # The display list: the line's centre, a little in from the list's left edge.
    xdotool mousemove --window "$id" 40 "$3" click 1
    sleep 0.5
    import -window "$id" "$out/$4.png"
    kill "${pids[-1]}"
    wait "${pids[-1]}" 2>/dev/null || true
    echo "$out/$4.png"
}
mkdir -p "$out"
shot bigcreek.tre "Sapwright - Tree Data" 346 tree-window
shot bigcreek.slf "Sapwright - Stand Data" 428 stand-window
shot vorlin.loc "Sapwright - Location Data" 330 location-window
