#!/usr/bin/env bash
# install_consumer.sh BUILD_DIR C_COMPILER SOURCE RUNNER
# Installs the control's header and library from a Windows build tree into
# BUILD_DIR/installed, compiles and links SOURCE against that prefix alone
# (the link line the header documents), and runs the program with RUNNER.
# The exit code is the program's, so a skipped run (77) stays skipped.
set -euo pipefail
build=$1
compiler=$2
source=$3
runner=$4
prefix=$build/installed
program=$build/install_consumer.exe

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
test -f "$prefix/include/advancededit.h"
test -f "$prefix/lib/libadvancededit.a"
"$compiler" -std=c99 -Wall -Wextra -Werror "$source" -I"$prefix/include" -L"$prefix/lib" \
  -ladvancededit -lgdi32 -luser32 -lkernel32 -static -o "$program"
exec "$runner" "$program"
