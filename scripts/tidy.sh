#!/usr/bin/env bash
# Runs clang-tidy, with the checked-in .clang-tidy, over C++ sources as the
# build compiles them, and fails on any finding.
#
#   scripts/tidy.sh [--build DIR] [--all | FILE.cpp ...]
#
# With no files it checks what the last commit changed: the .cpp files changed
# between HEAD^1 and HEAD, and those of changed headers, or every file when
# HEAD has no parent. --all checks every .cpp file the build compiles. The
# build folder (default: build) must exist: its compile_commands.json gives
# each file's flags, and its generated headers must be there.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
all=0
requested=()
while [ $# -gt 0 ]; do
  case "$1" in
  --all) all=1 ;;
  --build)
    build=$2
    shift
    ;;
  -h | --help)
    sed -n '2,/^set -euo/p' "$0" | sed -e '/^set -euo/d' -e 's/^# \{0,1\}//'
    exit 0
    ;;
  *) requested+=("$1") ;;
  esac
  shift
done

database="$build/compile_commands.json"
if [ ! -f "$database" ]; then
  echo "tidy: no $database; configure and build first (scripts/test.sh does)" >&2
  exit 2
fi

# The files the build compiles, relative to the source root.
mapfile -t compiled < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$database" |
  sed "s|^$PWD/||" | grep -E '^(src|tests|bench)/.*\.cpp$' | sort -u)

changed() {
  if ! git rev-parse -q --verify HEAD^1 >/dev/null; then
    printf '%s\n' "${compiled[@]}"
    return
  fi
  git diff --name-only --diff-filter=d HEAD^1 HEAD -- '*.cpp' '*.h'
}

if [ $all -eq 1 ]; then
  candidates=("${compiled[@]}")
elif [ ${#requested[@]} -gt 0 ]; then
  candidates=("${requested[@]}")
else
  mapfile -t candidates < <(changed)
fi

# Only what the build compiles: a header without a source, or a file of a
# target this build leaves out (the fuzzers), has no flags to check it with.
files=()
for f in "${candidates[@]}"; do
  f=${f#./}
  case $f in *.h) f=${f%.h}.cpp ;; esac # a header stands for its source
  if printf '%s\n' "${compiled[@]}" | grep -qxF -- "$f"; then
    files+=("$f")
  elif [ ${#requested[@]} -gt 0 ]; then
    echo "tidy: $f is not compiled in $build; skipped" >&2
  fi
done
if [ ${#files[@]} -eq 0 ]; then
  echo "tidy: no C++ source to check."
  exit 0
fi
mapfile -t files < <(printf '%s\n' "${files[@]}" | sort -u)

echo "tidy: checking ${#files[@]} file(s) with $(clang-tidy --version | sed -n 's/.*LLVM version \([0-9.]*\).*/\1/p' | head -1)"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
# Findings in our own headers count too; the build's generated ones do not.
printf '%s\0' "${files[@]}" |
  xargs -0 -n 1 -P "$(nproc)" clang-tidy -p "$build" --quiet --warnings-as-errors='*' \
    --header-filter="^$PWD/(src|tests|bench)/" >"$log" 2>&1 || status=$?
# clang-tidy counts the warnings it hid in system headers; only findings matter.
grep -vE '^[0-9]+ warnings?( and [0-9]+ errors?)? generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^[0-9]+ warnings? treated as errors?$' "$log" || true
if [ $status -ne 0 ]; then
  echo "tidy: clang-tidy has findings (above)." >&2
  exit 1
fi
echo "tidy: no findings."
