# bash completion for vexofont: its commands, their options, and the values
# of --kind, --station, --size, --code-page, --render, --hinting and
# --cell-fill; file names elsewhere, and for make's fonts the names of the
# fonts installed too (through fontconfig's fc-list, where it is there).

_vexofont() {
  local cur prev command i
  COMPREPLY=()
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  command=
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      show | make | dump | check | preview | fonts) command=${COMP_WORDS[i]}; break ;;
    esac
  done

  if [[ -z $command ]]; then
    COMPREPLY=($(compgen -W "show make dump check preview fonts --help --version" -- "$cur"))
    return
  fi

  case $command in
    show)
      case $prev in
        --code | --text) return ;;
        --code-page)
          COMPREPLY=($(compgen -W "437 850 852 858 866 1250 1251 1252 1253 1254 1255 1256 1257 1258 8859-1 8859-2 8859-3 8859-4 8859-5 8859-6 8859-7 8859-8 8859-9 8859-10 8859-11 8859-13 8859-14 8859-15 8859-16 932 936 949 950" -- "$cur"))
          return ;;
        --png | --config) COMPREPLY=($(compgen -f -- "$cur")); return ;;
      esac
      if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--code --text --code-page --png --config --help --version" -- "$cur"))
      else
        COMPREPLY=($(compgen -f -- "$cur"))
      fi
      ;;
    preview)
      case $prev in
        --text | --code-page | --spacing | --line-gap | --tab | --thermal-width | --impact-width | --thermal-pitch | --impact-pitch) return ;;
        --station) COMPREPLY=($(compgen -W "thermal impact both" -- "$cur")); return ;;
        --file | --bytes | --config | --png | --html) COMPREPLY=($(compgen -f -- "$cur")); return ;;
      esac
      if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--text --file --bytes --config --code-page --spacing --line-gap --tab --no-wrap --verbose -v --thermal-width --impact-width --thermal-pitch --impact-pitch --station --png --side-by-side --html --help --version" -- "$cur"))
      else
        COMPREPLY=($(compgen -f -- "$cur"))
      fi
      ;;
    check)
      if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "-q --quiet --help --version" -- "$cur"))
      else
        COMPREPLY=($(compgen -f -- "$cur"))
      fi
      ;;
    dump)
      case $prev in
        -o | --output) COMPREPLY=($(compgen -f -- "$cur")); return ;;
      esac
      if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "-o --output --help --version" -- "$cur"))
      else
        COMPREPLY=($(compgen -f -- "$cur"))
      fi
      ;;
    make)
      case $prev in
        --kind) COMPREPLY=($(compgen -W "sbcs dbcs" -- "$cur")); return ;;
        --station) COMPREPLY=($(compgen -W "thermal impact" -- "$cur")); return ;;
        --size)
          # Sizes the converter takes, the common ones first.
          COMPREPLY=($(compgen -W "12x24 8x16 16x24 10x20 8x9 16x16 8x8 24x24 16x9" -- "$cur"))
          return ;;
        --code-page)
          COMPREPLY=($(compgen -W "437 850 852 858 866 1250 1251 1252 1253 1254 1255 1256 1257 1258 8859-1 8859-2 8859-3 8859-4 8859-5 8859-6 8859-7 8859-8 8859-9 8859-10 8859-11 8859-13 8859-14 8859-15 8859-16 932 936 949 950" -- "$cur"))
          return ;;
        --render) COMPREPLY=($(compgen -W "mono gray:128" -- "$cur")); return ;;
        --hinting) COMPREPLY=($(compgen -W "none light full" -- "$cur")); return ;;
        --cell-fill) COMPREPLY=($(compgen -W "drawn font" -- "$cur")); return ;;
        --fit) COMPREPLY=($(compgen -W "line em cap" -- "$cur")); return ;;
        --first | --last | --text | --face | --pixel-size | --offset | --baseline) return ;;
        --fallback) _vexofont_fonts; return ;;
        --chars | --map | --overlay | -o | --output)
          COMPREPLY=($(compgen -f -- "$cur")); return ;;
      esac
      if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--kind --station --size --force-size --code-page --first --last --chars --text --strict --map --fallback --face --list-faces --all-codes --fit --clip --render --hinting --pixel-size --offset --baseline --cell-fill --overlay -o --output --help --version" -- "$cur"))
      else
        _vexofont_fonts
      fi
      ;;
    fonts)
      case $prev in
        --kind) COMPREPLY=($(compgen -W "sbcs dbcs" -- "$cur")); return ;;
        --code-page)
          COMPREPLY=($(compgen -W "437 850 852 858 866 1250 1251 1252 1253 1254 1255 1256 1257 1258 8859-1 8859-2 8859-3 8859-4 8859-5 8859-6 8859-7 8859-8 8859-9 8859-10 8859-11 8859-13 8859-14 8859-15 8859-16 932 936 949 950" -- "$cur"))
          return ;;
        --size | --text) return ;;
        --chars) COMPREPLY=($(compgen -f -- "$cur")); return ;;
      esac
      if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--code-page --kind --size --text --chars --json --help --version" -- "$cur"))
      fi
      ;;
  esac
}

# File names, and the family names of the fonts installed.
_vexofont_fonts() {
  local IFS=$'\n'
  COMPREPLY=($(compgen -f -- "$cur"))
  if command -v fc-list >/dev/null 2>&1; then
    COMPREPLY+=($(compgen -W "$(fc-list : family 2>/dev/null | cut -d, -f1 | sort -u)" -- "$cur"))
  fi
}

complete -o filenames -F _vexofont vexofont
