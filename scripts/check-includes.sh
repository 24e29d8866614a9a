#!/usr/bin/env bash
# Fails when an include breaks the layering: a platform header (D-Bus, xcb,
# systemd, signals) anywhere but src/wall, or a header of one of our folders
# that the including folder may not use. Tests may include what they test.
#   scripts/check-includes.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# What each folder of src/ may include besides itself, bottom up.
declare -A allowed=(
  [core]=""
  [settings]="core"
  [database]="core settings"
  [gridview]="core"
  [data]="core settings database"
  [board]="core settings database gridview data"
  [feed]="core settings database data"
  [wall]="core settings"
  [app]="core settings database gridview data board feed wall"
)

# Tracked files and new ones not yet added, so a check before committing sees them.
files() { git ls-files -z --cached --others --exclude-standard "$@"; }

status=0
complain() {
  echo "check-includes: $*" >&2
  status=1
}

# Platform ties live in src/wall, behind its small interfaces.
platform='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](QDBus|QtDBus/|xcb/|systemd/|csignal>|signal\.h>|sys/signal\.h>)'
while IFS= read -r hit; do
  complain "$hit: platform headers belong in src/wall"
done < <(files -- '*.cpp' '*.h' ':!:src/wall/' ':!:tests/' | xargs -0 grep -HnE "$platform" || true)

for dir in src/*/; do
  folder=$(basename "$dir")
  if [ -z "${allowed[$folder]+set}" ]; then
    complain "src/$folder has no line in the table of allowed includes"
    continue
  fi
  # file:line:#include "other/..." for each include that names one of our folders.
  while IFS= read -r hit; do
    [[ $hit =~ include[[:space:]]*[\<\"]([A-Za-z_]+)/ ]] || continue
    other=${BASH_REMATCH[1]}
    [ -n "${allowed[$other]+set}" ] || continue # a library's header, e.g. <sys/...>
    [ "$other" = "$folder" ] && continue
    [[ " ${allowed[$folder]} " == *" $other "* ]] && continue
    complain "$hit: src/$folder may not include $other/ (it may use: ${allowed[$folder]:-nothing})"
  done < <(files -- "src/$folder" | xargs -0 grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][A-Za-z_]+/' || true)
done

[ $status -eq 0 ] && echo "check-includes: the layering holds."
exit $status
