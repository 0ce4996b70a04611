#!/usr/bin/env bash
# `cmake --install` of the build BUILD into a staging root, then the checks
# of the installed tree.
#   install_test.sh BUILD VERSION WITH-VIEWER(0|1) EXAMPLE-ARCHIVE
set -uo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >"$stage.log" 2>&1 || {
  cat "$stage.log"
  rm -f "$stage.log"
  echo "FAIL: cmake --install"
  exit 1
}
rm -f "$stage.log"
bash "$here/check_installed.sh" "$stage" "$2" "$3" "$4"
