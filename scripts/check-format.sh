#!/bin/sh
# Checks that every C and C++ source of the project follows .clang-format; names the files
# that do not (fix them with clang-format -i).
# Usage: scripts/check-format.sh [source-dir]
set -eu
ROOT=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$ROOT"
files=$(find framework platform language skin host module tools tests \
    -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) | sort)
# shellcheck disable=SC2086 # one word per file
clang-format --dry-run --Werror $files >/dev/null 2>&1 && {
    echo "check-format: $(echo "$files" | wc -l) files formatted"
    exit 0
}
bad=""
for f in $files; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad="$bad $f"
done
if [ -n "$bad" ]; then
    echo "check-format: not formatted:"
    for f in $bad; do echo "  $f"; done
fi
exit 1
