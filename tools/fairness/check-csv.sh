#!/usr/bin/env bash
# Builds the fairness tool natively in FOLDER, runs it on a small count and
# checks that its CSV is well formed: every row complete, each set's hits
# adding up to its draws and its shares to one, p-values within [0, 1].
#   tools/fairness/check-csv.sh FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
cmake -S "$here" -B "$out" >/dev/null
cmake --build "$out" >/dev/null
"$out/ravlo_fairness" "$out/fairness.csv" 10000 >/dev/null
awk -F, '
NR == 1 {
    if ($0 != "kind,set_index,set,category,label,draws,hits,stated,observed,deviation_pp,two_sigma_pp,chi_square,df,p_value") {
        print "unexpected header: " $0; bad = 1
    }
    next
}
NF != 14 { print "line " NR " has " NF " fields"; bad = 1; next }
{
    hits[$2] += $7; draws[$2] = $6; stated[$2] += $8; observed[$2] += $9; rows[$2]++; df[$2] = $13
    if ($14 < 0 || $14 > 1) { print "line " NR ": p-value " $14; bad = 1 }
}
END {
    n = 0
    for (s in rows) {
        n++
        if (hits[s] != draws[s]) { print "set " s ": hits " hits[s] " of " draws[s] " draws"; bad = 1 }
        if (rows[s] != df[s] + 1) { print "set " s ": " rows[s] " rows for df " df[s]; bad = 1 }
        if (stated[s] < 0.999999 || stated[s] > 1.000001 || observed[s] < 0.999999 || observed[s] > 1.000001) {
            print "set " s ": shares add up to " stated[s] " stated, " observed[s] " drawn"; bad = 1
        }
    }
    if (n != 8) { print n " sets instead of 8"; bad = 1 }
    exit bad
}' "$out/fairness.csv"
echo "fairness CSV well formed: $(($(wc -l < "$out/fairness.csv") - 1)) rows"
