#!/usr/bin/env bash
# Checks the Debian package DEB: its name and control fields, its contents
# (unpacked into a temporary root and checked as an installed tree), lintian,
# and, as root, a real installation with dpkg -i whose programs run from
# /usr/bin. The package is removed again unless it was installed before.
# SF6_DEB_TEST_UNPACK_ONLY=1 skips the real installation.
#   deb_test.sh DEB EXAMPLE-ARCHIVE
set -uo pipefail
deb=$(realpath "$1")
example=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
field() { dpkg-deb --field "$deb" "$1"; }

version=$(field Version)
arch=$(dpkg --print-architecture)
[[ $(basename "$deb") == "sf6viewer_${version}_${arch}.deb" ]] ||
  fail "file name $(basename "$deb"), expected sf6viewer_${version}_${arch}.deb"
[[ $(field Package) == sf6viewer ]] || fail "package name $(field Package)"
# The version is the program's four-part file version.
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "version '$version' is not four numbers"
[[ $(field Maintainer) =~ ^.+\ \<.+@.+\>$ ]] || fail "maintainer '$(field Maintainer)'"
description=$(field Description)
(($(wc -l <<<"$description") >= 3)) || fail "no extended description: $description"
# Dependencies derived from the shared libraries the programs link.
depends=$(field Depends)
for library in libc6 libqt6widgets6 libdeflate0; do
  [[ $depends == *"$library "* || $depends == *"$library," || $depends == *"$library" ]] ||
    fail "Depends lacks $library: $depends"
done

# Nothing outside /usr.
outside=$(dpkg-deb --contents "$deb" | awk '{ print $6 }' | grep -vE '^\./(usr/.*)?$')
[[ -z $outside ]] || fail "files outside /usr: $outside"

lintian --fail-on error "$deb" >"$deb.lintian" 2>&1 || {
  cat "$deb.lintian"
  fail "lintian reports errors"
}
grep -E '^[EW]: ' "$deb.lintian" | sed 's/^/lintian: /'
rm -f "$deb.lintian"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
bash "$here/check_installed.sh" "$root" "$version" 1 "$example" || fail "the unpacked package"

if [[ $(id -u) == 0 && -z ${SF6_DEB_TEST_UNPACK_ONLY:-} ]]; then
  installed_before=$(dpkg-query -W -f='${Status}' sf6viewer 2>/dev/null | grep -c 'install ok installed')
  # Another apt or dpkg run may hold the lock for a while.
  for _ in 1 2 3 4 5 6; do
    dpkg -i "$deb" >"$root/dpkg.log" 2>&1 && break
    grep -q 'lock' "$root/dpkg.log" || break
    sleep 10
  done
  if dpkg-query -W -f='${Status} ${Version}' sf6viewer 2>/dev/null | grep -qx "install ok installed $version"; then
    [[ $(/usr/bin/sf6tool --version) == "$version" ]] || fail "/usr/bin/sf6tool --version"
    QT_QPA_PLATFORM=offscreen SF6VIEWER_QUIT_AFTER_LOAD=1 timeout 60 /usr/bin/sf6viewer "$example" \
      2>"$root/viewer.log" || {
      cat "$root/viewer.log"
      fail "/usr/bin/sf6viewer does not load $example"
    }
    [[ $installed_before == 1 ]] || dpkg -r sf6viewer >/dev/null 2>&1 || fail "dpkg -r sf6viewer"
  else
    cat "$root/dpkg.log"
    fail "dpkg -i $deb"
  fi
fi

if ((failures > 0)); then
  echo "$failures package check(s) failed"
  exit 1
fi
echo "$(basename "$deb"): all checks passed"
