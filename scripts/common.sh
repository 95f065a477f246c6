# Shared by scripts/run and scripts/test: installs Debian packages that are missing.
# Everything it prints goes to standard error, so that the program's output stays its own.

root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# ensure_packages NAME...: installs those of the named packages that are not installed.
ensure_packages() {
  local missing=()
  local name
  for name in "$@"; do
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$name")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}" >&2
  as_root apt-get update -qq >&2
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >&2
}

# What the native build needs (its configuration looks for GoogleTest and Python too).
BUILD_PACKAGES=(cmake ninja-build g++ libgtest-dev python3)
# What the native tests need beyond that.
NATIVE_TEST_PACKAGES=(locales xvfb xclip)
# What the Windows builds and their tests under Wine need.
WINDOWS_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine64 xdotool icoutils
                  imagemagick)
# The fuzz target, the memory and start-up checks, and the format and lint checks.
CHECK_PACKAGES=(clang libclang-rt-14-dev valgrind clang-format clang-tidy)
# What bench/startup measures with, and the program it compares with.
BENCH_PACKAGES=(valgrind hyperfine time uuid-runtime)
