#!/usr/bin/env bash
# The bash completion of sf6tool, run in bash as bash runs it: the completion
# function is called with COMP_WORDS and COMP_CWORD set and its COMPREPLY
# compared with the words expected, in a folder of made-up catalogs.
#   completion_test.sh COMPLETION-SCRIPT SF6TOOL
set -uo pipefail
script=$(realpath "$1")
tool=$(realpath "$2")
# shellcheck source=/dev/null
source "$script"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir sf4 'with space'
touch other.ZIP notes.txt catalog.xml prices.db out.jsonl
# A catalog with a few of the thirteen entries, one in other letter case,
# and an entry that is no catalog file.
python3 - <<'EOF'
import zipfile
with zipfile.ZipFile("catalog.zip", "w") as z:
    for name in ["Head.dat", "LensType.Dat", "LENSPRICE.DAT", "Extra.txt"]:
        z.writestr(name, "x\r\n")
EOF
printf 'PK\3\4 damaged' >damaged.zip

failures=0
# check LINE EXPECTED...: completes the last word of LINE (a trailing blank
# starts an empty word) and expects exactly the words EXPECTED, in any order,
# and nothing on stderr.
check() {
  local line=$1
  shift
  read -ra COMP_WORDS <<<"$line"
  [[ $line == *' ' ]] && COMP_WORDS+=("")
  COMP_WORDS[0]=$tool
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  local errors
  errors=$(_sf6tool 2>&1 >/dev/null)
  _sf6tool 2>/dev/null
  local got want
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd' ')
  want=$(printf '%s\n' "$@" | LC_ALL=C sort | paste -sd' ')
  if [[ $got != "$want" || -n $errors ]]; then
    echo "FAIL: completing '$line'"
    echo "  expected: $want"
    echo "  got:      $got"
    [[ -n $errors ]] && echo "  stderr:   $errors"
    failures=$((failures + 1))
  fi
}

data_files=(LensType.Dat LensRange.Dat LensGeo.Dat LensPrice.Dat Options.Dat OptionsColor.Dat
  OptionsPrice.Dat Combination.Dat Information.Dat OrderOptions.Dat ProductGroup.Dat
  CodeSubstitution.Dat)

# Commands and options.
check 'sf6tool ' --help --version ls cat put rm fields rebuild csv head check diff export convert model
check 'sf6tool c' cat check convert csv
check 'sf6tool --v' --version
check 'sf6tool check catalog.zip --' --format --max --strict
check 'sf6tool check catalog.zip --format ' json
check 'sf6tool check catalog.zip --max ' # a number: nothing to offer
check 'sf6tool diff catalog.zip other.ZIP --' --format --entry --summary
check 'sf6tool diff --summary catalog.zip other.ZIP --entry Head' Head.dat
check 'sf6tool diff catalog.zip other.ZIP --entry Options' Options.Dat OptionsColor.Dat OptionsPrice.Dat
check 'sf6tool export catalog.zip --' --sqlite --json
check 'sf6tool convert --' --model
check 'sf6tool model --' --check
check 'sf6tool --version ' # takes no arguments

# Archives: ZIP files in any letter case and folders, nothing else.
check 'sf6tool ls ' catalog.zip damaged.zip other.ZIP sf4 'with space'
check 'sf6tool cat c' catalog.zip
check 'sf6tool diff catalog.zip o' other.ZIP
check 'sf6tool diff catalog.zip other.ZIP ' # both archives named
check 'sf6tool check --strict ' catalog.zip damaged.zip other.ZIP sf4 'with space'
check 'sf6tool head catalog.zip ' # one archive only

# Entries of the archive named before, as stored.
check 'sf6tool cat catalog.zip ' Head.dat LensType.Dat LENSPRICE.DAT Extra.txt
check 'sf6tool rm catalog.zip L' LensType.Dat LENSPRICE.DAT
check 'sf6tool cat ./catalog.zip E' Extra.txt
check 'sf6tool cat catalog.zip Head.dat ' # one entry only
# put: the archive's entries and the thirteen names a new entry usually has.
check 'sf6tool put catalog.zip Lens' LensType.Dat LensRange.Dat LensGeo.Dat LensPrice.Dat
check 'sf6tool put catalog.zip E' Extra.txt
check 'sf6tool put catalog.zip LENS' LENSPRICE.DAT
# csv: only the data files among the entries; every data file for an
# archive that cannot be listed.
check 'sf6tool csv catalog.zip ' LensType.Dat LENSPRICE.DAT
check 'sf6tool csv missing.zip ' "${data_files[@]}"
check 'sf6tool csv damaged.zip Options' Options.Dat OptionsColor.Dat OptionsPrice.Dat
# An archive that cannot be read offers nothing and prints nothing.
check 'sf6tool cat damaged.zip ' # nothing
check 'sf6tool cat notes.txt ' # nothing
check 'sf6tool rm missing.zip ' # nothing

# Data-file names for fields and rebuild.
check 'sf6tool fields ' "${data_files[@]}"
check 'sf6tool rebuild Lens' LensType.Dat LensRange.Dat LensGeo.Dat LensPrice.Dat
check 'sf6tool fields LensType.Dat ' # a line: nothing to offer

# Files and folders of export, convert and model.
check 'sf6tool export catalog.zip --sqlite ' prices.db sf4 'with space'
check 'sf6tool export catalog.zip --json ' - out.jsonl sf4 'with space'
check 'sf6tool convert ' sf4 'with space'
check 'sf6tool convert --model ' catalog.xml sf4 'with space'
check 'sf6tool convert --model catalog.xml ' sf4 'with space'
check 'sf6tool convert sf4 ' # one directory only
check 'sf6tool model ' sf4 'with space'
check 'sf6tool model --check c' catalog.xml

# The completion knows every command the tool lists, and every data-file
# name it offers is one the tool takes.
mapfile -t listed < <("$tool" --help | awk '/^  [^ ]/ { print $1 }')
[[ ${#listed[@]} -gt 5 ]] || {
  echo "FAIL: no commands read from sf6tool --help"
  failures=$((failures + 1))
}
COMP_WORDS=("$tool" "")
COMP_CWORD=1
_sf6tool
for command in "${listed[@]}"; do
  [[ " ${COMPREPLY[*]} " == *" $command "* ]] || {
    echo "FAIL: sf6tool --help lists '$command', the completion does not offer it"
    failures=$((failures + 1))
  }
done
for name in "${data_files[@]}"; do
  "$tool" fields "$name" '' >/dev/null 2>&1 || {
    echo "FAIL: sf6tool fields does not take '$name'"
    failures=$((failures + 1))
  }
done
"$tool" fields NoSuch.Dat '' >/dev/null 2>&1 && {
  echo "FAIL: sf6tool fields takes any name, so the check above proves nothing"
  failures=$((failures + 1))
}

if ((failures > 0)); then
  echo "$failures completion check(s) failed"
  exit 1
fi
echo "bash completion: all checks passed"
