# Shared by scripts/run and scripts/test: installs Debian packages that are missing.
# Everything it prints goes to standard error, so that the program's output stays its own.

root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

is_root() { [ "$(id -u)" -eq 0 ]; }

can_be_root() { is_root || command -v sudo >/dev/null; }

as_root() {
  if is_root; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "needs root (no sudo here), as root run: $*" >&2
    return 1
  fi
}

# apt_update: refreshes the package lists. A failure is reported but does not stop us: apt
# fails when any one source cannot be read, and the install that follows has the last word.
apt_update() {
  as_root apt-get update -qq >&2 && return 0
  echo "apt-get update failed (status $?); going on with the package lists as they are" >&2
}

# apt_install ARGUMENT...: apt-get install, waiting for another install to finish first.
apt_install() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
    "$@" >&2
}

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# ensure_packages [--no-install-recommends] NAME...: installs those of the named packages
# that are not installed.
ensure_packages() {
  local options=() missing=() name
  [ "${1:-}" = --no-install-recommends ] && { options=("$1"); shift; }
  for name in "$@"; do
    installed "$name" || missing+=("$name")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if ! can_be_root; then
    echo "missing packages; as root run: apt-get install${options[*]/#/ } ${missing[*]}" >&2
    return 1
  fi
  echo "installing: ${missing[*]}" >&2
  apt_update
  apt_install "${options[@]}" "${missing[@]}"
}

# What the native build needs (its configuration looks for GoogleTest and Python too).
BUILD_PACKAGES=(cmake ninja-build g++ libgtest-dev python3)
# What the native tests need beyond that.
NATIVE_TEST_PACKAGES=(locales xvfb xclip weston wl-clipboard zenity xdotool imagemagick
                      uuid-runtime zsh fish)
# What the Windows builds and their tests under Wine need.
WINDOWS_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine64 xdotool icoutils
                  imagemagick)
# What scripts/release needs beyond the native build and the roots: the Windows cross
# compilers, the ZIP.
RELEASE_PACKAGES=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 zip)
# What the tests of the packages need: the .deb's checker, man page linters, unzip.
PACKAGE_TEST_PACKAGES=(lintian mandoc groff-base unzip)
# hardening-check, for the .deb's program; without devscripts' recommends (some 200 packages
# for Debian developers' other tools).
HARDENING_CHECK_PACKAGES=(devscripts)
# The fuzz target, the memory and start-up checks, and the format and lint checks.
CHECK_PACKAGES=(clang libclang-rt-dev valgrind clang-format clang-tidy)

# The 32-bit Windows program runs under Debian's 32-bit Wine. Where the kernel cannot run
# 32-bit x86 code itself, QEMU's user-mode emulator runs it, registered with binfmt_misc; the
# release's other Linux programs always run that way. Changes to the machine: the i386
# architecture, the backports suite (for QEMU 10, whose address-space reservation makes a run
# take seconds instead of a minute, and whose programs are static, so that they run in the
# roots too) and binfmt entries. The magic: an ELF header's class, byte order, version, type
# and machine, both 16-bit fields in the header's own byte order (s390x's big-endian); the
# mask lets the type be 2 or 3 (a fixed or a position-independent program).
WINE32=/usr/lib/wine/wine
QEMU_I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
QEMU_I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
QEMU_LE_MASK='\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
QEMU_ARM_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x28\x00'
QEMU_AARCH64_MAGIC='\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\xb7\x00'
QEMU_PPC64LE_MAGIC='\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x15\x00'
QEMU_RISCV64_MAGIC='\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\xf3\x00'
QEMU_S390X_MAGIC='\x7fELF\x02\x02\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x16'
QEMU_S390X_MASK='\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff'
# The release's foreign Linux programs: QEMU's name for each machine (its binfmt entry).
QEMU_MACHINES=(aarch64 arm ppc64le riscv64 s390x)

wine32_runs() {
  [ -x "$WINE32" ] && "$WINE32" --version >/dev/null 2>&1
}

# The mirror the machine's own apt sources use for its release.
debian_mirror() {
  local codename=$1
  {
    awk -v suite="$codename" '
      /^URIs:/ { uris = $2 }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == suite) found = uris }
      /^$/ { uris = "" }
      END { if (found != "") print found }' /etc/apt/sources.list.d/*.sources 2>/dev/null
    awk -v suite="$codename" '$1 == "deb" && $3 == suite { print $2 }' \
      /etc/apt/sources.list 2>/dev/null
  } | head -n 1
}

qemu_user_is_new() {
  local version
  version=$(qemu-aarch64 --version 2>/dev/null | awk 'NR == 1 { split($3, v, "."); print v[1] }')
  [ -n "$version" ] && [ "$version" -ge 10 ]
}

ensure_qemu_user() {
  qemu_user_is_new && return 0
  local codename mirror list=/etc/apt/sources.list.d/tovrel-backports.list
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  if [ ! -f "$list" ]; then
    mirror=$(debian_mirror "$codename")
    [ -n "$mirror" ] || { echo "no Debian mirror found in the apt sources" >&2; return 1; }
    echo "deb $mirror $codename-backports main" | as_root tee "$list" >/dev/null || return 1
    apt_update
  fi
  apt_install -t "$codename-backports" qemu-user
}

# ensure_binfmt ARCH: QEMU's emulator for ARCH (i386, or one of QEMU_MACHINES) runs that
# machine's programs.
ensure_binfmt() {
  local dir=/proc/sys/fs/binfmt_misc arch=$1 magic
  [ -f "$dir/register" ] || as_root mount -t binfmt_misc binfmt_misc "$dir" || return 1
  declare -n magic_text="QEMU_${arch^^}_MAGIC" mask_text="QEMU_${arch^^}_MASK"
  [ -n "${mask_text:-}" ] || declare -n mask_text=QEMU_LE_MASK
  # Any existing entry (QEMU's own packages register one too) is left as it is; the whole
  # magic tells it from other emulators of the same class and byte order.
  magic=$(printf "$magic_text" | od -An -tx1 | tr -d ' \n')  # as binfmt_misc shows it
  grep -qsx "magic $magic" "$dir"/* && return 0
  # F: the emulator is opened now, so that it runs in the roots too.
  printf ':qemu-%s:M::%s:%s:%s:F' "$arch" "$magic_text" "$mask_text" \
    "$(command -v "qemu-$arch")" | as_root tee "$dir/register" >/dev/null
}

# What scripts/test installs in three rounds of apt after one update: first what the Linux
# presets and the roots need; then, beside the Linux presets, the Windows builds and Wine, QEMU
# 10 and the 32-bit Wine (through QEMU where 32-bit x86 is emulated); then, beside the 32-bit
# Windows preset, the checks and the release's tools.
FIRST_PACKAGES=("${BUILD_PACKAGES[@]}" "${NATIVE_TEST_PACKAGES[@]}" valgrind mmdebstrap)
TOOL_PACKAGES=("${CHECK_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}" "${PACKAGE_TEST_PACKAGES[@]}")

# missing NAME...: those of the named packages that are not installed.
missing() {
  local name
  for name; do
    installed "$name" || echo "$name"
  done
}

# ensure_apt_sources: the i386 architecture, the backports suite and one update, where any
# package of scripts/test is missing. The installs of CI's throwaway machines skip man-db's
# index and dpkg's syncs.
ensure_apt_sources() {
  local list=/etc/apt/sources.list.d/tovrel-backports.list codename mirror
  [ -z "$(missing "${FIRST_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${TOOL_PACKAGES[@]}" \
          "${HARDENING_CHECK_PACKAGES[@]}" wine32:i386 libc6:i386)" ] &&
    qemu_user_is_new && return 0
  can_be_root || { echo "missing packages: scripts/test installs them as root" >&2; return 1; }
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386 ||
    return 1
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  if [ ! -f "$list" ]; then
    mirror=$(debian_mirror "$codename")
    [ -n "$mirror" ] || { echo "no Debian mirror found in the apt sources" >&2; return 1; }
    echo "deb $mirror $codename-backports main" | as_root tee "$list" >/dev/null || return 1
  fi
  if [ -n "${CI:-}" ]; then
    as_root rm -f /var/lib/man-db/auto-update
    echo force-unsafe-io | as_root tee /etc/dpkg/dpkg.cfg.d/tovrel-ci >/dev/null
  fi
  apt_update
}

# ensure_first_packages, ensure_windows_packages, ensure_tool_packages: the three rounds; each
# returns non-zero with the reason on standard error, but a 32-bit Wine that cannot be had only
# says so.
ensure_first_packages() {
  install_missing "${FIRST_PACKAGES[@]}" && install_missing --no-install-recommends libc6:i386
}

ensure_windows_packages() {
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  install_missing "${WINDOWS_PACKAGES[@]}" &&
    { qemu_user_is_new || apt_install -t "$codename-backports" qemu-user; } || return 1
  # The emulator for 32-bit x86 only where the kernel cannot run that code itself.
  install_missing --no-install-recommends wine32:i386 &&
    { /lib/ld-linux.so.2 --version >/dev/null 2>&1 || ensure_binfmt i386; } && wine32_runs ||
    echo "32-bit Wine could not be set up; see above" >&2
}

ensure_tool_packages() {
  install_missing "${TOOL_PACKAGES[@]}" &&
    install_missing --no-install-recommends "${HARDENING_CHECK_PACKAGES[@]}"
}

# install_missing [--no-install-recommends] NAME...: installs those of the named packages that
# are not installed, with the package lists ensure_apt_sources brought up to date.
install_missing() {
  local options=() names
  [ "${1:-}" = --no-install-recommends ] && { options=("$1"); shift; }
  mapfile -t names < <(missing "$@")
  [ ${#names[@]} -eq 0 ] ||
    { echo "installing: ${names[*]}" >&2 && apt_install "${options[@]}" "${names[@]}"; }
}

# i386_emulated: the kernel cannot run 32-bit x86 code itself, or QEMU runs it (binfmt_misc is
# asked before the kernel's own loader). Once libc6:i386 is installed.
i386_emulated() {
  grep -qsx enabled /proc/sys/fs/binfmt_misc/qemu-i386 ||
    ! /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# ensure_linux_arches: this machine runs the release's foreign Linux programs, through QEMU
# (their C libraries come from the Debian 11 root: QEMU_LD_PREFIX); returns non-zero with the
# reason.
ensure_linux_arches() {
  local machine
  ensure_qemu_user || return 1
  for machine in "${QEMU_MACHINES[@]}"; do
    ensure_binfmt "$machine" || return 1
  done
}

# The release's Linux programs beyond x86-64's, each by its cross compiler's GNU triplet
# (cmake/linux-cross.cmake gives each its machine and Debian architecture).
CROSS_TRIPLETS=(aarch64-linux-gnu arm-linux-gnueabihf i686-linux-gnu powerpc64le-linux-gnu
  riscv64-linux-gnu s390x-linux-gnu)
# The Debian roots of scripts/in-root and what each holds beyond minbase (a package NAME:ARCH
# adds that architecture to a root). The release's Linux programs are built on Debian 11, the
# oldest base they support, whose packages no longer change, with its g++ and a cross g++ for
# each other architecture, whose C library (2.31) also runs each program on that floor. A .deb
# installs, and the end-to-end table runs against it, on Debian 11 where its mirror still has
# that architecture (amd64, arm64, armhf, i386), else on Debian 12 (ppc64el, s390x), or 13
# (riscv64, new there; the mirror's Debian 13 lacks the newest C library of ppc64el and s390x,
# so no 13 root can hold them beside amd64's). CPack makes the .debs on Debian 12 (CMake 3.19
# or later), riscv64's on 13, where dpkg-shlibdeps reads each architecture's C library and
# its binutils strip its program (file: CPack finds the programs with it). On
# Debian 13, the newest, the native preset is built and tested with that release's compiler,
# CMake, clang-tidy and desktop programs, and the x86-64 .deb installs too (man-db: man -w).
ROOT_PACKAGES_bullseye=(g++ cmake ninja-build python3 "${NATIVE_TEST_PACKAGES[@]}" man-db
  "${CROSS_TRIPLETS[@]/#/g++-}" libc6:arm64 libc6:armhf libc6:i386)
ROOT_PACKAGES_bookworm=(cmake dpkg-dev fakeroot file python3 "${NATIVE_TEST_PACKAGES[@]}" man-db
  "${CROSS_TRIPLETS[@]/#/binutils-}" libc6:arm64 libc6:armhf libc6:i386 libc6:ppc64el
  libc6:s390x)
ROOT_PACKAGES_trixie=("${BUILD_PACKAGES[@]}" "${NATIVE_TEST_PACKAGES[@]}" valgrind clang-tidy
  man-db dpkg-dev fakeroot file binutils-riscv64-linux-gnu libc6:riscv64)
# What bench/startup measures with, and the program it compares with.
BENCH_PACKAGES=(valgrind hyperfine time uuid-runtime)
