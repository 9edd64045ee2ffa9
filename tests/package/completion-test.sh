#!/usr/bin/env bash
# Sources the bash completion with the build's yarrow-cli first on PATH and checks what it offers
# against what the program accepts.
set -uo pipefail
completion=$1
PATH=$2:$PATH
source "$completion"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
status=0
fail() { echo "completion test: $*" >&2; status=1; }
complete_line() { # words of the line, the last one being completed
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _yarrow_cli
    ((${#COMPREPLY[@]})) && printf '%s\n' "${COMPREPLY[@]}" | sort -u | tr '\n' ' '
}
expect() { # expected, then the words
    local want=$1 got
    shift
    got=$(complete_line "$@")
    [ "$got" = "$want" ] || fail "'$*': got '$got', want '$want'"
}

commands=$(complete_line yarrow-cli "")
for c in bonds curve plot history calc; do
    [[ " $commands" == *" $c "* ]] || fail "command $c not offered: $commands"
done
for c in $commands; do
    # A bad --bills value stops the run before the command starts, after the command is looked up.
    if yarrow-cli "$c" --bills maybe 2>&1 | grep -q "unknown command"; then fail "offered command $c is unknown"; fi
done

# The layers offered are the ones the program names when it refuses a layer.
layers=$(complete_line yarrow-cli plot ytm "")
named=$(yarrow-cli plot no-such-layer --out x.svg 2>&1 | sed -n "s/.*unknown plot layer '[^']*' (\([^)]*\)).*/\1/p" |
        tr -d ' ' | tr ',' '\n' | sort -u | tr '\n' ' ')
[ -n "$named" ] || fail "yarrow-cli names no layers when refusing one"
[ "$layers" = "$named" ] || fail "layers offered '$layers', the program names '$named'"
first=$(complete_line yarrow-cli plot "")
for layer in $named; do
    [[ " $first" == *" $layer "* ]] || fail "plot does not offer $layer first: $first"
done

touch quotes.tsv
mkdir series.d
expect "--date-order " yarrow-cli --date-o
expect "dmy mdy " yarrow-cli --date-order ""
expect "quotes.tsv series.d " yarrow-cli --quotes ""
expect "series.d " yarrow-cli --h15 ""
expect "forward ytm zero " yarrow-cli --format csv curve ""
expect "annual continuous daily monthly semi-annual " yarrow-cli spline --compounding ""
expect "discrete libor tbill zero " yarrow-cli calc rate ""
expect "max-yield min-convexity " yarrow-cli optimize --strategy ""
expect "quotes.tsv series.d " yarrow-cli cashflows ""
expect "" yarrow-cli nelson-siegel --level ""
# The value of an option is not taken for the command.
expect "$(complete_line yarrow-cli "")" yarrow-cli --date 2010-12-31 ""
exit $status
