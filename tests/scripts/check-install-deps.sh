#!/usr/bin/env bash
# Runs scripts/install-deps.sh as on Fedora and on Arch: stand-ins for the
# package manager and the tools on a PATH without apt-get or dpkg-query, and
# a Qt prefix made of empty CMake package files.
#   tests/scripts/check-install-deps.sh [path/to/install-deps.sh]
set -euo pipefail

script=${1:-$(cd "$(dirname "$0")/../.." && pwd)/scripts/install-deps.sh}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

qt="$scratch/qt"
for module in Qt6Widgets Qt6SerialPort Qt6Sql Qt6Test Qt6LinguistTools Qt6HttpServer; do
  mkdir -p "$qt/lib/cmake/$module"
  : >"$qt/lib/cmake/$module/${module}Config.cmake"
done

# bin: the PATH of one run. The package manager writes its arguments to a log.
make_bin() {
  local manager=$1 bin=$2
  shift 2
  rm -rf "$bin"
  mkdir -p "$bin"
  ln -s "$(command -v bash)" "$bin/bash"
  printf '#!%s\necho 0\n' "$(command -v bash)" >"$bin/id"
  printf '#!%s\necho "$*" >>"%s/calls"\n' "$(command -v bash)" "$scratch" >"$bin/$manager"
  local tool
  for tool in "$@"; do
    printf '#!%s\nexit 0\n' "$(command -v bash)" >"$bin/$tool"
  done
  chmod +x "$bin"/*
}

# run MANAGER PREFIX TOOL... : exit code in $code, the manager's calls in $calls.
run() {
  local manager=$1 prefix=$2
  shift 2
  make_bin "$manager" "$scratch/bin" "$@"
  rm -f "$scratch/calls"
  code=0
  if [ -n "$prefix" ]; then
    env -i PATH="$scratch/bin" CMAKE_PREFIX_PATH="$prefix" bash "$script" >"$scratch/out" 2>&1 || code=$?
  else
    env -i PATH="$scratch/bin" bash "$script" >"$scratch/out" 2>&1 || code=$?
  fi
  calls=$(cat "$scratch/calls" 2>/dev/null || true)
}

all_tools=(cmake ninja c++ pkg-config)
for manager in dnf pacman; do
  # Without CMAKE_PREFIX_PATH in the environment (as on most machines).
  run "$manager" "" "${all_tools[@]}"
  if [ "$code" -eq 0 ] && ! grep -q "unbound variable" "$scratch/out"; then
    ok "$manager: runs without CMAKE_PREFIX_PATH"
  else
    cat "$scratch/out" >&2
    fail "$manager: exit $code without CMAKE_PREFIX_PATH"
  fi

  run "$manager" "/nonexistent:$qt" "${all_tools[@]}"
  [ "$code" -eq 0 ] && [ -z "$calls" ] && ok "$manager: everything there, nothing installed" \
    || { cat "$scratch/out" >&2; fail "$manager: exit $code, installed: $calls"; }

  run "$manager" "$qt" cmake c++ pkg-config
  case $manager in
    dnf) expected="install -y -q cmake ninja-build gcc-c++ pkgconf-pkg-config qt6-qtbase-devel" ;;
    pacman) expected="-S --needed --noconfirm cmake ninja gcc pkgconf qt6-base" ;;
  esac
  [ "$code" -eq 0 ] && [[ "$calls" == "$expected"* ]] && ok "$manager: installs when ninja is missing" \
    || { cat "$scratch/out" >&2; fail "$manager: exit $code, installed: $calls"; }
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install-deps.sh passes on the dnf and pacman branches"
