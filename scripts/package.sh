#!/usr/bin/env bash
# Builds the Debian package of the program with CPack and prints its path last.
#
#   scripts/package.sh            builds in build-package/ (RelWithDebInfo, without
#                                 tests, with Debian's hardening flags) and packages it
#   scripts/package.sh BUILD_DIR  packages an existing build folder, building only
#                                 what the package holds (CI: the test build)
#
# The .deb is written into the build folder: BUILD_DIR/tarnex_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

if [ $# -gt 1 ]; then
  echo "usage: scripts/package.sh [BUILD_DIR]" >&2
  exit 2
fi

if [ $# -eq 1 ]; then
  build=$1
  if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "package.sh: $build is not a configured build folder" >&2
    exit 2
  fi
else
  build=build-package
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEX_BUILD_TESTS=OFF \
      "${launcher[@]}" >/dev/null
fi
build=$(cd "$build" && pwd)

if ! grep -q '^TARNEX_BUILD_UI:BOOL=ON' "$build/CMakeCache.txt"; then
  echo "package.sh: $build was configured without the window program (TARNEX_BUILD_UI=OFF)" >&2
  exit 2
fi

cmake --build "$build" -j "$(nproc)" --target tarnex tarnex-cli tarnex_install_data
rm -f "$build"/tarnex_*.deb
cpack --config "$build/CPackConfig.cmake" -B "$build" >"$build/cpack.log" 2>&1 || {
  cat "$build/cpack.log" >&2
  exit 1
}
deb=$(ls "$build"/tarnex_*.deb)
echo "$deb"
