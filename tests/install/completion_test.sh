#!/usr/bin/env bash
# The bash completion: what it offers after the global options, for each
# command and for option values, and that it knows every command and option
# the program's own help names (so a new command or option is not forgotten).
# The helpers of the bash-completion package are stood in for.
set -euo pipefail
script=$1
cli=$2
fail() { echo "FAILED: $*" >&2; exit 1; }

_init_completion() {
  words=("${COMP_WORDS[@]}")
  cword=$COMP_CWORD
  cur=${words[cword]}
  prev=${words[cword - 1]}
}
_filedir() { COMPREPLY=("FILES${1:+:$1}"); }
# shellcheck source=/dev/null
source "$script"

offers() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _tavodex_cli
  echo "${COMPREPLY[*]}"
}
expect() {
  local want=$1
  shift
  local got
  got=$(offers "$@")
  [[ "$got" == "$want" ]] || fail "$* -> '$got', not '$want'"
}

commands=$("$cli" --help | sed -n '/^commands:/,/^$/p' | awk 'NR > 1 && NF {print $1}' | sort | xargs)
[[ -n "$commands" ]] || fail "no commands in tavodex-cli --help"
expect "$commands" tavodex-cli ""
expect "$commands" tavodex-cli --base /somewhere --language 049 --populate ""
expect "check" tavodex-cli --base=/x ch
expect "044 049" tavodex-cli --language ""
expect "--populate" tavodex-cli --po
expect "FILES:-d" tavodex-cli --base ""
expect "FILES:@(qvx|QVX)" tavodex-cli info ""
expect "FILES:@(prj|PRJ)" tavodex-cli import-dos ""
expect "text json" tavodex-cli check x.qvx --format ""
expect "full optimal" tavodex-cli --base /x download x.qvx --scope ""
expect "--zoom" tavodex-cli render x.qvx --z
expect "FILES:png" tavodex-cli render x.qvx --output ""
expect "" tavodex-cli text ""

for command in $commands; do
  documented=$("$cli" "$command" --help | sed '/^$/q' | { grep -o -- '--[a-z][a-z-]*' || true; } | sort -u | xargs)
  offered=$(offers tavodex-cli "$command" -- | tr ' ' '\n' | { grep -v -- '^--help$' || true; } | sort -u | xargs)
  [[ "$documented" == "$offered" ]] || fail "$command: help names '$documented', completion offers '$offered'"
done
echo "completion offers every command and option"
