#!/bin/sh
# `make windows` on a machine where wine cannot be had, and on one that cannot
# run 32-bit programs: each still cross-builds and checks the DLL, then prints
# the WINE UNAVAILABLE line and exits 0. Run by .ci/run after the real
# `make windows`, whose build it reuses and whose note it puts back.
set -u
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
note=build/windows/wine-unavailable
[ -f "$note" ] && cp "$note" "$work/note"
restore() {
  rm -f "$note"
  [ -f "$work/note" ] && cp "$work/note" "$note"
  rm -rf "$work"
}
trap restore EXIT
failures=0

# Stand-ins: dpkg-query says the wine packages are missing when $WINE_FAULT is
# "install" (and apt-get cannot install them) and installed when it is "exec";
# wine and its helpers answer as a kernel without 32-bit emulation does.
mkdir -p "$work/bin"
cat >"$work/bin/dpkg-query" <<'STANDIN'
#!/bin/sh
case "$WINE_FAULT $*" in
  "install "*wine*) exit 1 ;;
  "exec "*wine*) echo "install ok installed"; exit 0 ;;
esac
exec /usr/bin/dpkg-query "$@"
STANDIN
cat >"$work/bin/apt-get" <<'STANDIN'
#!/bin/sh
case "$*" in *" update"*) exit 0 ;; esac
echo "E: Package 'wine32:i386' has no installation candidate" >&2
exit 100
STANDIN
for program in wine wineboot wineserver; do
  printf '#!/bin/sh\necho "%s: /usr/lib/wine/%s: Exec format error" >&2\nexit 126\n' \
    "$program" "$program" >"$work/bin/$program"
done
chmod +x "$work/bin"/*

# expect FAULT REASON: make windows passes, and says why the tests did not run.
expect() {
  WINE_FAULT=$1 PATH=$work/bin:$PATH make windows >"$work/out" 2>&1
  status=$?
  if [ "$status" -eq 0 ] && grep -q "^WINE UNAVAILABLE: the [1-9][0-9]* Windows test programs .*: $2" "$work/out" &&
     grep -q "exports only _mod_descrip" "$work/out"; then
    echo "ok   $1: $(grep '^WINE UNAVAILABLE' "$work/out")"
  else
    echo "FAIL $1: status $status; expected the DLL check and \"WINE UNAVAILABLE ... $2\":"
    tail -20 "$work/out"
    failures=$((failures + 1))
  fi
}

expect install "wine could not be installed"
expect exec "this machine cannot run 32-bit programs"
[ "$failures" -eq 0 ] || exit 1
