# complete.zsh WORD: what zsh completes `tovrel WORD` to with _tovrel from the folder it runs in,
# typed with Tab into an interactive zsh in a pseudo-terminal; compadd notes what matched.
zmodload zsh/zpty && zpty z zsh -fi
zpty -w z 'fpath=($PWD $fpath); autoload -U compinit; compinit -u -D'
zpty -w z 'compadd() { builtin compadd -O m "$@"; [[ -e matched ]] || echo $m > matched }'
zpty -w -n z "tovrel $1"$'\t'
repeat 99 { [[ -s matched ]] && break; sleep 0.1 }
cat matched && rm matched
