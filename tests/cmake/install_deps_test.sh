#!/usr/bin/env bash
# cmake/install-deps.sh must run each row's whole check: a check split at a "|" of its own would always
# hold, and its packages would never be installed on a machine that lacks them.
set -uo pipefail
script=$(cd "$(dirname "$0")/../../cmake" && pwd)/install-deps.sh

# The rows as written in the script, one per line.
written=$(bash -c "source <(sed -n '/^rows=(/,/^)/p' '$script'); printf '%s\n' \"\${rows[@]}\"")
parsed=$("$script" --rows) || { echo "install-deps.sh --rows failed"; exit 1; }
[ -n "$written" ] || { echo "no rows found in $script"; exit 1; }

failures=0
known=" $(sed -n "s/^known='\(.*\)'$/\1/p" "$script") "
while IFS=$'\t' read -r group packages check && IFS= read -r row <&3; do
  problem=
  if [ "$group|$packages|$check" != "$row" ]; then problem="parsed as '$group' '$packages' '$check'"
  elif [[ $known != *" $group "* ]]; then problem="unknown group '$group'"
  elif ! [[ $packages =~ ^[a-z0-9][a-z0-9.+-]*( [a-z0-9][a-z0-9.+-]*)*$ ]]; then problem="'$packages' are no package names"
  elif [ -z "$check" ] || ! bash -n -c "$check" 2>/dev/null; then problem="check '$check' is no shell command"
  fi
  if [ -n "$problem" ]; then echo "row '$row': $problem"; failures=$((failures + 1)); fi
done < <(echo "$parsed") 3< <(echo "$written")
[ "$(echo "$parsed" | wc -l)" = "$(echo "$written" | wc -l)" ] || { echo "row counts differ"; failures=$((failures + 1)); }
[ "$failures" = 0 ] && echo "every row of install-deps.sh parses whole: $(echo "$written" | wc -l) rows"
[ "$failures" = 0 ]
