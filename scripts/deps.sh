# Sourced by the scripts: installs the Debian packages the build, the tests and
# the viewer need, quietly and only those that are missing.

SF6_PACKAGES=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev
  libgtest-dev libdeflate-dev libexpat1-dev qt6-base-dev
  xvfb xauth fonts-dejavu-core
  zip unzip p7zip-full libarchive-tools python3
  nlohmann-json3-dev
)

sf6_install_packages() {
  local missing=()
  local p
  for p in "${SF6_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# sf6_configure DIR [cmake options...]: configures DIR once, then builds it.
sf6_build() {
  local dir=$1
  shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$SF6_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  fi
  cmake --build "$dir" -j "$(nproc)"
}
