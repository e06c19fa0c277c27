#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest (the cross build's emulator). Windows line
# ends become Unix ones, so that ctest and GoogleTest's test discovery read the output as
# they do on Linux; the exit status is the program's.
set -o pipefail
wine "$@" | tr -d '\r'
