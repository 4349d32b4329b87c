#!/bin/sh
# Runs a command in the current directory after mounting that directory
# read-only in a private mount namespace (nothing changes outside it).
# usage: read_only.sh COMMAND [ARG...]
dir=$(pwd)
exec unshare -m sh -c 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" "$1" && cd "$1" && shift && exec "$@"' \
    sh "$dir" "$@"
