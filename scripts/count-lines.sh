#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The tests' share of the code: lines of C++, Python, shell and CMake that
# are neither blank nor comments (cloc's count, in which Python's
# docstrings are comments), in the files git tracks, under tests/ against
# everywhere else.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v cloc >/dev/null || { echo "needs cloc: apt-get install cloc" >&2; exit 1; }
cloc --vcs=git --by-file --quiet --csv \
  --include-lang="C++,C/C++ Header,Python,Bourne Shell,Bourne Again Shell,CMake" . |
  awk -F, 'NR > 1 && $2 != "" { if ($2 ~ /^(\.\/)?tests\//) t += $5; else c += $5 }
           END { printf "tests: %d lines; the rest: %d lines; ratio %.2f\n", t, c, t / c }'
