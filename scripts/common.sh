# Sourced by run.sh and test.sh: installs the Debian packages the project
# needs (only those missing) and configures out-of-tree builds.

ZOR_PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libxml2-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2
  # peer renderers, linked only by the corpus benchmarks
  qt6-svg-dev librsvg2-dev
)

zor_install_missing() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# zor_configure <build-dir> [cmake args...]
zor_configure() {
  local dir=$1
  shift
  cmake -S "$ZOR_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
}

ZOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZOR_JOBS=$(nproc)

# Let ccache reuse objects across clones in other folders (CI builds a fresh
# clone each time): paths under the source tree are hashed relative to it.
export CCACHE_BASEDIR="$ZOR_ROOT"
export CCACHE_NOHASHDIR=true
