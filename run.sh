#!/usr/bin/env bash
echo "tarvik.exe does not exist yet: the program and its dialog are still to be built." >&2
exit 1
