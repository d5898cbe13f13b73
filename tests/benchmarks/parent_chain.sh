#!/bin/sh
# Times quorvel-run on a scene of 100,000 null objects, each the parent of
# the next: listing the items, and baking 60 frames from the first to the
# last (which resolves every parent and walks the whole chain per sample).
#   tests/benchmarks/parent_chain.sh [build/native/bin]
set -eu
bin="${1:-build/native/bin}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
awk 'BEGIN {
  print "LWSC"; print "1"; print "";
  print "AddNullObject Root"; print "ObjectMotion (unnamed)"; print "  9"; print "  2";
  print "  0 0 0 0 0 0 1 1 1"; print "  0 0 0 0 0"; print "  10 0 0 0 0 0 1 1 1";
  print "  60 1 0 0 0"; print "EndBehavior 1";
  for (i = 1; i < 100000; i++) { print "AddNullObject Link"; print "ParentObject " i }
  print "AmbientColor 255 255 255";
}' > "$work/chain.lws"
time_of() {
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}
echo "list 100000 items:        $(time_of "$bin/quorvel-run" --scene "$work/chain.lws" --list-items) s"
echo "bake 60 frames, depth 1e5: $(time_of "$bin/quorvel-run" --scene "$work/chain.lws" \
  --item Root --target "Link (99999)" --last-frame 60 --output "$work/out.env") s"
