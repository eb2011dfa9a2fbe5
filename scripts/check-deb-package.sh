#!/usr/bin/env bash
# Checks the Debian package: unpacks it into a scratch root with dpkg -x and
# looks at what a user would get. Either give the .deb, or --build DIR to make
# it there first with cpack (into a scratch folder, leaving DIR as it was).
#   scripts/check-deb-package.sh build/default/kv521-analyzer_2.0.5_amd64.deb
#   scripts/check-deb-package.sh --build build/default
set -euo pipefail

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if [ "${1:-}" = "--build" ]; then
  build=$(cd "${2:?build folder}" && pwd)
  (cd "$scratch" && "${CPACK:-cpack}" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1) \
    || { cat "$scratch/cpack.log" >&2; echo "cpack failed" >&2; exit 1; }
  deb=$(ls "$scratch"/out/*.deb)
else
  deb=${1:?usage: $0 PACKAGE.deb | --build DIR}
fi

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

arch=$(dpkg --print-architecture)
field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
[ "$(basename "$deb")" = "kv521-analyzer_${version}_${arch}.deb" ] \
  && ok "file name $(basename "$deb")" || fail "file name $(basename "$deb"), expected kv521-analyzer_${version}_${arch}.deb"
[ "$(field Package)" = kv521-analyzer ] && ok "package name" || fail "package name $(field Package)"
[ "$(field Architecture)" = "$arch" ] && ok "architecture $arch" || fail "architecture $(field Architecture)"
depends=$(field Depends)
for lib in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6; do
  grep -Eq "(^|, )$lib[ ,(]|(^|, )$lib\$" <<<"$depends" && ok "Depends on $lib" || fail "Depends lacks $lib: $depends"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
for f in usr/bin/kv521-analyzer usr/bin/kv521-cli; do
  [ -x "$root/$f" ] && ok "$f" || fail "$f missing or not executable"
done
for f in usr/share/applications/kv521-analyzer.desktop \
         usr/share/icons/hicolor/scalable/apps/kv521-analyzer.svg \
         usr/lib/udev/rules.d/60-kv521-analyzer.rules \
         usr/share/metainfo/com.lumatrix.kv521_analyzer.metainfo.xml \
         usr/share/man/man1/kv521-analyzer.1.gz usr/share/man/man1/kv521-cli.1.gz \
         usr/lib/systemd/system/kv521-monitor@.service; do
  [ -s "$root/$f" ] && ok "$f" || fail "$f missing"
done
for size in 16 22 24 32 48 64 128 256; do
  [ -s "$root/usr/share/icons/hicolor/${size}x${size}/apps/kv521-analyzer.png" ] || fail "icon ${size}x${size} missing"
done
ok "icons checked"
# Nothing for developers: no simulator, no tests, no static libraries.
extra=$(cd "$root" && find . -type f \( -name 'tst_*' -o -name 'kv521-sim' -o -name '*.a' -o -name 'bench_*' \))
[ -z "$extra" ] && ok "no build leftovers" || fail "unexpected files: $extra"

appstreamcli validate --no-net "$root/usr/share/metainfo/com.lumatrix.kv521_analyzer.metainfo.xml" >"$scratch/as.log" 2>&1 \
  && ok "appstreamcli validate" || { cat "$scratch/as.log" >&2; fail "metainfo does not validate"; }
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/kv521-analyzer.desktop" && ok "desktop entry" || fail "desktop entry"
fi
for page in kv521-analyzer kv521-cli; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH ${page^^} 1" && ok "man page $page" || fail "man page $page"
done

dpkg-deb -e "$deb" "$scratch/control"
grep -q "udevadm control --reload-rules" "$scratch/control/postinst" && ok "postinst reloads udev rules" \
  || fail "postinst does not reload the udev rules"
[ -x "$scratch/control/postinst" ] || fail "postinst not executable"

# The unpacked programs start with the system's libraries.
"$root/usr/bin/kv521-cli" --version | grep -q "kv521-cli" && ok "kv521-cli runs" || fail "kv521-cli does not run"
# The tool finds its report module in the package's own folder, from wherever it lies.
log="$scratch/log_0101_0000.ldf"
printf '\0\0\0\2' >"$log"
"$root/usr/bin/kv521-cli" report "$log" --out "$scratch/report.pdf" >/dev/null 2>&1 && [ -s "$scratch/report.pdf" ] \
  && ok "kv521-cli writes a report with the packaged module" || fail "kv521-cli report does not work from the package"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/kv521-analyzer" --version 2>/dev/null | grep -q "KV521 Analyzer" \
  && ok "kv521-analyzer runs" || fail "kv521-analyzer does not run"

for f in usr/share/doc/kv521-analyzer/copyright usr/share/doc/kv521-analyzer/changelog.gz; do
  [ -s "$root/$f" ] && ok "$f" || fail "$f missing"
done
# Debian's own checker, where it is installed (scripts/install-deps.sh puts it
# there): any error or warning fails; info and pedantic notes may stay.
if command -v lintian >/dev/null; then
  if lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1; then
    ok "lintian"
  else
    cat "$scratch/lintian.log" >&2
    fail "lintian reports errors or warnings"
  fi
else
  echo "skipped: lintian is not installed"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed for $deb" >&2
  exit 1
fi
echo "package $(basename "$deb") passes"
