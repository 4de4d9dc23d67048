#!/bin/sh
# Starts the program built at $1.
set -eu
exec "$1" --version
