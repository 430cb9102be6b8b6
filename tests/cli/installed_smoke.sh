#!/usr/bin/env bash
# The installed orvane-cli: installs the build into a scratch prefix and runs
# the program from there, with its manual page beside it and no toolkit
# library behind it.
#   bash tests/cli/installed_smoke.sh BUILD_DIR
set -euo pipefail
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "installed_smoke: $*" >&2; exit 1; }

cmake --install "$1" --prefix "$prefix" >/dev/null
cli="$prefix/bin/orvane-cli"
[ -x "$cli" ] || fail "bin/orvane-cli is not installed"
gzip -t "$prefix/share/man/man1/orvane-cli.1.gz" || fail "manual page missing"
if ldd "$cli" | grep -qi 'libQt'; then fail "orvane-cli links the toolkit"; fi

out="$("$cli" show --format binary32 0.1)"
grep -q '3DCCCCCD' <<<"$out" || fail "show: $out"
out="$(printf '3F800000 3F800001\n' | "$cli" batch --format binary32 --op add)"
[ "$out" = "40000000 01" ] || fail "batch: $out"
status=0; "$cli" >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "no command gave status $status"
echo "installed_smoke: orvane-cli runs from $prefix"
