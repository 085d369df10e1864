#!/usr/bin/env bash
# cmake/install-packages.sh [LIST...]
#
# Installs the packages of cmake/packages-debian.txt (and of each LIST
# given) that this machine lacks, on Debian or Ubuntu, with apt-get: as
# root, or through sudo. On another system it names what to install and
# stops with status 1. Prints nothing and changes nothing when all are
# there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lists=("$here/packages-debian.txt" "$@")
packages=()
for list in "${lists[@]}"; do
  while read -r line; do
    line=${line%%#*}
    line=$(echo "$line" | tr -d '[:space:]')
    [ -n "$line" ] && packages+=("$line")
  done <"$list"
done

debian_like=false
if [ -r /etc/os-release ] && command -v apt-get >/dev/null && command -v dpkg >/dev/null; then
  # shellcheck disable=SC1091
  . /etc/os-release
  case " ${ID:-} ${ID_LIKE:-} " in
    *" debian "* | *" ubuntu "*) debian_like=true ;;
  esac
fi
if ! $debian_like; then
  echo "This is not Debian or Ubuntu, so nothing was installed. Install:" >&2
  echo "  CMake 3.25 or later and a C++20 compiler (for the converter)," >&2
  echo "  pkg-config, FreeType, libpng and zlib (for vexofont), GoogleTest" >&2
  echo "  and Python 3 (for the tests); with Homebrew on macOS:" >&2
  echo "    brew install cmake pkg-config freetype libpng googletest python" >&2
  echo "  The Debian names of everything the tests use are in" >&2
  echo "  cmake/packages-debian.txt. Then run the cmake commands again." >&2
  exit 1
fi

missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" = 0 ]; then
  sudo=()
elif command -v sudo >/dev/null; then
  sudo=(sudo)
else
  echo "missing packages: ${missing[*]}" >&2
  echo "run this script as root (or install sudo) to install them" >&2
  exit 1
fi
echo "installing: ${missing[*]}"
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
