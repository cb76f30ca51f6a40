#!/bin/bash
# What a ctest log says, in a few lines: the tests that did not pass, ctest's
# count, and for a run with failures what each failing case said, so that the
# test command's output alone names the case and tells why. A test may run
# several GoogleTest cases in one process: each failed case is named, and so
# is a case that was still running when its test ran out of time.
#   tools/testbed/ctest-summary.sh LOG STATUS    (STATUS: ctest's; it is returned)
log=$1 rc=$2
grep -E '^(The following tests FAILED|[[:space:]]+[0-9]+ - .*\((Failed|Timeout|Not Run|SEGFAULT|Exception)\))' "$log"
grep -E '[0-9]+% tests passed' "$log"
[ "$rc" -eq 0 ] && exit 0
# ctest -j prints a test's output whole after its result line ("... Test #12:
# win.Save.* ...***Failed"); a verbose log interleaves the lines of the tests
# running at once, each line led by its test's number ("12: ...").
awk '
    match($0, /Test +#[0-9]+: [^ ]+/) {
        test = substr($0, RSTART, RLENGTH); sub(/.*: /, "", test)
        number = $0; sub(/^.*Test +#/, "", number); sub(/:.*/, "", number)
        name[number] = test
        if ($0 ~ /\*\*\*Timeout/) timedout[test] = 1
        current = number
        next
    }
    {
        line = $0; n = current
        if (match(line, /^[0-9]+: /)) { n = substr(line, 1, RLENGTH - 2); line = substr(line, RLENGTH + 1) }
        c = substr(line, 14); sub(/ \(.*/, "", c)
        if (line ~ /^\[ RUN      \] /) running[name[n], c] = 1
        else if (line ~ /^\[       OK \] |^\[  SKIPPED \] /) delete running[name[n], c]
        else if (line ~ /^\[  FAILED  \] [^ ]+ \(/) { delete running[name[n], c]; print "  failed case: " c }
    }
    END {
        for (key in running) {
            split(key, part, SUBSEP)
            if (part[1] in timedout) print "  still running when " part[1] " ran out of time: " part[2]
        }
    }
' "$log" | sort -u
grep -E -A5 ': Failure$|: FAILED: |^test_print_pdf: ' "$log" | head -60
exit "$rc"
