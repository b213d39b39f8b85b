#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, address and undefined-behaviour
# sanitizers) in their own build folder and runs each one for a while on top of
# its regression corpus (fuzz/corpus/<target>/: every input that ever crashed it)
# and seeds taken from the shipped data files.
#
#   scripts/fuzz.sh [seconds per target] [target...]
#
# Default: 15 s for each of the ten targets. Any crash, sanitizer report or broken
# property fails the run; the input is copied into fuzz/corpus/<target>/ so that it
# is replayed by every later run once committed. Environment:
#   FUZZ_BUILD_DIR  build folder (build-fuzz)    FUZZ_BUILD_JOBS  compile jobs (4)
#   FUZZ_NO_BUILD=1 run the targets already built in FUZZ_BUILD_DIR; FUZZ_BUILD_ONLY=1 only build them
# Each target runs in one process; to use more cores, run several targets at once.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
SECONDS_EACH=${1:-15}
[ $# -gt 0 ] && shift
ALL_TARGETS=(obj mtl scene shoot explosion icarus level_index sequence high_scores tile_map)
TARGETS=("$@")
[ ${#TARGETS[@]} -eq 0 ] && TARGETS=("${ALL_TARGETS[@]}")
BUILD=${FUZZ_BUILD_DIR:-build-fuzz}
case "$BUILD" in /*) ;; *) BUILD="$ROOT/$BUILD" ;; esac

# The 3D loader fetches the shared drawing shader, which needs a display.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run > /dev/null; then
    exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$SECONDS_EACH" "${TARGETS[@]}"
fi

started=$(date +%s)
if [ "${FUZZ_NO_BUILD:-0}" != 1 ]; then
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        launcher=()
        command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DORBYNDEL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            "${launcher[@]}" > /dev/null
    fi
    cmake --build "$BUILD" --target fuzz_all -j"${FUZZ_BUILD_JOBS:-4}" > "$BUILD/fuzz-build.log" 2>&1 \
        || { tail -40 "$BUILD/fuzz-build.log"; exit 1; }
    echo "fuzz: built in $(( $(date +%s) - started )) s"
fi
[ "${FUZZ_BUILD_ONLY:-0}" = 1 ] && exit 0

GAME="$BUILD/game"
export ORBYNDEL_GAME_DIR="$GAME" ALSOFT_DRIVERS=null
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# Copies the shipped files a target starts from into $1 (small ones only).
seed() {
    local target=$1 into=$2
    local files=()
    case "$target" in
        obj) mapfile -t files < <(find "$GAME/3D" "$GAME/2D" -name '*.obj' -size -64k) ;;
        mtl) mapfile -t files < <(find "$GAME/3D" "$GAME/2D" -name '*.mtl' -size -64k) ;;
        scene) mapfile -t files < <(find "$GAME/Scene" -name '*.txt' ! -name 'WORLD_OBJECT.txt' -size -64k)
               { cat "$GAME/Scene/Menu.txt" 2> /dev/null || true; echo "=== WORLD_OBJECT ==="; cat "$GAME/Scene/WORLD_OBJECT.txt"; } > "$into/with_table.txt" ;;
        shoot) files=(assets/2D/Files/Shoot.txt) ;;
        explosion) files=(assets/2D/Files/Boss01Explosion.txt assets/2D/Files/BossFinalExplosion.txt) ;;
        icarus) files=(assets/2D/Boss/Icarus.txt) ;;
        level_index) files=(assets/2D/Spawner/Config/LevelsData.txt) ;;
        sequence) mapfile -t files < <(find assets/2D/Spawner/Config -name 'LEVEL_*.txt') ;;
        high_scores) files=(assets/2D/HighScores/HighScores.txt) ;;
    esac
    [ -d "fuzz/seeds/$target" ] && files+=(fuzz/seeds/"$target"/*)
    local i=0
    for f in "${files[@]}"; do
        [ -f "$f" ] && cp "$f" "$into/seed_$((i++))_$(basename "$f")"
    done
    return 0
}

# One fuzzing session of a target in a fresh folder: sets work, status, execs and found.
fuzz_session() {
    local target=$1
    # In memory when possible: the game flushes what it writes to the disk.
    work=$(mktemp -d -p "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
    mkdir -p "$work/corpus" "$work/seeds" "$work/artifacts" "fuzz/corpus/$target"
    seed "$target" "$work/seeds"
    set +e
    ( cd "$work" && FUZZ_SCRATCH_DIR="$work/scratch" "$BUILD/fuzz/fuzz_$target" "$work/corpus" "$ROOT/fuzz/corpus/$target" "$work/seeds" \
        -dict="$ROOT/fuzz/dict/$target.dict" -max_total_time="$SECONDS_EACH" -max_len=65536 -timeout=20 \
        -rss_limit_mb=2560 -print_final_stats=1 -close_fd_mask=1 -artifact_prefix="$work/artifacts/" ) \
        > "$work/log" 2>&1
    status=$?
    set -e
    execs=$( (grep -ah 'stat::number_of_executed_units' "$work/log" || true) | awk '{s += $2} END {print s + 0}')
    found=$(find "$work/artifacts" -type f | wc -l)
}

# Whether the session's kept inputs crash the target again when run on their own.
artifacts_reproduce() {
    local target=$1
    [ "$found" -ne 0 ] || return 0
    ( cd "$work" && FUZZ_SCRATCH_DIR="$work/scratch-again" "$BUILD/fuzz/fuzz_$target" \
        -close_fd_mask=1 "$work"/artifacts/* ) > "$work/again.log" 2>&1 && return 1
    return 0
}

failed=()
for target in "${TARGETS[@]}"; do
    fuzz_session "$target"
    # A crash in the very first run whose input runs cleanly on its own came from the
    # machine (the display, say), not from the parser: the session is run once more.
    if [ $status -ne 0 ] && [ "$execs" -le 1 ] && ! artifacts_reproduce "$target"; then
        echo "fuzz: $target stopped at its first run on an input that runs cleanly again; once more:"
        tail -n 15 "$work/log"
        rm -rf "$work"
        fuzz_session "$target"
    fi
    if [ $status -ne 0 ] || [ "$found" -ne 0 ]; then
        for a in "$work"/artifacts/*; do
            [ -f "$a" ] || continue
            # An input already kept (under any name) is not added twice.
            known=0
            for k in fuzz/corpus/"$target"/*; do
                [ -f "$k" ] && cmp -s "$a" "$k" && known=1
            done
            [ $known = 1 ] || cp "$a" "fuzz/corpus/$target/$(basename "$a")"
        done
        grep -aE 'ERROR|SUMMARY|property broken|runtime error|Test unit written' "$work/log" | head -8 || true
        tail -n 15 "$work/log"
        echo "fuzz: $target FAILED after $execs runs ($found inputs kept in fuzz/corpus/$target/)"
        failed+=("$target")
    else
        echo "fuzz: $target ok, $execs runs in ${SECONDS_EACH} s"
    fi
    rm -rf "$work"
done
echo "fuzz: total $(( $(date +%s) - started )) s"
[ ${#failed[@]} -eq 0 ] || { echo "fuzz: failures in ${failed[*]}"; exit 1; }
