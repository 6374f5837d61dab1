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

# What the programs need to build; scdoc writes their manual pages.
BUILD_PACKAGES=(cmake make g++ libfltk1.3-dev libjpeg-dev libpng-dev libcli11-dev libtomlplusplus-dev scdoc)
# What the test suite needs to build, on top of BUILD_PACKAGES: the sanitizer
# build uses Clang, its sanitizer runtimes, and llvm-symbolizer for readable
# sanitizer reports. The result files test reads qpx-run's JUnit XML back
# with junitparser; the Python client's example tests run under Debian's
# pytest.
TEST_BUILD_PACKAGES=("${BUILD_PACKAGES[@]}" libgtest-dev libbenchmark-dev clang libclang-rt-14-dev llvm
    python3-junitparser python3-pytest)

# configure_with COMPILER DIR [CMAKE-ARG...]: configures a build tree of the
# simulator, the runner, the tests and the benchmarks in DIR with the C++
# compiler COMPILER (g++ or clang++), warnings as errors. CMake keeps the
# compiler a tree was first configured with: a tree configured with another
# one is configured afresh, keeping its other files. Needs ROOT.
configure_with() {
    local compiler=$1 dir=$2
    shift 2
    local fresh=()
    if [ -f "$dir/CMakeCache.txt" ] &&
        ! grep -q "^CMAKE_CXX_COMPILER:[A-Z]*=\(.*/\)\?$compiler\$" "$dir/CMakeCache.txt"; then
        fresh=(--fresh)
    fi
    cmake -S "$ROOT" -B "$dir" "${fresh[@]}" -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQPX_BUILD_SIM=ON -DQPX_WERROR=ON "$@"
}

# configure_tests DIR [CMAKE-ARG...]: the plain test tree, with GCC, as
# scripts/run-tests and scripts/build configure build-tests.
configure_tests() {
    configure_with g++ "$@"
}

# configure_sanitizer_tree DIR [CMAKE-ARG...]: the test tree with
# AddressSanitizer and UndefinedBehaviorSanitizer, compiled with Clang (the
# other tree uses GCC, so both compilers are covered), and the readers' fuzz
# targets (scripts/fuzz). Not the benchmarks: nothing runs them there, and the
# GCC tree already proves they build.
configure_sanitizer_tree() {
    local dir=$1
    shift
    configure_with clang++ "$dir" -DQPX_SANITIZE=ON -DQPX_FUZZ=ON -DQPX_BUILD_BENCH=OFF "$@"
}
