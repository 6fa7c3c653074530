#!/bin/sh
# Set-up to table: installs what is missing, builds the benchmarks, runs every one of them
# under Wine with the simulated mouse (the tail figures also with both cores kept busy by two
# spinning processes of this script's own, as a game would), prints each goal as MET or
# MISSED, and rewrites the README's performance table between its bench markers.
# Every program's full output stays in BUILD/bench/. The benchmarks take about 4 minutes on a
# 2-core machine (226 s in the run that made the table), plus the build when out of date.
# Usage: scripts/bench.sh [build-dir]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd) # Wine wants absolute paths
OUT="$BUILD/bench"
WINE="$BUILD/wine-exec.sh"
BUSY=""
DRIVER=""

stop_busy() {
    for pid in $BUSY; do kill "$pid" 2>/dev/null || true; done
    for pid in $BUSY; do wait "$pid" 2>/dev/null || true; done
    BUSY=""
}
# Every exit path ends the load, takes the simulated driver out and stops the prefix's Wine
# (a Wine process left running would hold the caller's output pipe open).
cleanup() {
    stop_busy
    if [ -n "$DRIVER" ]; then "$WINE" "$BUILD/bin/kestrel-sim.exe" uninstall >/dev/null 2>&1 || true; fi
    "$ROOT/scripts/wine-session.sh" stop "$BUILD"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

start_busy() {
    for _ in 1 2; do
        sh -c 'while :; do :; done' &
        BUSY="$BUSY $!"
    done
}

"$ROOT/scripts/setup.sh" "$BUILD"
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
# One target at a time: several in one Makefile build race on the libraries they share.
for target in Gearhost vireo skin_pictures trivial_window kestrel-sim kestrelsim \
    store_benchmark language_benchmark simmouse-bench pause_benchmark skin_gallery \
    macro_list_benchmark host_benchmark module_benchmark reaction_benchmark; do
    cmake --build "$BUILD" -j "$(nproc)" --target "$target"
done

rm -rf "$OUT" && mkdir -p "$OUT"
"$ROOT/scripts/wine-session.sh" start "$BUILD"
started=$(date +%s)

# run NAME program args...: one benchmark, its output kept and shown.
run() {
    name=$1
    shift
    echo "== $name"
    (cd "$BUILD/bin" && "$WINE" "$@") </dev/null >"$OUT/$name.txt" 2>&1 || {
        cat "$OUT/$name.txt"
        echo "bench: $name failed" >&2
        exit 1
    }
    grep -v '^RESULT ' "$OUT/$name.txt" | tr -d '\r'
}

# The ones that need no driver, on a machine as quiet as this script can make it.
run store store_benchmark.exe
run language language_benchmark.exe
run gallery skin_gallery.exe --benchmark 300
run macro_list macro_list_benchmark.exe
run host host_benchmark.exe 200
run module module_benchmark.exe 200
run pause pause_benchmark.exe --quiet

"$WINE" "$BUILD/bin/kestrel-sim.exe" install >/dev/null
DRIVER=1
run simmouse simmouse-bench.exe
run reaction reaction_benchmark.exe 300

echo "== both cores busy (two spinning processes)"
start_busy
run pause_busy pause_benchmark.exe --quiet
run simmouse_busy simmouse-bench.exe --latency --quick
run reaction_busy reaction_benchmark.exe 300
stop_busy
seconds=$(($(date +%s) - started))

# Every RESULT line as "run name value unit", for the table below.
for f in "$OUT"/*.txt; do
    tr -d '\r' <"$f" | awk -v run="$(basename "$f" .txt)" '$1 == "RESULT" { print run, $2, $3, $4 }'
done >"$OUT/results"

# The table, one row per figure: what, measured, baseline, goal, verdict (MET / MISSED, or
# nothing where no goal is held).
awk -v seconds="$seconds" '
function v(run, name) {
    key = run SUBSEP name
    if (!(key in value)) { missing = missing " " run "/" name; return 0 }
    return value[key]
}
function verdict(met) { return met ? "MET" : "MISSED" }
function row(what, measured, baseline, goal, result) {
    rows[++n] = "| " what " | " measured " | " baseline " | " goal " | " result " |"
    if (result != "") printf "%-7s %s: %s (baseline %s; goal %s)\n", result, what, measured, baseline, goal > "/dev/stderr"
}
function ms(x) { return x >= 100 ? sprintf("%.0f ms", x) : x >= 10 ? sprintf("%.1f ms", x) : sprintf("%.2f ms", x) }
function err(x) { return sprintf("%+.3f", x) }
function latency(what, run, busy) {
    m = v(run, "pump_latency_median"); p = v(run, "pump_latency_p99")
    bm = v(run, "bare_latency_median"); bp = v(run, "bare_latency_p99")
    row("report injected → reaction, " busy " (median / p99)", ms(m) " / " ms(p),
        "bare poll + read loop: " ms(bm) " / " ms(bp),
        sprintf("p99 ≤ 1.5× bare (%.1f×)", bp > 0 ? p / bp : 0), verdict(p <= 1.5 * bp))
}
function release(what, run, busy) {
    m = v(run, "release_to_key_median"); p = v(run, "release_to_key_p99")
    bm = v(run, "bare_chain_median"); bp = v(run, "bare_chain_p99")
    sm = v(run, "sendinput_to_hook_median"); sp = v(run, "sendinput_to_hook_p99")
    row("button release → first macro key, " busy " (median / p99)", ms(m) " / " ms(p),
        "bare chain: " ms(bm) " / " ms(bp) "; `SendInput` → hook: " ms(sm) " / " ms(sp),
        sprintf("p99 ≤ bare + 0.5 ms (%+.2f ms)", p - bp), verdict(p <= bp + 0.5))
}
function pause(run, busy) {
    m = v(run, "quiet_pause_10ms_median")
    p = v(run, "quiet_pause_10ms_p99")
    sm = v(run, "quiet_Sleep_10ms_median"); sp = v(run, "quiet_Sleep_10ms_p99")
    row("pause of 10 ms between macro keys, error, " busy " (median / p99)",
        err(m) " / " err(p) " ms", "`Sleep`: " err(sm) " / " err(sp) " ms",
        "median within ±0.1 ms, p99 ≤ `Sleep`'\''s", verdict(m >= -0.1 && m <= 0.1 && p <= sp))
}
function repaint(tab) {
    s = v("module", "repaint_" tab); b = v("module", "repaint_" tab "_system")
    row("full repaint, host with the module window, " tab " tab", ms(s),
        "the same windows as system controls: " ms(b), sprintf("≤ 2× (%.1f×)", b > 0 ? s / b : 0),
        verdict(s <= 2 * b))
}
{ value[$1, $2] = $3 }
END {
    rate = v("simmouse", "pump_rate_alternated"); bare = v("simmouse", "bare_loop_rate")
    row("mouse records through the driver channel (blocks of 32)", sprintf("%.0f records/s", rate),
        sprintf("bare poll + read loop: %.0f records/s", bare),
        sprintf("≥ 50%% of bare (%.0f%%)", bare > 0 ? 100 * rate / bare : 0), verdict(rate >= 0.5 * bare))
    latency("", "simmouse", "quiet")
    latency("", "simmouse_busy", "both cores busy")
    release("", "reaction", "quiet")
    release("", "reaction_busy", "both cores busy")
    pause("pause", "quiet")
    pause("pause_busy", "both cores busy")
    cpu = v("module", "idle_cpu_hidden")
    row("processor time of the running host, window hidden, 10 s", sprintf("%.3f%% of a core", cpu),
        sprintf("the event pump alone, a poll pending: %.3f%%", v("simmouse", "idle_pump_cpu")),
        "< 0.1% of a core", verdict(cpu < 0.1))
    repaint("buttons"); repaint("settings"); repaint("statistics")
    pb = v("module", "private_bytes_host"); tb = v("module", "private_bytes_trivial")
    row("private bytes of the running host, every page shown", sprintf("%.0f MB", pb),
        sprintf("a trivial dialog program: %.1f MB", tb), sprintf("≤ trivial + 15 MB (%+.0f MB)", pb - tb - 15),
        verdict(pb <= tb + 15))
    s1 = v("store", "save_1000_one_changed"); s0 = v("store", "save_one_action_store")
    row("Save after one of 1,000 actions changed", ms(s1), "Save of a one-action store: " ms(s0),
        sprintf("≤ 10× (%.1f×)", s0 > 0 ? s1 / s0 : 0), verdict(s1 <= 10 * s0))
    row("Save of 1,000 actions (new keys)", ms(v("store", "save_1000_new")),
        sprintf("one raw registry write: %.0f µs", v("store", "registry_write")), "", "")
    row("recording hook, per key event", sprintf("%.1f µs", v("macro_list", "hook_procedure")),
        sprintf("a pass-through hook: %.1f µs", v("macro_list", "hook_procedure_pass_on")), "", "")
    row("start until the icon is in the notification area", ms(v("host", "host_start")),
        "a trivial window program: " ms(v("host", "trivial_start")), "", "")
    row("full repaint, skin gallery (every skinned control)", ms(v("gallery", "gallery_repaint")),
        "the same layout as system controls: " ms(v("gallery", "gallery_repaint_system")), "", "")
    row("language of 10,000 texts loaded", ms(v("language", "language_load")),
        "one read per key: " ms(v("language", "language_load_per_key")), "", "")
    print "| what | measured | baseline in the same run | goal | |"
    print "|---|---|---|---|---|"
    for (i = 1; i <= n; ++i) print rows[i]
    print ""
    printf "Generated by `scripts/bench.sh` in %d s of benchmarks.\n", seconds
    if (missing != "") { print "bench: no figure for" missing > "/dev/stderr"; exit 1 }
}' "$OUT/results" >"$OUT/table.md"

# The README between its markers gets the new table.
awk -v table="$OUT/table.md" '
/<!-- bench:end -->/ { skip = 0 }
!skip { print }
/<!-- bench:begin -->/ { while ((getline line < table) > 0) print line; skip = 1 }
' "$ROOT/README.md" >"$OUT/README.md"
grep -q '<!-- bench:end -->' "$OUT/README.md" || { echo "bench: README has no bench markers" >&2; exit 1; }
cp "$OUT/README.md" "$ROOT/README.md"
echo "bench: README table rewritten ($seconds s of benchmarks); outputs in $OUT"
