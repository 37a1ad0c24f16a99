# SPDX-License-Identifier: GPL-3.0-or-later
# Bash completion for kestrix-cli: commands, each command's options and the values they take,
# and file names of the kind each argument wants.
_kestrix_cli() {
  local cur prev command word
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  local commands="class check show resave unit interface docs bitmap editors all sync package smoke dfm2text import new datalink"
  local global="--settings --yes --no --quiet --help --version"

  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    case " $commands " in *" $word "*) command=$word; break ;; esac
  done

  case $prev in
    --settings|--icon) COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --comments) COMPREPLY=($(compgen -W "full normal" -- "$cur")); return ;;
    --target) COMPREPLY=($(compgen -W "delphi lazarus delphi-xe" -- "$cur")); return ;;
    --audience) COMPREPLY=($(compgen -W "application descendant component" -- "$cur")); return ;;
    --wrap|--container|--fields)
      COMPREPLY=($(compgen -f -X '!*.[dD][fF][mM]' -- "$cur") $(compgen -d -- "$cur")); return ;;
    -o)
      case $command in
        unit|editors|all|smoke|package) COMPREPLY=($(compgen -d -- "$cur")) ;;
        *) COMPREPLY=($(compgen -f -- "$cur")) ;;
      esac
      return ;;
    --date|--names|--kind|--form|--unit|--panel|--parent|--ancestor) return ;;
  esac

  if [[ -z $command ]]; then
    COMPREPLY=($(compgen -W "$commands $global" -- "$cur"))
    return
  fi
  local options
  case $command in
    show) options="--raw" ;;
    interface) options="--raw --target" ;;
    unit) options="-o --comments --date --update --overwrite --target" ;;
    docs) options="--audience -o" ;;
    bitmap) options="-o" ;;
    all) options="-o --overwrite --target" ;;
    sync) options="--remove --comments --target" ;;
    smoke) options="-o" ;;
    package) options="--icon -o --overwrite" ;;
    editors) options="--unit --kind --form -o --overwrite --target" ;;
    import) options="--class --ancestor --unit -o" ;;
    new) options="--parent --ancestor --unit --container --panel --fields --wrap -o" ;;
    datalink) options="--read-write --names" ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options $global" -- "$cur"))
  elif [[ $command == dfm2text ]]; then
    COMPREPLY=($(compgen -f -X '!*.[dD][fF][mM]' -- "$cur") $(compgen -d -- "$cur"))
  elif [[ $command == import ]]; then
    # Units only: not .ppu files or .pas.bak backups.
    COMPREPLY=($(compgen -f -X '!*.[pP][aA][sS]' -- "$cur") $(compgen -f -X '!*.[pP][pP]' -- "$cur")
      $(compgen -d -- "$cur"))
  elif [[ $command == sync ]]; then
    # The definition, then the unit it was generated into.
    COMPREPLY=($(compgen -f -X '!*.[cC][dD]' -- "$cur") $(compgen -f -X '!*.[pP][aA][sS]' -- "$cur")
      $(compgen -d -- "$cur"))
  elif [[ $command != class && $command != new ]]; then
    COMPREPLY=($(compgen -f -X '!*.[cC][dD]' -- "$cur") $(compgen -d -- "$cur"))
  fi
} && complete -o filenames -F _kestrix_cli kestrix-cli
