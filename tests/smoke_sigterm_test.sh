#!/usr/bin/env bash
# Starts the real program headless in a fresh program folder whose settings file
# can't be used, sends SIGTERM once start-up has had its time, and checks that it
# ends within a few seconds, with status 0. Cases: "directory" (a directory named
# quenz.ini: the load fails and the save at shut-down fails, which must be told on
# standard error, not in a box), "pipe" (a named pipe as quenz.ini: start-up must
# not wait on it) and "readonly" (a good file in a read-only folder). Root may
# write into a read-only folder anyway, so as root the program runs as the
# unprivileged user "nobody"; where that can't be done the case ends with status
# 77, which CTest reports as skipped.
#
# Usage: smoke_sigterm_test.sh <path of the drelmont executable> <case> [seconds to let it start]
set -euo pipefail

skip() {
    echo "smoke test ($2): skipped, $1"
    exit 77
}

exe="$1"
case_name="$2"
start_seconds="${3:-8}"
folder="$(mktemp -d)"
home=""
pid=""
# The command the program runs under: as it is, or as another user.
run_as=()
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null || true; fi
    chmod -R u+w "$folder" 2>/dev/null || true
    rm -rf "$folder"
    if [ -n "$home" ]; then rm -rf "$home"; fi
}
trap cleanup EXIT

fail() {
    echo "smoke test ($case_name): $*" >&2
    exit 1
}

cp "$exe" "$folder/"
settings="$folder/quenz.ini"
case "$case_name" in
    directory) mkdir "$settings" ;;
    pipe) mkfifo "$settings" ;;
    readonly)
        if [ "$(id -u)" -eq 0 ]; then
            # setpriv drops root's capabilities with its user id. The folder must be
            # open to the user; the program gets a home of its own.
            command -v setpriv >/dev/null || skip "setpriv is not installed" "$case_name"
            user_id="$(id -u nobody 2>/dev/null)" || skip "there is no user nobody" "$case_name"
            group_id="$(id -g nobody)"
            run_as=(setpriv "--reuid=$user_id" "--regid=$group_id" --clear-groups)
            home="$(mktemp -d)"
            chown "$user_id:$group_id" "$home"
            chmod 0755 "$folder"
            run_as+=(env "HOME=$home" "XDG_RUNTIME_DIR=$home")
        fi
        {
            printf '%s\n' False "&Reverse L/R Motor" False "Reverse &To/From Mirror Motor" False False
            printf '%s\n' 0.000125 False False False "" "" "$folder/TestResults"
            printf '%s\n' False False True False False 2000 136 4
            for _ in 1 2 3 4 5 6 7 8 9 10; do printf '%s\n' mnu; done
            printf '%s\n' 60 30 0 0 0 False False False 4 10 0 0 15 15 0 20 0 30 0 0.0005
        } >"$settings"
        chmod 0444 "$settings"
        chmod 0555 "$folder"
        # The case checks nothing if the program could write there after all.
        if "${run_as[@]}" sh -c ': >"$1/probe"' probe "$folder" 2>/dev/null; then
            skip "the program's user can write into a read-only folder" "$case_name"
        fi
        "${run_as[@]}" test -r "$settings" -a -x "$folder/$(basename "$exe")" ||
            skip "the program's user can't reach the program folder" "$case_name"
        ;;
    *) fail "unknown case" ;;
esac

output="$(mktemp)"
trap 'cleanup; rm -f "$output"' EXIT
(cd "$folder" && QT_QPA_PLATFORM=offscreen exec "${run_as[@]}" "./$(basename "$exe")") >"$output" 2>&1 &
pid=$!

for _ in $(seq 1 $((start_seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || fail "the program ended by itself: $(cat "$output")"
    sleep 0.1
done

kill -TERM "$pid"
# Shut-down lets running loops end for about two seconds.
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    fail "the program did not end within 10 seconds of SIGTERM: $(cat "$output")"
fi
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$output")"
if [ "$case_name" != pipe ]; then
    grep -q "Unable to save the settings to .*quenz.ini" "$output" ||
        fail "the failed save was not reported on standard error: $(cat "$output")"
fi
echo "smoke test ($case_name): ended on SIGTERM"
