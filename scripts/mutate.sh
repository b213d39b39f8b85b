#!/usr/bin/env bash
# Mutation run: plants small faults in the game's code one at a time, in a scratch copy of the
# tree, and reports which ones the test suite catches, folder by folder. Too slow for CI.
#
#   scripts/mutate.sh [options]
#
#   --seed N          which mutants are drawn (1); the same seed on the same tree draws the same
#   --per-folder K    compiling, observable mutants to test in each code folder (8)
#   --jobs J          scratch copies judging mutants at once (2)
#   --ctest-jobs N    tests run at once within one copy (4)
#   --only FOLDER     only this code folder (repeatable)
#   --rev REV         the committed tree to copy (HEAD)
#   --worktree        copy the working tree instead, uncommitted changes included
#   --dir DIR         scratch folder (build-mutate; copied trees, builds, logs, the report)
#   --report FILE     also write the report there
#   --resume          go on with an interrupted run in the same --dir (same tree, seed and count)
#   --report-only     write the report of the run in --dir again, build nothing
#   --list            print the mutants a run would try first, build nothing
#   --apply ID        judge this one mutant only (ID as a report prints it: file:line:operator#site)
#   --patch FILE      judge this hand-written fault only (a diff against the tree, as git diff writes)
#
# Code folders: every top-level folder holding C++ sources, but tools, tests, bench, fuzz,
# assets and scripts. Mutants are drawn from the .cpp files linked into the test programs.
# Each mutant is applied, the game library rebuilt, its object files compared with the
# unmutated ones (all byte-identical: the mutant is equivalent and is replaced by the next
# one drawn; a mutant that does not compile is replaced too), then the test programs are
# relinked and the whole suite runs under xvfb-run: it stops at the first failing test, so a
# survivor has passed every test. The report holds the table per folder and every survivor.
# Mutants listed in scripts/mutate-unobservable.txt (judged to change nothing anyone could
# observe) are never drawn.
set -euo pipefail
cd "$(dirname "$0")/.."
REPO=$(pwd)

SEED=1 PER_FOLDER=8 JOBS=2 CTEST_JOBS=4 REV=HEAD WORKTREE=0 DIR=build-mutate REPORT_COPY="" LIST=0 RESUME=0 REPORT_ONLY=0
ONLY=() APPLY=() PATCHES=()
while [ $# -gt 0 ]; do
    case "$1" in
        --seed) SEED=$2; shift ;;
        --per-folder) PER_FOLDER=$2; shift ;;
        --jobs) JOBS=$2; shift ;;
        --ctest-jobs) CTEST_JOBS=$2; shift ;;
        --only) ONLY+=("${2%/}"); shift ;;
        --rev) REV=$2; shift ;;
        --worktree) WORKTREE=1 ;;
        --dir) DIR=$2; shift ;;
        --report) REPORT_COPY=$2; shift ;;
        --list) LIST=1 ;;
        --resume) RESUME=1 ;;
        --report-only) REPORT_ONLY=1 ;;
        --apply) APPLY+=("$2"); shift ;;
        --patch) PATCHES+=("$(realpath "$2")"); shift ;;
        -h|--help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
        *) echo "mutate: unknown option $1 (--help lists them)" >&2; exit 2 ;;
    esac
    shift
done
case "$DIR" in /*) ;; *) DIR="$REPO/$DIR" ;; esac
SINGLE=$(( ${#APPLY[@]} + ${#PATCHES[@]} ))
[ "$SINGLE" -gt 0 ] && JOBS=1

PRISTINE="$DIR/tree"     # the copied tree, never mutated: the source of every revert
RESULTS="$DIR/results"
export CCACHE_BASEDIR="$DIR" # copies share the compiler cache

say() { echo "mutate: $*" >&2; }

# ---- the tree under test ----

copy_tree() {
    rm -rf "$DIR/tree" "$DIR"/w*
    [ "$RESUME" = 1 ] || rm -rf "$RESULTS"
    mkdir -p "$PRISTINE" "$RESULTS"
    if [ "$WORKTREE" = 1 ]; then
        git ls-files -z --cached --others --exclude-standard |
            tar -cf - --null --no-recursion --ignore-failed-read -T - 2> /dev/null | tar -xf - -C "$PRISTINE"
        TREE_NAME="working tree of $(git rev-parse --short HEAD) with its uncommitted changes"
    else
        git archive --format=tar "$REV" | tar -xf - -C "$PRISTINE"
        TREE_NAME="$(git rev-parse --short "$REV^{commit}") ($(git log -1 --format=%s "$REV" | cut -c1-70))"
    fi
    # What a resumed run must share with the one it goes on with.
    local run="seed $SEED, $PER_FOLDER per folder, tree $(git rev-parse "$REV^{tree}")"
    [ "$WORKTREE" = 1 ] && run="seed $SEED, $PER_FOLDER per folder, a working tree"
    if [ "$RESUME" = 1 ] && [ -f "$RESULTS/run" ] && [ "$(cat "$RESULTS/run")" != "$run" ]; then
        say "cannot resume: that run was $(cat "$RESULTS/run"), this one is $run"
        exit 1
    fi
    echo "$run" > "$RESULTS/run"
    echo "$TREE_NAME" > "$RESULTS/tree-name"
    echo "$JOBS copies, ctest -j$CTEST_JOBS" > "$RESULTS/settings"
    [ -f "$RESULTS/started" ] || touch "$RESULTS/started"
}

build_mutator() {
    c++ -std=c++17 -O2 -o "$DIR/mutator" "$REPO/tools/mutate/Mutator.cpp"
}

# Top-level folders with C++ sources, but tools, tests, bench, fuzz, assets, scripts.
code_folders() {
    local d name
    for d in "$PRISTINE"/*/; do
        name=$(basename "$d")
        case "$name" in tools|tests|bench|fuzz|assets|scripts|build*) continue ;; esac
        if [ ${#ONLY[@]} -gt 0 ] && [[ ! " ${ONLY[*]} " == *" $name "* ]]; then continue; fi
        [ -n "$(find "$d" -name '*.cpp' -print -quit)" ] && echo "$name"
    done
}

# The folder's .cpp files but a program's entry point (not linked into the tests).
folder_sources() {
    (cd "$PRISTINE" && find "$1" -name '*.cpp' | LC_ALL=C sort |
        while read -r f; do grep -qE '^\s*int\s+main\s*\(' "$f" || echo "$f"; done)
}

plan_folder() { # every mutant of a folder, in drawing order
    mapfile -t files < <(folder_sources "$1")
    [ ${#files[@]} -eq 0 ] || "$DIR/mutator" plan "$SEED" "$PRISTINE" "${files[@]}"
}

# ---- scratch copies ----

configure_and_build() { # copy folder
    local w=$1 launcher=() generator=()
    command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    command -v ninja > /dev/null && generator=(-G Ninja)
    mkdir -p "$w/src"
    cp -a "$PRISTINE/." "$w/src/"
    cmake -S "$w/src" -B "$w/build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" > "$w/build.log" 2>&1 &&
        cmake --build "$w/build" -j"$CTEST_JOBS" --target orbyndel_tests orbyndel_gl_tests >> "$w/build.log" 2>&1 ||
        { tail -30 "$w/build.log" >&2; say "the unmutated tree does not build in $w"; return 1; }
    object_sums "$w" > "$w/objects.sha1"
}

object_sums() {
    (cd "$1/build/CMakeFiles/orbyndel_game.dir" && find . -name '*.o' -print0 | LC_ALL=C sort -z | xargs -0 sha1sum)
}

# Plants a mutant (an ID or @patchfile) in a copy; prints the files it touched.
plant() {
    local w=$1 what=$2
    if [[ "$what" == @* ]]; then
        # The copy lies inside the repository: keep git from taking it for part of it.
        (cd "$w/src" && export GIT_CEILING_DIRECTORIES="$w" &&
            git apply --numstat "${what#@}" | cut -f3 && git apply "${what#@}")
    else
        "$DIR/mutator" apply "$w/src" "$what" > /dev/null && echo "${what%%:*}"
    fi
}

revert() { # copy, files
    local w=$1 f
    shift
    for f in "$@"; do cp "$PRISTINE/$f" "$w/src/$f"; done
}

# Judges whether a planted mutant compiles and changes any object file of the game library.
# Prints not-compiling, equivalent or observable.
judge_build() {
    local w=$1
    if ! cmake --build "$w/build" -j"$CTEST_JOBS" --target orbyndel_game > "$w/mutant-build.log" 2>&1; then
        echo not-compiling
    elif object_sums "$w" > "$w/objects.mutant.sha1" && cmp -s "$w/objects.mutant.sha1" "$w/objects.sha1"; then
        echo equivalent
    else
        echo observable
    fi
}

SUITE_LIMIT=1800 # seconds; set from the unmutated run: a mutant that hangs the suite is caught

# Runs the suite in a copy, the logic tests first, then the window tests: killed mutants stop
# at the first failing test, survivors pass all of them. A failing test is run again alone:
# one that passes then failed by chance (a timing test on a busy machine) and the suite
# starts over. Prints killed <failing tests>, killed timeout, survived, not-compiling or error.
run_suite() { # copy [nobuild]
    local w=$1 try status failed log="$1/ctest.log"
    # shellcheck disable=SC2016
    local both='ctest -j"$1" --stop-on-failure --timeout 600 -E "^gl\." && ctest -j"$1" --stop-on-failure --timeout 600 -R "^gl\."'
    if [ "${2:-}" != nobuild ] &&
        ! cmake --build "$w/build" -j"$CTEST_JOBS" --target orbyndel_tests orbyndel_gl_tests > "$w/mutant-build.log" 2>&1; then
        echo "not-compiling"
        return
    fi
    for try in 1 2 3; do
        rm -f "$w/build/Testing/Temporary/LastTestsFailed.log"
        status=0
        in_x "$w" bash -c "$both" ctest-both "$CTEST_JOBS" > "$log" 2>&1 || status=$?
        if [ $status = 124 ] || [ $status = 137 ]; then
            echo "killed timeout"
            return
        fi
        if [ $status = 0 ] && [ "$(grep -c 'tests passed' "$log")" = 2 ]; then
            echo survived
            return
        fi
        if [ -s "$w/build/Testing/Temporary/LastTestsFailed.log" ]; then
            failed=$(sed -n 's/^[0-9]*://p' "$w/build/Testing/Temporary/LastTestsFailed.log" | head -3 | paste -sd, -)
            status=0
            in_x "$w" ctest --rerun-failed --timeout 600 > "$w/rerun.log" 2>&1 || status=$?
            if [ $status != 0 ] && grep -q 'tests passed' "$w/rerun.log"; then
                echo "killed $failed"
                return
            fi
            [ $status = 0 ] && say "$failed failed once, then passed alone: the suite runs again"
        fi
        sleep $((try * 5)) # or the virtual X server did not start (displays taken): try again
    done
    echo "error"
}

# Runs a command in a copy's build folder under a virtual X server, within the time limit.
# timeout leads its own process group: its id is kept while it runs, for stop_all.
in_x() { # copy, command...
    local w=$1 pid status=0
    shift
    (cd "$w/build" && exec timeout -k 30 "$SUITE_LIMIT" xvfb-run -a -s "-screen 0 2560x1440x24" \
        env ALSOFT_DRIVERS=null "$@") &
    pid=$!
    echo "$pid" > "$w/suite.pid"
    wait "$pid" || status=$?
    rm -f "$w/suite.pid"
    return $status
}

# On an interruption: ends the suites that run, then the copies' workers.
stop_all() {
    trap - INT TERM
    local f
    for f in "$DIR"/w*/suite.pid; do
        [ -f "$f" ] && kill -- -"$(cat "$f")" 2> /dev/null
    done
    kill 0
}

# ---- the two stages of a run, each on a queue shared by the copies ----

pop() { # removes and prints the first line of a queue file; fails when it is empty
    local q=$1
    (
        flock 9
        IFS= read -r line < "$q" || exit 1
        tail -n +2 "$q" > "$q.next" && mv "$q.next" "$q"
        printf '%s\n' "$line"
    ) 9> "$q.lock"
}

# The mutants judged unobservable (the tree's scripts/mutate-unobservable.txt: an id, then why).
UNOBSERVABLE="$PRISTINE/scripts/mutate-unobservable.txt"
judged_unobservable() {
    [ -f "$UNOBSERVABLE" ] && awk -v id="$1" '$1 == id { found = 1 } END { exit !found }' "$UNOBSERVABLE"
}

# Stage 1, by folder: walks the folder's mutants in drawing order until K compile and are
# observable. Each tried mutant becomes a row: folder id operator status original mutated.
draw_folder() {
    local w=$1 folder=$2 kept=0 tried=0 id op original mutated status
    local out="$RESULTS/$folder.drawn.tsv"
    : > "$out"
    while IFS=$'\t' read -r -u 3 id op original mutated; do
        [ $kept -ge "$PER_FOLDER" ] && break
        [ $tried -ge $((PER_FOLDER * 6 + 10)) ] && break
        tried=$((tried + 1))
        if judged_unobservable "$id"; then
            status=unobservable
        elif plant "$w" "$id" > /dev/null; then
            status=$(judge_build "$w")
            revert "$w" "${id%%:*}"
        else
            status=not-planted
        fi
        [ "$status" = observable ] && kept=$((kept + 1))
        printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$folder" "$id" "$op" "$status" "$original" "$mutated" >> "$out"
        [ "$status" = observable ] || say "$folder: $id $status, drawing another"
    done 3< <(plan_folder "$folder")
    touch "$RESULTS/$folder.drawn.done"
}

# Stage 2, by mutant: relinks the test programs and runs the suite.
test_mutant() {
    local w=$1 row=$2 folder id op original mutated verdict t0=$(date +%s)
    IFS=$'\t' read -r folder id op _ original mutated <<< "$row"
    if plant "$w" "$id" > /dev/null; then
        verdict=$(run_suite "$w")
        revert "$w" "${id%%:*}"
    else
        verdict=not-planted
    fi
    printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$folder" "$id" "$op" "$verdict" "$original" "$mutated" > "$(tested_file "$id")"
    say "$id: $verdict ($(( $(date +%s) - t0 )) s)"
}

tested_file() { echo "$RESULTS/tested.$(echo "$1" | sha1sum | cut -c1-12).tsv"; }

worker() { # copy, stage
    local w=$1 stage=$2 item
    if [ "$stage" = draw ]; then
        while item=$(pop "$RESULTS/folders.queue"); do draw_folder "$w" "$item"; done
    else
        while item=$(pop "$RESULTS/mutants.queue"); do test_mutant "$w" "$item"; done
    fi
}

run_workers() { # stage
    local pids=() k
    for ((k = 0; k < JOBS; k++)); do
        worker "$DIR/w$k" "$1" &
        pids+=($!)
    done
    for k in "${pids[@]}"; do wait "$k"; done
}

# ---- the report ----

report() {
    local drawn="$RESULTS/all.drawn" tested="$RESULTS/all.tested"
    cat "$RESULTS"/*.drawn.tsv > "$drawn" 2> /dev/null || : > "$drawn"
    cat "$RESULTS"/tested.*.tsv 2> /dev/null | LC_ALL=C sort -t$'\t' -k1,2 > "$tested" || true
    echo "Mutation run: $(sed 's/, tree .*//; s/, a working tree//' "$RESULTS/run"), tree $TREE_NAME"
    local first last
    first=$(stat -c %Y "$RESULTS/started" 2> /dev/null || date +%s)
    last=$(find "$RESULTS" -name 'tested.*.tsv' -printf '%T@\n' | sort -n | tail -1 | cut -d. -f1)
    [ -n "$last" ] || last=$(date +%s)
    echo "$(date -u -d "@$last" '+%Y-%m-%d %H:%M UTC'): $(( (last - first + 30) / 60 )) min from the start to the last mutant judged" \
        "(pauses included), $(cat "$RESULTS/settings" 2> /dev/null || echo "$JOBS copies")"
    echo
    printf '%-12s %8s %9s %11s %7s %9s %7s\n' folder mutants compiled observable killed survived caught
    awk -F'\t' -v folders="${FOLDERS[*]}" '
        FNR == NR { m[$1]++; if ($4 != "not-compiling" && $4 != "not-planted" && $4 != "unobservable") c[$1]++; if ($4 == "observable") o[$1]++; next }
        $4 ~ /^killed/ { k[$1]++ }
        $4 == "survived" { s[$1]++ }
        function row(name, m, c, o, k, s) {
            printf "%-12s %8d %9d %11d %7d %9d %6s%%\n", name, m, c, o, k, s, k + s ? sprintf("%.0f", 100 * k / (k + s)) : "-"
        }
        END {
            n = split(folders, names, " ")
            for (i = 1; i <= n; i++) {
                x = names[i]
                row(x, m[x], c[x], o[x], k[x], s[x])
                M += m[x]; C += c[x]; O += o[x]; K += k[x]; S += s[x]
            }
            missing = O - K - S
            row("all", M, C, O, K, S)
            if (missing) printf "(%d observable mutants not judged)\n", missing
        }' "$drawn" "$tested"
    echo
    echo "mutants: drawn; compiled: of those, the ones that built (those judged unobservable are not"
    echo "built); observable: of those, the ones that changed the game's object code (the others are"
    echo "equivalent); killed: observable ones a test caught; survived: observable ones that passed every"
    echo "test; caught: killed / (killed + survived)."
    echo
    echo "Survivors (each passes every test; scripts/mutate.sh --apply ID plants it again):"
    awk -F'\t' '$4 == "survived" { printf "  %s\n      - %s\n      + %s\n", $2, $5, $6 }' "$tested"
    awk -F'\t' '$4 !~ /^(survived|killed)/ { if (!n++) print "\nNot judged (the suite did not run):"; printf "  %s  %s\n", $2, $4 }' "$tested"
    echo
    echo "Killed (by the first failing test):"
    awk -F'\t' '$4 ~ /^killed/ { sub(/^killed ?/, "", $4); printf "  %s  by %s\n", $2, $4 }' "$tested"
    echo
    echo "Skipped (replaced by the next mutant drawn):"
    awk -F'\t' -v list="$UNOBSERVABLE" '
        BEGIN {
            while ((getline line < list) > 0) {
                if (line ~ /^#/ || line !~ /[^ \t]/) continue
                id = line; sub(/[ \t].*/, "", id)
                why = line; sub(/^[^ \t]+[ \t]+/, "", why)
                reason[id] = why
            }
        }
        $4 != "observable" {
            n++
            printf "  %s  %s%s\n      - %s\n      + %s\n", $2, $4, $4 == "unobservable" ? " (" reason[$2] ")" : "", $5, $6
        }
        END { if (!n) print "  none" }' "$drawn"
}

# ---- the run ----

if [ "$REPORT_ONLY" = 1 ]; then
    TREE_NAME=$(cat "$RESULTS/tree-name" 2> /dev/null || echo "?")
    mapfile -t FOLDERS < <(code_folders)
    report > "$DIR/report.txt"
    [ -z "$REPORT_COPY" ] || cp "$DIR/report.txt" "$REPORT_COPY"
    cat "$DIR/report.txt"
    exit 0
fi

mkdir -p "$DIR"
trap stop_all INT TERM
copy_tree
build_mutator
mapfile -t FOLDERS < <(code_folders)
[ ${#FOLDERS[@]} -gt 0 ] || { say "no code folder to mutate"; exit 1; }

if [ "$LIST" = 1 ]; then
    for folder in "${FOLDERS[@]}"; do
        echo "== $folder (the first $PER_FOLDER that compile and change the code are tested)"
        plan_folder "$folder" > "$RESULTS/$folder.plan"
        head -n $((PER_FOLDER + 4)) "$RESULTS/$folder.plan" | awk -F'\t' '{ printf "  %s\n      - %s\n      + %s\n", $1, $3, $4 }'
    done
    exit 0
fi

say "building $JOBS scratch cop$([ "$JOBS" = 1 ] && echo y || echo ies) of $TREE_NAME in $DIR"
configure_and_build "$DIR/w0"
for ((k = 1; k < JOBS; k++)); do configure_and_build "$DIR/w$k" & done
wait

if [ "$SINGLE" -gt 0 ]; then
    w="$DIR/w0"
    for what in "${APPLY[@]}" "${PATCHES[@]/#/@}"; do
        [ -n "$what" ] || continue
        mapfile -t touched < <(plant "$w" "$what")
        [ ${#touched[@]} -gt 0 ] || { say "$what: could not plant it"; exit 1; }
        [[ "$what" == @* ]] && git apply --stat "${what#@}" || true
        [[ "$what" == @* ]] || "$DIR/mutator" sites "$PRISTINE" "${what%%:*}:$(cut -d: -f2 <<< "$what")" |
            awk -F'\t' -v id="$what" '$1 == id || $1 == id "#1" { printf "  - %s\n  + %s\n", $3, $4 }'
        status=$(judge_build "$w")
        if [ "$status" = observable ]; then
            run_suite "$w" > "$w/verdict" & # waited for, so that an interruption is taken at once
            wait $!
            status=$(cat "$w/verdict")
        fi
        revert "$w" "${touched[@]}"
        echo "$what: $status"
    done
    exit 0
fi

# The unmutated suite runs while the mutants are drawn (drawing rebuilds only the game
# library, never the test programs), and must pass. A resumed run skips what is done.
t0=$(date +%s)
if [ "$RESUME" = 1 ] && [ "$(cat "$RESULTS/baseline" 2> /dev/null)" = survived ] && [ -s "$RESULTS/suite-limit" ]; then
    say "the unmutated suite passed in the run resumed: not run again"
else
    say "checking the unmutated tree passes the suite"
    run_suite "$DIR/w0" nobuild > "$RESULTS/baseline" &
    baseline_pid=$!
fi
for folder in "${FOLDERS[@]}"; do
    [ -f "$RESULTS/$folder.drawn.done" ] || echo "$folder"
done > "$RESULTS/folders.queue"
if [ -s "$RESULTS/folders.queue" ]; then
    say "drawing $PER_FOLDER compiling, observable mutants in each of: $(paste -sd' ' "$RESULTS/folders.queue")"
    run_workers draw
fi
if [ -n "${baseline_pid:-}" ]; then
    wait "$baseline_pid"
    baseline=$(cat "$RESULTS/baseline")
    [ "$baseline" = survived ] || { say "the suite does not pass without any mutant ($baseline): see $DIR/w0/ctest.log"; exit 1; }
    echo $(( $(awk '/^Total Test time/ { s += $6 } END { print int(s) }' "$DIR/w0/ctest.log") * 4 + 300 )) > "$RESULTS/suite-limit"
fi
SUITE_LIMIT=$(cat "$RESULTS/suite-limit")
say "drawn in $(( $(date +%s) - t0 )) s"
# Folders take turns, so that a run stopped half-way has judged some of each.
for folder in "${FOLDERS[@]}"; do
    awk -F'\t' '$4 == "observable" { print ++n "\t" $0 }' "$RESULTS/$folder.drawn.tsv"
done | LC_ALL=C sort -s -n -k1,1 | cut -f2- | while IFS= read -r row; do
    [ -f "$(tested_file "$(cut -f2 <<< "$row")")" ] || printf '%s\n' "$row"
done > "$RESULTS/mutants.queue"
say "testing $(wc -l < "$RESULTS/mutants.queue") mutants"
run_workers test

report > "$DIR/report.txt"
[ -z "$REPORT_COPY" ] || cp "$DIR/report.txt" "$REPORT_COPY"
cat "$DIR/report.txt"
