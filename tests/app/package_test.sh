#!/usr/bin/env bash
# package_test.sh BUILD_DIR: the Debian package cpack makes of the build.
# Its files (both programs, their manual pages, the authors' docs), its
# control fields (run-time libraries from the programs themselves, the
# desktop libraries only recommended), and both programs run from the
# unpacked package. Skipped (77) without cpack or dpkg-deb, except in CI.
set -uo pipefail

fail() { echo "FAIL: $*"; exit 1; }
[ $# -eq 1 ] || fail "usage: $0 BUILD_DIR"
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    [ -n "${CI:-}" ] && fail "$tool is missing"
    echo "$tool is not installed: skipped"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/pkg/scenario_*_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no scenario_VERSION_ARCH.deb made"

# The files, by path.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$work/files"
for f in usr/bin/scenario usr/bin/scenario-tool usr/share/man/man1/scenario.1 usr/share/man/man1/scenario-tool.1 \
         usr/share/doc/scenario/README.md usr/share/doc/scenario/format.md usr/share/doc/scenario/editors.md \
         usr/share/doc/scenario/editors/neovim.lua; do
  grep -qx "$f" "$work/files" || fail "$f is not in the package"
done
grep -v '^usr/' "$work/files" | grep -v '^$' && fail "files outside usr/ in the package"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = scenario ] || fail "Package: $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
field Depends | grep -q 'libc6 (>= ' || fail "Depends does not name libc6: $(field Depends)"
field Depends | grep -qi 'fltk\|libx11' && fail "Depends names the desktop libraries: $(field Depends)"
field Recommends | grep -q 'libfltk1.3' || fail "Recommends: $(field Recommends)"
# Every shared library the programs need is in Depends.
for lib in $(objdump -p "$build/app/scenario" "$build/tools/scenario-tool" 2>/dev/null | awk '/NEEDED/ {print $2}' | sort -u); do
  case $lib in
    libc.so.*|libm.so.*) pkg=libc6 ;;
    libstdc++.so.*) pkg=libstdc++6 ;;
    libgcc_s.so.*) pkg=libgcc-s1 ;;
    *) continue ;;  # sanitizer run-time libraries of a test build
  esac
  field Depends | grep -q "$pkg" || fail "$lib is needed but $pkg is not in Depends: $(field Depends)"
done

# Both programs run from the unpacked package.
dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x failed"
"$work/root/usr/bin/scenario-tool" --version | grep -q '^scenario-tool ' || fail "scenario-tool --version"
mkdir "$work/out"
(cd "$work" && env -u DISPLAY "$work/root/usr/bin/scenario" --output "$work/out" >/dev/null 2>&1) || fail "the packaged scenario failed"
[ -f "$work/out/Valmora - Dorvane_ICN 853.sim" ] || fail "the packaged scenario wrote no table"
"$work/root/usr/bin/scenario-tool" decode "$work/out/Valmora - Dorvane_ICN 853.sim" >/dev/null || fail "the packaged scenario-tool cannot decode"
echo "package: $(basename "$deb") ok"
