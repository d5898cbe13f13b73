#!/bin/sh
# Fails unless the module file's dynamic symbol table defines exactly _mod_descrip.
set -eu
module=$1
exported=$(nm -D --defined-only "$module" | awk '{print $NF}' | sort)
if [ "$exported" != "_mod_descrip" ]; then
  echo "$module exports:"; echo "$exported"
  exit 1
fi
kind=$(nm -D --defined-only "$module" | awk '{print $2}')
case "$kind" in
  D|B|R) ;;
  *) echo "_mod_descrip is not a data symbol (nm kind $kind)"; exit 1 ;;
esac
echo "$module exports only the data symbol _mod_descrip"
