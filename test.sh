#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
# Every fuzz target for a few thousand inputs; a target that crashes fails the run.
scripts/fuzz.sh
cd build

# The tests that play sounds play them on a private PulseAudio server with a null
# sink, so the waiting sound player really waits; DRELMONT_AUDIO_EXPECTED makes a
# test that finds no audio device fail rather than pass without sound. The server
# is stopped, by its pid, when the tests are over.
audio_dir="$(mktemp -d)"
pulse_pid=""
stop_audio() {
    if [ -n "$pulse_pid" ]; then
        kill "$pulse_pid" 2>/dev/null || true
        wait "$pulse_pid" 2>/dev/null || true
    fi
    rm -rf "$audio_dir"
}
trap stop_audio EXIT
mkdir -m 700 "$audio_dir/runtime"
pulse_socket="$audio_dir/runtime/native"
HOME="$audio_dir" XDG_RUNTIME_DIR="$audio_dir/runtime" pulseaudio --daemonize=no \
    --exit-idle-time=-1 --system=false --use-pid-file=no -n -F /dev/null \
    -L module-null-sink -L "module-native-protocol-unix socket=$pulse_socket auth-anonymous=1" \
    >"$audio_dir/pulseaudio.log" 2>&1 &
pulse_pid=$!
for _ in $(seq 1 100); do
    [ -S "$pulse_socket" ] && break
    sleep 0.1
done
if [ ! -S "$pulse_socket" ]; then
    echo "test.sh: the PulseAudio server for the sound tests did not start:" >&2
    cat "$audio_dir/pulseaudio.log" >&2
    exit 1
fi
export PULSE_SERVER="unix:$pulse_socket" DRELMONT_AUDIO_EXPECTED=1

# Every test has its own time limit; this one holds for any test that lacks it.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j"$(nproc)"
