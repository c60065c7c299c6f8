#!/bin/sh
# check_cli.sh STATUS STDOUT STDERR COMMAND...: runs COMMAND and compares its
# exit status, standard output and standard error ("|" separates lines,
# "_" stands for no output).
status=$1 out=$2 err=$3
[ "$out" = "_" ] && out=""
[ "$err" = "_" ] && err=""
shift 3
actual_out=$("$@" 2>/tmp/veltrum_cli_err.$$)
actual_status=$?
actual_err=$(cat /tmp/veltrum_cli_err.$$)
rm -f /tmp/veltrum_cli_err.$$
expected_out=$(printf '%s' "$out" | tr '|' '\n')
expected_err=$(printf '%s' "$err" | tr '|' '\n')
fail=0
[ "$actual_status" = "$status" ] || { echo "status $actual_status, expected $status"; fail=1; }
[ "$actual_out" = "$expected_out" ] || { printf 'stdout:\n%s\nexpected:\n%s\n' "$actual_out" "$expected_out"; fail=1; }
[ "$actual_err" = "$expected_err" ] || { printf 'stderr:\n%s\nexpected:\n%s\n' "$actual_err" "$expected_err"; fail=1; }
exit $fail
