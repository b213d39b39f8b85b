#!/usr/bin/env bash
# The public data members of the classes that own the game's state, and any write
# to one of them from another code folder. Fails when they number more than
# LIMIT together or when another folder writes one.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
LIMIT=100
CLASSES=(play/Player2D.h:Player2D gameplay/GameState.h:GameState editor/LevelEditor.h:LevelEditor
         engine/Mesh.h:Mesh engine/World3D.h:World3D)
CODE=(platform engine audio play enemies bosses editor states gameplay screens app)

# Prints the public non-static data members of class $2 in header $1, one a line.
public_members() {
  awk -v cls="$2" '
    { sub(/\/\/.*/, "") }
    !inside && $0 ~ "^(class|struct) " cls "([ :{]|$)" { inside = 1; access = ($1 == "struct") ? "public" : "private"; depth = 0 }
    inside {
      line = $0
      for (i = 1; i <= length(line); ++i) {
        c = substr(line, i, 1)
        if (c == "{") { if (++depth == 1) continue }
        if (c == "}") { if (--depth == 0) { inside = 0; break } ; if (depth == 1) text = text ";"; continue }
        if (depth == 1) text = text c
      }
      text = text "\n"
      if (!inside) exit
    }
    END {
      gsub(/\n/, " ", text)
      gsub(/(public|private|protected)[ \t]*:/, ";&;", text)
      n = split(text, parts, ";")
      for (k = 1; k <= n; ++k) {
        s = parts[k]; gsub(/^[ \t]+|[ \t]+$/, "", s); gsub(/[ \t]+/, " ", s)
        if (s ~ /^(public|private|protected) ?:$/) { access = s; sub(/ ?:$/, "", access); continue }
        if (access != "public" || s == "") continue
        if (s ~ /^(static|using|friend|enum|struct|class|typedef|template|virtual|explicit|~)/ || s ~ /operator/) continue
        while (s ~ /<[^<>]*>/) gsub(/<[^<>]*>/, "", s)
        head = s; sub(/=.*/, "", head)
        if (head ~ /\(/) continue
        m = split(s, decls, ",")
        for (d = 1; d <= m; ++d) {
          name = decls[d]; sub(/=.*/, "", name); gsub(/\[[^]]*\]/, "", name); gsub(/[ \t]+$/, "", name)
          if (match(name, /[A-Za-z_][A-Za-z0-9_]*$/)) print substr(name, RSTART, RLENGTH)
        }
      }
    }' "$1"
}

# Every code file that includes $1, directly or through other headers.
includers() {
  local found="$1" before=""
  while [ "$found" != "$before" ]; do
    before=$found
    local patterns; patterns=$(printf '#include "%s"\n' $found)
    found=$(printf '%s\n' $found $(grep -rlF --include='*.h' --include='*.cpp' "$patterns" "${CODE[@]}" 2>/dev/null) | sort -u)
  done
  printf '%s\n' $found | grep -vxF "$1"
}

total=0; status=0
for entry in "${CLASSES[@]}"; do
  header=${entry%%:*}; cls=${entry##*:}; own=${header%%/*}
  members=$(public_members "$header" "$cls")
  count=$(printf '%s' "$members" | grep -c . || true)
  total=$((total + count))
  echo "$cls: $count public data members"
  [ -z "$members" ] && continue
  users=$(includers "$header" | grep -v "^$own/" || true)
  [ -z "$users" ] && continue
  for m in $members; do
    hits=$(grep -nE "(\.|->)$m\b(\.[a-z]+)?[ \t]*([-+*/]?=[^=]|\+\+|--)|(\+\+|--)[ \t]*[A-Za-z_][A-Za-z0-9_>.\[\]()-]*(\.|->)$m\b|(\.|->)$m\b[ \t]*(\.|->)[ \t]*(push_back|emplace_back|clear|reset|insert|erase|resize|assign|swap)\b" $users || true)
    if [ -n "$hits" ]; then echo "  $cls::$m written outside $own/:"; echo "$hits" | sed 's/^/    /'; status=1; fi
  done
done
echo "together: $total (at most $LIMIT)"
[ "$total" -le "$LIMIT" ] || status=1
exit $status
