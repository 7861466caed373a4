# bash completion for tavodex-cli: the global options, the commands, each
# command's options and their fixed values, and project files.

_tavodex_cli() {
  local cur prev words cword
  _init_completion -n = || return

  # The command is the first word after the global options and their values.
  local i command=""
  for ((i = 1; i < cword; i++)); do
    case "${words[i]}" in
      --base | --language) ((i++)) ;;
      -*) ;;
      *) command="${words[i]}"; break ;;
    esac
  done

  if [[ -z $command ]]; then
    case "$prev" in
      --base) _filedir -d; return ;;
      --language) COMPREPLY=($(compgen -W "044 049" -- "$cur")); return ;;
    esac
    if [[ $cur == -* ]]; then
      COMPREPLY=($(compgen -W "--base --populate --language --help -h --version" -- "$cur"))
    else
      COMPREPLY=($(compgen -W "check download export fonts image import import-dos info print render save simulate text" -- "$cur"))
    fi
    return
  fi

  local options="--help -h"
  case "$command" in
    check) options+=" --format --fail-on" ;;
    download) options+=" --device --port --rate --station --scope --image --ignore-check" ;;
    image | save | import-dos) options+=" --output" ;;
    export) options+=" --alarms --variables --textlists --picture --output" ;;
    import) options+=" --on-conflict --output" ;;
    print) options+=" --output --project-info --pictures --alarms --variables --text-lists --paper --margins --date" ;;
    render) options+=" --picture --zoom --outline --grey --time --output" ;;
    simulate) options+=" --picture --set --time --output" ;;
    text) options+=" --font --output --zoom --colour --background" ;;
  esac

  case "$prev" in
    --format) COMPREPLY=($(compgen -W "text json" -- "$cur")); return ;;
    --fail-on) COMPREPLY=($(compgen -W "error warning" -- "$cur")); return ;;
    --scope) COMPREPLY=($(compgen -W "full optimal" -- "$cur")); return ;;
    --on-conflict) COMPREPLY=($(compgen -W "ask replace keep" -- "$cur")); return ;;
    --rate) COMPREPLY=($(compgen -W "115200 57600 38400 28800 19200 14400 9600 4800 2400 1200 600 300" -- "$cur")); return ;;
    --port) COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9" -- "$cur")); return ;;
    --project-info | --alarms | --variables | --text-lists) COMPREPLY=($(compgen -W "yes no" -- "$cur")); return ;;
    --pictures) COMPREPLY=($(compgen -W "all none" -- "$cur")); return ;;
    --paper) COMPREPLY=($(compgen -W "A4 A3 Letter Legal" -- "$cur")); return ;;
    --device) cur=${cur:-/dev/tty}; _filedir; return ;;
    --image) _filedir -d; return ;;
    --output)
      case "$command" in
        image) _filedir -d ;;
        render | simulate | text) _filedir png ;;
        print) _filedir pdf ;;
        export) _filedir ;;
        *) _filedir qvx ;;
      esac
      return ;;
    --font) _filedir '@(fon|FON)'; return ;;
    --station | --zoom | --colour | --background | --picture | --set | --time | --margins | --date) return ;;
  esac

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  elif [[ $command == import-dos ]]; then
    _filedir '@(prj|PRJ)'
  elif [[ $command != text && $command != fonts ]]; then
    _filedir '@(qvx|QVX)'
  fi
} && complete -F _tavodex_cli tavodex-cli
