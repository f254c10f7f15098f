#!/usr/bin/env bash
# The README's "Packages" section must name exactly the packages of scripts/deps.sh: the game's
# (with the build tools), those the tests add and those the package command adds.
# Usage: readme_packages.sh SOURCE_DIR
set -u
source_dir=${1:?usage: $0 SOURCE_DIR}
section=$(awk '/^## Packages$/ {on = 1; next} on && /^## / {exit} on' "$source_dir/README.md" | tr '\n' ' ')

# readme_list LABEL: the words between the backticks after "LABEL:" in the section, one a line.
readme_list() { sed -n "s/.*$1: \`\([^\`]*\)\`.*/\1/p" <<<"$section" | tr -s ' ' '\n' | sed '/^$/d' | sort; }
deps_list() { "$source_dir/scripts/deps.sh" --list "$@" | sort; }

failures=0
compare() {  # compare LABEL README_LIST DEPS_LIST
  if [[ "$2" != "$3" ]]; then
    echo "FAIL: README \"$1\" differs from scripts/deps.sh (< README, > deps.sh):"
    diff <(echo "$2") <(echo "$3") | grep '^[<>]'
    failures=$((failures + 1))
  else
    echo "ok: $1 ($(wc -l <<<"$2") packages)"
  fi
}
game=$(deps_list)
compare "Game" "$(readme_list Game)" "$game"
compare "Tests add" "$(readme_list 'Tests add')" "$(comm -13 <(echo "$game") <(deps_list --test))"
compare "Package adds" "$(readme_list 'Package adds')" "$(comm -13 <(echo "$game") <(deps_list --package))"
exit $((failures > 0))
