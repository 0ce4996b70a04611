#!/usr/bin/env bash
# Checks an installed tree (a DESTDIR of `cmake --install` or an unpacked
# package) below ROOT/usr: exactly the expected files, a valid desktop entry
# and AppStream metainfo, manual pages that render without warnings and
# document every command, icons of the sizes their folders name, the version
# everywhere, the programs running from there and the bash completion.
#   check_installed.sh ROOT VERSION WITH-VIEWER(0|1) EXAMPLE-ARCHIVE
# Exits 77 (skipped) when the validators are not installed (scripts/deps.sh).
set -uo pipefail
root=$(realpath "$1")
version=$2
with_viewer=$3
example=$(realpath "$4")
here=$(cd "$(dirname "$0")" && pwd)
id=org.example.sf6.viewer
usr=$root/usr

for tool in desktop-file-validate appstreamcli man gzip python3; do
  command -v "$tool" >/dev/null || {
    echo "SKIP: $tool is not installed (scripts/deps.sh installs it)"
    exit 77
  }
done

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Exactly these files: nothing outside /usr, no MIME defaults, no leftovers.
expected=(
  usr/bin/sf6tool
  usr/share/bash-completion/completions/sf6tool
  usr/share/doc/sf6viewer/changelog.gz
  usr/share/doc/sf6viewer/copyright
  usr/share/man/man1/sf6tool.1.gz
)
sizes=(16 22 24 32 48 64 128 256)
if [[ $with_viewer == 1 ]]; then
  expected+=(
    usr/bin/sf6viewer
    usr/share/applications/$id.desktop
    usr/share/metainfo/$id.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/$id.svg
    usr/share/man/man1/sf6viewer.1.gz
  )
  for size in "${sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
  done
fi
diff <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) \
  <(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) ||
  fail "installed files differ from the expected list (< expected, > installed)"

# The programs run from the installed place and agree on the version.
[[ $("$usr/bin/sf6tool" --version) == "$version" ]] ||
  fail "sf6tool --version prints '$("$usr/bin/sf6tool" --version)', expected '$version'"
[[ $(gzip -dc "$usr/share/doc/sf6viewer/changelog.gz" | head -n 1) == "sf6viewer ($version) "* ]] ||
  fail "the changelog's latest entry is not version $version"
[[ -s $usr/share/doc/sf6viewer/copyright ]] || fail "empty copyright file"

# Manual pages: render without warnings; sf6tool's documents every command
# the tool lists and has the exit-status and examples sections.
pages=("$usr/share/man/man1/sf6tool.1.gz")
[[ $with_viewer == 1 ]] && pages+=("$usr/share/man/man1/sf6viewer.1.gz")
for page in "${pages[@]}"; do
  gzip -t "$page" || fail "$page is not gzipped"
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "man warns about $page: $warnings"
  [[ $(gzip -dc "$page") != *@*@* ]] || fail "$page has an unconfigured @VARIABLE@"
done
manual=$(gzip -dc "$usr/share/man/man1/sf6tool.1.gz")
for section in 'EXIT STATUS' EXAMPLES COMMANDS; do
  grep -q "^\.SH \"\?$section\"\?$" <<<"$manual" || fail "sf6tool.1 has no section $section"
done
grep -q "^\.TH SF6TOOL 1 .*\"sf6tool $version\"" <<<"$manual" || fail "sf6tool.1 does not name version $version"
while read -r command; do
  roff=${command//-/\\-}
  grep -qE "^\.B[IR]? \"?$(sed 's/[\\.]/\\&/g' <<<"$roff")( |\"|$)" <<<"$manual" ||
    fail "sf6tool.1 does not document the command $command"
done < <("$usr/bin/sf6tool" --help | awk '/^  [^ ]/ { print $1 }')

# Bash completion, from the installed script with the installed tool.
bash "$here/completion_test.sh" "$usr/share/bash-completion/completions/sf6tool" \
  "$usr/bin/sf6tool" >/dev/null || {
  bash "$here/completion_test.sh" "$usr/share/bash-completion/completions/sf6tool" "$usr/bin/sf6tool"
  fail "the installed bash completion"
}

if [[ $with_viewer == 1 ]]; then
  desktop=$usr/share/applications/$id.desktop
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
  # Offered for ZIP archives, without claiming them all.
  grep -qx 'MimeType=application/zip;' "$desktop" || fail "the desktop entry does not offer application/zip"
  grep -qx 'Exec=sf6viewer %f' "$desktop" || fail "the desktop entry does not start sf6viewer %f"
  grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
  metainfo=$usr/share/metainfo/$id.metainfo.xml
  appstreamcli validate --no-net "$metainfo" >/dev/null || {
    appstreamcli validate --no-net "$metainfo"
    fail "appstreamcli rejects $metainfo"
  }
  grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo's release is not $version"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"

  # Icons: a well-formed SVG, and PNGs as large as their folders say.
  python3 - "$usr/share/icons/hicolor" "$id" "${sizes[@]}" <<'EOF' || fail "icons"
import struct, sys, xml.dom.minidom
icons, name, sizes = sys.argv[1], sys.argv[2], sys.argv[3:]
xml.dom.minidom.parse(f"{icons}/scalable/apps/{name}.svg")
for size in map(int, sizes):
    with open(f"{icons}/{size}x{size}/apps/{name}.png", "rb") as png:
        head = png.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", f"{size}: not a PNG"
    assert struct.unpack(">II", head[16:24]) == (size, size), f"{size}: wrong size"
EOF

  # The viewer loads the example catalog and quits; a file it cannot load
  # makes it fail, so the status shows that loading happened.
  viewer() {
    QT_QPA_PLATFORM=offscreen SF6VIEWER_QUIT_AFTER_LOAD=1 timeout 60 "$usr/bin/sf6viewer" "$@"
  }
  log=$(mktemp)
  viewer "$example" 2>"$log" || {
    cat "$log"
    fail "sf6viewer does not load $example"
  }
  viewer "$root/no-such-catalog.zip" 2>"$log"
  [[ $? == 1 ]] || fail "sf6viewer with a missing catalog does not exit 1"
  grep -q 'no-such-catalog.zip' "$log" || {
    cat "$log"
    fail "sf6viewer with a missing catalog does not name it"
  }
  rm -f "$log"
fi

if ((failures > 0)); then
  echo "$failures installation check(s) failed"
  exit 1
fi
echo "installed files under $root: all checks passed"
