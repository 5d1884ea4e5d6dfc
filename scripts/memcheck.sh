#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every test program of build/ once under valgrind memcheck and reports
# the programs that show memory errors. Slow: about half an hour on two cores.
# Usage: scripts/memcheck.sh [test-name-regex]
set -uo pipefail
cd "$(dirname "$0")/.."
command -v valgrind >/dev/null || { echo "valgrind is not installed"; exit 2; }
export QT_QPA_PLATFORM=offscreen
# JIT-compiled regular expressions run code memcheck cannot follow.
export QT_ENABLE_REGEXP_JIT=0
filter=${1:-.}
failed=0
for t in build/tests/tst_*; do
    [ -x "$t" ] && [ -f "$t" ] || continue
    name=$(basename "$t")
    [[ $name =~ $filter ]] || continue
    log=build/memcheck-$name.log
    XDG_CONFIG_HOME=$(mktemp -d) valgrind --error-exitcode=99 --leak-check=no -q \
        --suppressions=tests/valgrind/qt.supp "$t" >"$log" 2>&1
    rc=$?
    totals=$(grep -m1 '^Totals' "$log")
    if [ $rc -eq 99 ]; then echo "ERRORS  $name ($log)"; failed=1
    elif [ $rc -ne 0 ]; then echo "FAILED  $name rc=$rc $totals ($log)"; failed=1
    else echo "clean   $name $totals"; fi
done
exit $failed
