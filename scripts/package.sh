#!/usr/bin/env bash
# Builds the Debian package keno22_<version>_amd64.deb in the checkout: installs the packaging tools
# when missing, builds the game with Debian's build flags into build-deb/, packs it with CPack
# (runtime dependencies from dpkg-shlibdeps) and checks the result with appstreamcli,
# desktop-file-validate and lintian. Exits non-zero when a check finds an error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --package

version=$(sed -n 's/^project(keno22 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# The package's changelog and the software centre's release notes must describe this version.
if ! head -n 1 packaging/changelog | grep -q "^keno22 ($version) "; then
  echo "package.sh: packaging/changelog has no entry for version $version at its top" >&2
  exit 1
fi
if ! grep -q '<release version="@PROJECT_VERSION@"' packaging/org.plinx.keno22.metainfo.xml.in; then
  echo "package.sh: the metainfo's newest release must be the project's version" >&2
  exit 1
fi

# Hardening and optimisation as Debian builds its own packages (all hardening, bindnow included).
# CMake reads no CPPFLAGS, so the preprocessor's (_FORTIFY_SOURCE) join the compiler's.
# Given on every configure: CMake reads CXXFLAGS and LDFLAGS from the environment only once.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DKENO_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build build-deb --target keno22 keno_desktop_files
rm -rf build-deb/packages
(cd build-deb && cpack -G DEB)
deb=$(ls build-deb/packages/keno22_"$version"_*.deb)
cp "$deb" .
deb=$(basename "$deb")
echo "Built $deb"

contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"
status=0
echo "--- appstreamcli validate"
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml || status=1
echo "--- desktop-file-validate"
desktop-file-validate "$contents"/usr/share/applications/keno22.desktop || status=1
echo "--- lintian"
lintian --fail-on error --display-info "$deb" || status=1
exit $status
