#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest (the cross build's emulator). Windows line
# ends become Unix ones, so that ctest and GoogleTest's test discovery read the output as
# they do on Linux; the exit status is the program's.
#
# The output goes through a file, not a pipe: Wine's own background processes (started with
# the first program of a session) may inherit the pipe and hold it open long after the
# program has ended, and the reader would wait for them.
set -u
out=$(mktemp)
trap 'rm -f "$out"' EXIT
wine "$@" >"$out" 2>&1 </dev/null
status=$?
tr -d '\r' <"$out"
exit $status
