#!/usr/bin/env bash
# install_consumer.sh BUILD_DIR TOOLCHAIN C_COMPILER CXX_COMPILER RUNNER
# Installs a Windows build tree into BUILD_DIR/consumer/installed, then builds
# the application beside this script against that prefix alone, twice: as a
# CMake project through find_package(AdvancedEdit), and by hand with the
# flags pkg-config gives for advancededit. Runs both with RUNNER and passes
# when both ran every check; exits with 77 when RUNNER skips.
set -euo pipefail
build=$(cd "$1" && pwd)
toolchain=$2
c_compiler=$3
cxx_compiler=$4
runner=$5
here=$(cd "$(dirname "$0")" && pwd)
work=$build/consumer
prefix=$work/installed

rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$prefix" >/dev/null

# 1. CMake: the package gives the include folder and the system libraries.
cmake -S "$here" -B "$work/cmake" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release -Wno-dev >"$work/cmake.log" 2>&1 ||
  { cat "$work/cmake.log"; exit 1; }
cmake --build "$work/cmake" >>"$work/cmake.log" 2>&1 || { cat "$work/cmake.log"; exit 1; }

# 2. pkg-config, from the installed advancededit.pc alone; the C compiler links.
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH=
read -r -a cflags <<<"$(pkg-config --cflags advancededit)"
read -r -a libs <<<"$(pkg-config --libs advancededit)"
"$cxx_compiler" -std=c++17 -Wall -Wextra -Werror -c "$here/engine_names.cpp" -o "$work/engine_names.o"
"$c_compiler" -std=c99 -Wall -Wextra -Werror "${cflags[@]}" "$here/consumer.c" "$work/engine_names.o" \
  "${libs[@]}" -static -o "$work/consumer-pkgconfig.exe"

# Each build must run to its last line; only then does the test pass.
for program in "$work/cmake/consumer.exe" "$work/consumer-pkgconfig.exe"; do
  status=0
  "$runner" "$program" >"$work/run.log" 2>&1 || status=$?
  cat "$work/run.log"
  [ $status -ne 77 ] || exit 77
  grep -q "^consumer: all checks passed" "$work/run.log" || exit 1
done
echo "test program finished: all tests passed (2 builds)"
