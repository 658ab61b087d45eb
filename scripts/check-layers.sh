#!/bin/sh
# Fails when an include line of src/ runs up the house: a file may include
# its own folder and the folders below it, never one above, and snmp and
# saved (siblings) never each other. Usage: check-layers.sh [source root]
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2
find src -name '*.cpp' -o -name '*.h' | sort | xargs grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' |
awk '
BEGIN {
    # The layers, bottom up; folders on one level are siblings.
    n = split("base platform diagnostics model session settings rules snmp:saved ui dialogs:install entry", level, " ")
    for (i = 1; i <= n; i++) {
        m = split(level[i], names, ":")
        for (j = 1; j <= m; j++) rank[names[j]] = i
    }
    apart["snmp/saved"] = 1; apart["saved/snmp"] = 1
    bad = 0
}
{
    split($0, part, ":"); file = part[1]; line = part[2]
    split(file, f, "/"); from = f[2]
    if (!match($0, /"[^"]*"/)) next
    target = substr($0, RSTART + 1, RLENGTH - 2)
    if (index(target, "/") == 0) {
        printf "%s:%s: include \"%s\" names no layer folder\n", file, line, target; bad = 1; next
    }
    split(target, t, "/"); to = t[1]
    if (!(from in rank)) { printf "%s: folder %s is not in the layer table\n", file, from; bad = 1; next }
    if (!(to in rank)) { printf "%s:%s: \"%s\": folder %s is not in the layer table\n", file, line, target, to; bad = 1; next }
    if (rank[to] > rank[from]) {
        printf "%s:%s: %s includes \"%s\" from the higher layer %s\n", file, line, from, target, to; bad = 1
    } else if ((from "/" to) in apart) {
        printf "%s:%s: %s includes \"%s\" from its sibling %s\n", file, line, from, target, to; bad = 1
    }
}
END { exit bad }
'
