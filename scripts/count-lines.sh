#!/usr/bin/env bash
# Prints the lines of test code (all C++ under tests/) against the lines of every
# other C++ file of the project (game, asset generator and benchmarks), and their ratio.
# The goal: tests at most a third of the code.
set -euo pipefail
cd "$(dirname "$0")/.."

# Every C++ source or header of the tree, build folders and git data left out.
cpp_files() {
    find . \( -path ./.git -o -path './build*' \) -prune -o \
        -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) -print0
}

count_lines() { xargs -0 -r cat -- | wc -l; }

tests=$(cpp_files | grep -z '^\./tests/' | count_lines)
code=$(cpp_files | grep -zv '^\./tests/' | count_lines)
if [ "$code" -eq 0 ]; then
    echo "no C++ code found" >&2
    exit 1
fi
percent=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.1f", 100 * t / c }')
printf 'test lines: %d\ncode lines: %d\ntests/code: %s %%\n' "$tests" "$code" "$percent"
