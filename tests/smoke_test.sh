#!/usr/bin/env bash
# Starts the real program headless in a fresh program folder that holds a good
# settings file written with LF line ends, closes it with SIGTERM once start-up
# is over, and checks that it wrote the settings back: 51 lines, each ending in
# CR LF, with the values it read.
#
# Usage: smoke_test.sh <path of the drelmont executable> [seconds to let it start]
set -euo pipefail

exe="$1"
start_seconds="${2:-8}"
folder="$(mktemp -d)"
pid=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null || true; fi
    rm -rf "$folder"
}
trap cleanup EXIT

fail() {
    echo "smoke test: $*" >&2
    exit 1
}

cp "$exe" "$folder/"
for sounds in Sound sound; do
    if [ -d "$(dirname "$exe")/$sounds" ]; then cp -r "$(dirname "$exe")/$sounds" "$folder/"; fi
done

settings="$folder/quenz.ini"
{
    printf '%s\n' False "&Reverse L/R Motor" False "Reverse &To/From Mirror Motor" False False
    printf '%s\n' 0.000125 False False False "" "" "$folder/TestResults"
    printf '%s\n' False False True False False 1234 136 4 "&1 Smoke Mirror"
    for _ in 1 2 3 4 5 6 7 8 9; do printf '%s\n' mnu; done
    printf '%s\n' 60 30 0 0 0 False False False 4 10 0 0 15 15 0 20 0 30 0 0.0005
} >"$settings"
[ "$(wc -l <"$settings")" -eq 51 ] || fail "the seeded settings file is not 51 lines"

cd "$folder"
QT_QPA_PLATFORM=offscreen "./$(basename "$exe")" >"$folder/output.txt" 2>&1 &
pid=$!

# Start-up takes about two seconds of progress dots plus its three sounds.
for _ in $(seq 1 $((start_seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || fail "the program ended by itself: $(cat "$folder/output.txt")"
    sleep 0.1
done

kill -TERM "$pid"
for _ in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end within 15 seconds of SIGTERM"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

[ -f "$settings" ] || fail "quenz.ini is missing"
lines=$(tr -cd '\n' <"$settings" | wc -c)
crlf=$(grep -c $'\r$' "$settings" || true)
[ "$lines" -eq 51 ] || fail "quenz.ini has $lines lines, not 51"
[ "$crlf" -eq 51 ] || fail "only $crlf of the 51 lines end in CR LF (was it closed before start-up was over?)"
[ "$(tail -c 2 "$settings" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "quenz.ini does not end in CR LF"
[ "$(sed -n 19p "$settings" | tr -d '\r')" = 1234 ] || fail "line 19 did not keep its value"
[ "$(sed -n 22p "$settings" | tr -d '\r')" = "&1 Smoke Mirror" ] || fail "line 22 did not keep its value"
[ "$(sed -n 51p "$settings" | tr -d '\r')" = 0.0005 ] || fail "line 51 did not keep its value"
echo "smoke test: started, closed on SIGTERM and wrote quenz.ini"
