# bash completion for tovrel: a word that starts with / becomes the switches it begins,
# matched in any letter case, as the program reads them.
_tovrel() {
  local word=${COMP_WORDS[COMP_CWORD]} switch
  COMPREPLY=()
  [[ $word == /* ]] || return 0
  for switch in /NoLogo /LCase /NoBraces /Unicode /Clip /1 /2 /3 /4 /5 /6 /7 /8 /9 /Help; do
    if [[ ${switch,,} == "${word,,}"* ]]; then COMPREPLY+=("$switch"); fi
  done
  return 0
}
complete -F _tovrel tovrel
