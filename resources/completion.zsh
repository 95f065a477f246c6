#compdef tovrel
# zsh completion for tovrel: a word that starts with / becomes the switches it begins,
# matched in any letter case, as the program reads them, each with what it does.
local -a switches=(
  '/NoLogo:no banner or label' '/LCase:lower-case letters' '/NoBraces:no braces'
  '/Unicode:UTF-16LE output' '/Clip:also to the clipboard'
  '/1:one GUID' '/2:two GUIDs' '/3:three GUIDs' '/4:four GUIDs' '/5:five GUIDs'
  '/6:six GUIDs' '/7:seven GUIDs' '/8:eight GUIDs' '/9:nine GUIDs' '/Help:the usage text'
)
[[ $PREFIX == /* ]] || return 1
_describe -t switches 'tovrel switch' switches -M 'm:{[:lower:][:upper:]}={[:upper:][:lower:]}'
