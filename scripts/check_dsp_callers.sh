#!/bin/sh
# Every kernel declared in src/dsp/*.h must be called somewhere in src/: an
# analysis nobody calls is dead weight, and usually a key, menu item or
# command that was forgotten. Declarations and definitions start in column 0,
# calls are indented, so indented uses are the calls.
# Usage: check_dsp_callers.sh SOURCE_DIR
root=${1:-.}
# Kept without a caller, on purpose:
#   RTRAN            the textbook split step; the transform uses a faster
#                    equivalent and the tests hold the two against each other
#   BlockStatistic   one block of ReduceBlocks, for callers with one block
#   JeMocninaDvou, NejblizsiMocdvou  length rules kept for stored files
#   SmoothOneByOne   smoothing modes 2 and 3 a sample at a time; the tests
#                    hold the blocks side by side against it
allowed=" RTRAN BlockStatistic JeMocninaDvou NejblizsiMocdvou SmoothOneByOne "
status=0
for header in "$root"/src/dsp/*.h; do
  # Top-level declarations only: member functions are indented.
  names=$(grep -E '^[A-Za-z[].*[ *&][A-Za-z_][A-Za-z0-9_]*\(' "$header" |
    sed -E 's/^([^(]*[ *&])([A-Za-z_][A-Za-z0-9_]*)\(.*/\2/' | sort -u)
  for name in $names; do
    case "$allowed" in *" $name "*) continue ;; esac
    if ! grep -rhE "(^|[^A-Za-z0-9_])$name\(" "$root/src" --include='*.cpp' --include='*.h' |
      grep -vE '^[A-Za-z[]' | grep -vE '^ *//' | grep -q .; then
      echo "never called: $name ($header)"
      status=1
    fi
  done
done
exit $status
