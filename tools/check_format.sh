#!/usr/bin/env bash
# Fails when a C++ source or header differs from what clang-format makes of it
# with the project's .clang-format; prints the differences.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
while IFS= read -r f; do
  if ! clang-format --style=file "$f" | diff -u --label "$f" --label "$f (formatted)" "$f" -; then
    status=1
  fi
done < <(git ls-files '*.cpp' '*.h')
if [ "$status" -ne 0 ]; then
  echo "Some files are not formatted; run: clang-format -i \$(git ls-files '*.cpp' '*.h')" >&2
fi
exit "$status"
