#!/usr/bin/env bash
# Checks the installation and the Debian package of a finished build:
# installs into a scratch DESTDIR, validates the desktop entry, the AppStream
# metainfo, the icons and the manual page, builds the .deb with CPack, lists
# its control fields and files and checks it with lintian. Exits non-zero on
# the first problem.
#   bash tools/check_install.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="$(cd "${1:-build}" && pwd)"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
fail() { echo "check_install: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build_dir" --prefix /usr >/dev/null
share="$root/usr/share"

# Desktop entry: valid, and its program and icon are installed.
desktop_files=("$share"/applications/*.desktop)
[ ${#desktop_files[@]} -eq 1 ] && [ -f "${desktop_files[0]}" ] || fail "expected one desktop entry"
desktop="${desktop_files[0]}"
app_id="$(basename "$desktop" .desktop)"
out="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate: $out"
if grep -qE '(error|warning):' <<<"$out"; then fail "desktop-file-validate: $out"; fi
program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
[ -x "$root/usr/bin/$program" ] || fail "Exec=$program is not installed in bin/"
icon="$(sed -n 's/^Icon=//p' "$desktop")"
[ "$icon" = "$app_id" ] || fail "Icon=$icon differs from the application id $app_id"

# Icons: the scalable picture and a PNG of the stated size for each size.
[ -s "$share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "scalable icon missing"
for size in 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ -f "$png" ] || fail "icon ${size}x${size} missing"
  file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
done

# AppStream metainfo, alone and together with the installed tree.
metainfo="$share/metainfo/$app_id.metainfo.xml"
[ -f "$metainfo" ] || fail "metainfo $app_id.metainfo.xml missing"
appstreamcli validate --no-net --strict "$metainfo" >/dev/null ||
  { appstreamcli validate --no-net --strict --explain "$metainfo" >&2 || true; fail "appstreamcli validate"; }
appstreamcli validate-tree --no-net --strict "$root/usr" >/dev/null ||
  { appstreamcli validate-tree --no-net --strict "$root/usr" >&2 || true; fail "appstreamcli validate-tree"; }

# Manual page: compressed, and formats without a warning.
man_page="$share/man/man1/$program.1.gz"
gzip -t "$man_page" || fail "manual page missing or not gzip"
warnings="$(gzip -dc "$man_page" | groff -man -ww -z -Tutf8 2>&1)"
[ -z "$warnings" ] || fail "manual page: $warnings"

# The command-line program: installed, its manual page valid, no toolkit behind it.
[ -x "$root/usr/bin/orvane-cli" ] || fail "orvane-cli is not installed in bin/"
gzip -t "$share/man/man1/orvane-cli.1.gz" || fail "orvane-cli manual page missing or not gzip"
warnings="$(gzip -dc "$share/man/man1/orvane-cli.1.gz" | groff -man -ww -z -Tutf8 2>&1)"
[ -z "$warnings" ] || fail "orvane-cli manual page: $warnings"
if ldd "$root/usr/bin/orvane-cli" | grep -qi 'libQt'; then fail "orvane-cli links the toolkit"; fi

# Debian package: built from the same install rules, with library dependencies.
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/pkg" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack"; }
debs=("$scratch"/pkg/*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no .deb"
deb="${debs[0]}"
echo "== $(basename "$deb")"
dpkg-deb -f "$deb"
echo "== files"
dpkg-deb -c "$deb"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries (dpkg-shlibdeps)"
# The package holds exactly the installed files (so no test or benchmark).
(cd "$root" && find . -type f | sort) >"$scratch/installed"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort >"$scratch/packaged"
diff -u "$scratch/installed" "$scratch/packaged" || fail "the package differs from the installed files"
if grep -E '/(orvane_[a-z_]*tests?|orvane_bench|orvane_render_icon)$' "$scratch/packaged"; then
  fail "a test, benchmark or build tool is installed"
fi
grep -v '^\./usr/' "$scratch/packaged" && fail "files outside /usr"
# Debian's package checker: any error (E:) fails; warnings and notes are shown.
command -v lintian >/dev/null || fail "lintian is not installed (bash tools/setup.sh installs it)"
lint="$(lintian "$deb" 2>&1 | grep -v '^running with root privileges' || true)"
[ -z "$lint" ] || { echo "== lintian"; echo "$lint"; }
if grep -q '^E:' <<<"$lint"; then fail "lintian reports errors"; fi
echo "check_install: $(wc -l <"$scratch/packaged") files installed and packaged, desktop entry, metainfo, icons and manual page valid, lintian without errors"
