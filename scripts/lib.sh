# Shared by the run scripts: installs missing Debian packages and configures
# the test build trees.

# ensure_packages PKG...: installs those not yet installed, with apt-get
# (as root, through sudo otherwise); does nothing when all are present.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(cmake make g++ libfltk1.3-dev libjpeg-dev libpng-dev libcli11-dev libtomlplusplus-dev)
# What the test suite needs to build, on top of BUILD_PACKAGES.
TEST_BUILD_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev libbenchmark-dev)

# configure_tests DIR [CMAKE-ARG...]: configures a build tree of the simulator,
# the runner, the tests and the benchmarks in DIR, as scripts/run-tests does,
# so that scripts/build and scripts/run-tests share build-tests. Needs ROOT.
configure_tests() {
    local dir=$1
    shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQPX_BUILD_SIM=ON -DQPX_WERROR=ON "$@"
}
