#!/usr/bin/env bash
# The whole test suite: set-up, both builds, then every test (cipher natively, Windows programs under Wine).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"

status=0
(cd "$root/build/native" && ctest --output-on-failure) || status=1
(cd "$root/build/win" && ctest --output-on-failure) || status=1
exit $status
