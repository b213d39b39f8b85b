#!/usr/bin/env bash
# Checks that the game's code folders build on one another in layers, as the Layout
# section of README.md says. The Layout has one line per code folder, lowest first,
# each ending in what the folder uses: "uses platform", "uses audio, engine, platform",
# "uses play and below", "uses everything above", "uses nothing of ours". A file may
# include files of its own folder and of the folders its line names, and a line may
# only name folders listed before it, so every include looks down. Fails on:
#   - an include of a code folder that the including folder's line does not name, or of
#     a file that is in no code folder;
#   - a Layout line that names a folder listed after it or says nothing of what it uses,
#     and a Layout that lists the code folders in another order than LAYERS below;
#   - a top-level folder holding C++ that is neither a code folder nor one of OUTSIDE.
# Nothing is let off. bash and awk only; runs with the tests (ctest -R layers).
#   scripts/check-layers.sh [source folder]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
LAYERS=(platform engine audio play enemies bosses editor states gameplay screens app)
# Not layers: they may use any code folder (build folders are left out as well).
OUTSIDE=(tests bench fuzz tools scripts assets)

status=0
for dir in */; do
  dir=${dir%/}
  case " ${LAYERS[*]} ${OUTSIDE[*]} " in *" $dir "*) continue ;; esac
  [[ $dir == build* ]] && continue
  if [ -n "$(find "$dir" \( -name '*.h' -o -name '*.cpp' \) -print -quit)" ]; then
    echo "$dir/: holds C++ but is no code folder of scripts/check-layers.sh"
    status=1
  fi
done

existing=()
for layer in "${LAYERS[@]}"; do [ -d "$layer" ] && existing+=("$layer"); done
mapfile -t files < <(find "${existing[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

awk -v layers="${LAYERS[*]}" '
  BEGIN {
    count = split(layers, name, " ")
    for (k = 1; k <= count; ++k) rank[name[k]] = k
  }
  function fail(message) { print message; bad = 1 }
  function allowBelow(layer, top,    k) { for (k = 1; k < rank[top]; ++k) allowed[layer, name[k]] = 1 }

  # The Layout lines of README.md: the order of the code folders and what each one uses.
  FILENAME == "README.md" {
    if (/^## Layout/) { inLayout = 1; next }
    if (/^## /) inLayout = 0
    if (!inLayout || !match($0, /^- `[a-z]+\/`/)) next
    layer = substr($0, 4, RLENGTH - 5)
    if (!(layer in rank)) next
    order = order (order == "" ? "" : " ") layer
    if (!match($0, /; uses /)) { fail("README.md:" FNR ": the Layout line of " layer "/ does not say what it uses"); next }
    uses[layer] = substr($0, RSTART + 2)
    clause = substr($0, RSTART + RLENGTH)
    gsub(/\([^)]*\)/, "", clause)
    if (clause ~ /^nothing of ours/) next
    words = split(clause, word, /[ ,.]+/)
    named = 0
    for (w = 1; w <= words; ++w) {
      if (word[w] == "everything") { allowBelow(layer, layer); named = 1 }
      if (!(word[w] in rank)) continue
      named = 1
      if (rank[word[w]] >= rank[layer]) { fail("README.md:" FNR ": " layer "/ uses " word[w] "/, which is listed after it"); continue }
      allowed[layer, word[w]] = 1
      if (word[w + 1] == "and" && word[w + 2] == "below") allowBelow(layer, word[w])
    }
    if (!named) fail("README.md:" FNR ": the Layout line of " layer "/ names no folder it uses")
    next
  }

  # The code: every quoted include names a folder the including folder may use.
  FNR == 1 { split(FILENAME, part, "/"); own = part[1] }
  /^[ \t]*#[ \t]*include[ \t]*"/ {
    match($0, /"[^"]*"/)
    path = substr($0, RSTART + 1, RLENGTH - 2)
    split(path, p, "/")
    if (!(p[1] in rank)) fail(FILENAME ":" FNR ": includes \"" path "\", which is in no code folder")
    else if (p[1] != own && (own in uses) && !((own, p[1]) in allowed))
      fail(FILENAME ":" FNR ": " own "/ may not include " path " (README.md Layout: " own "/ " uses[own] ")")
  }

  END {
    if (order != layers) {
      fail("README.md Layout lists the code folders as: " order)
      fail("scripts/check-layers.sh has them as:       " layers)
    }
    exit bad
  }' README.md "${files[@]}" || status=1

[ $status = 0 ] && echo "layers: every include looks down (${LAYERS[*]})"
exit $status
