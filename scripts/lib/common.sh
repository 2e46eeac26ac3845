# Shared by the project's scripts: package installation and build directories.

PELTA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Debian packages the build, the tests and the demo need.
PELTA_PACKAGES=(
  g++ cmake ninja-build pkg-config python3
  libicu-dev libcurl4-openssl-dev libexpat1-dev rapidjson-dev
  unixodbc unixodbc-dev odbcinst python3-pyodbc
  googletest libgtest-dev
  locales
)

pelta_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

pelta_missing_packages() {
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      echo "$pkg"
    fi
  done
}

# Installs whatever is missing, with one package-list update first.
pelta_install_packages() {
  local missing
  missing=$(pelta_missing_packages "${PELTA_PACKAGES[@]}")
  if [ -n "$missing" ]; then
    echo "Installing: $(echo $missing)"
    pelta_as_root apt-get update -q
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive pelta_as_root apt-get install -y -q --no-install-recommends $missing
  fi
  # ccache only speeds rebuilds up; the build never needs it.
  if [ -z "$(pelta_missing_packages ccache)" ] || [ -n "${PELTA_NO_CCACHE:-}" ]; then
    return 0
  fi
  DEBIAN_FRONTEND=noninteractive pelta_as_root apt-get install -y -q --no-install-recommends ccache \
    || echo "ccache not installed; building without it"
}

pelta_jobs() {
  nproc 2>/dev/null || echo 2
}

# Configures and builds one configuration: pelta_build <dir> <cmake args...>
pelta_build() {
  local dir="$1"; shift
  cmake -S "$PELTA_ROOT" -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$(pelta_jobs)"
}
