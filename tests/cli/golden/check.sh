#!/usr/bin/env bash
# Runs trellon-cli over every line of cases.txt and compares what it printed, its exit status
# and the files it wrote with expected/NAME.txt. With --update it writes those files instead.
# Usage: check.sh TRELLON_CLI [--update]
set -uo pipefail

cli="$1"
update="${2:-}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
examples="$(cd "$here/../../../examples" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C

failed=0
count=0
while IFS= read -r line; do
    [[ -z "$line" || "$line" == \#* ]] && continue
    name="${line%%:*}"
    arguments="${line#*:}"
    out="$work/$name"
    mkdir -p "$out"
    arguments="${arguments//@EX@/$examples}"
    arguments="${arguments//@OUT@/$out}"
    # shellcheck disable=SC2086
    (cd "$work" && "$cli" $arguments >"$work/stdout" 2>"$work/stderr")
    status=$?
    {
        echo "== exit $status"
        echo "== stdout"
        cat "$work/stdout"
        echo "== stderr"
        cat "$work/stderr"
        for file in $(cd "$out" && ls); do
            echo "== file $file"
            cat "$out/$file"
        done
    } | sed -e "s|$examples|@EX@|g" -e "s|$out|@OUT@|g" >"$work/$name.txt"
    count=$((count + 1))
    if [[ "$update" == "--update" ]]; then
        cp "$work/$name.txt" "$here/expected/$name.txt"
    elif ! cmp -s "$work/$name.txt" "$here/expected/$name.txt"; then
        echo "FAILED: $name ($arguments)"
        diff "$here/expected/$name.txt" "$work/$name.txt" | head -20
        failed=$((failed + 1))
    fi
done <"$here/cases.txt"
echo "$((count - failed)) passed, $failed failed"
((failed == 0))
