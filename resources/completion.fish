# fish completion for tovrel: the switches, each with what it does, in the program's order
# (fish lists the last of these kept-order lines first, so they stand here from the end);
# fish matches them in any letter case, as the program reads them. No file names.
complete -c tovrel -f
complete -c tovrel -k -a /Help -d 'the usage text'
complete -c tovrel -k -a /9 -d 'nine GUIDs'
complete -c tovrel -k -a /8 -d 'eight GUIDs'
complete -c tovrel -k -a /7 -d 'seven GUIDs'
complete -c tovrel -k -a /6 -d 'six GUIDs'
complete -c tovrel -k -a /5 -d 'five GUIDs'
complete -c tovrel -k -a /4 -d 'four GUIDs'
complete -c tovrel -k -a /3 -d 'three GUIDs'
complete -c tovrel -k -a /2 -d 'two GUIDs'
complete -c tovrel -k -a /1 -d 'one GUID'
complete -c tovrel -k -a /Clip -d 'also to the clipboard'
complete -c tovrel -k -a /Unicode -d 'UTF-16LE output'
complete -c tovrel -k -a /NoBraces -d 'no braces'
complete -c tovrel -k -a /LCase -d 'lower-case letters'
complete -c tovrel -k -a /NoLogo -d 'no banner or label'
