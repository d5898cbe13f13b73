#!/bin/sh
# scripts/install-deps against a stand-in apt-get: an index that fails to
# download does not stop it, wine's i386 packages come from the release's own
# suite when their dependencies are unmet, a package that cannot be installed
# stops it naming the package and apt's reason, and without apt it does
# nothing and says so.
set -u
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
standins=$work/bin
mkdir -p "$standins"
codename=$(sed -n 's/^VERSION_CODENAME=//p' /etc/os-release | tr -d '"')

# apt-get as a mirror mid-sync or a broken archive makes it behave, as
# $APT_FAULT says; every call is logged.
cat >"$standins/apt-get" <<'STANDIN'
#!/bin/sh
echo "apt-get $*" >>"$APT_LOG"
case "$*" in *" update"*)
  if [ "$APT_FAULT" = update ]; then
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/x/main/binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?" >&2
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100
  fi
  exit 0 ;;
esac
case "$APT_FAULT" in
  i386) case "$*" in *" -t "*) exit 0 ;; esac
        echo "The following packages have unmet dependencies:"
        echo " libwine:i386 : Depends: libgstreamer-plugins-base1.0-0:i386 (>= 1.0.0) but it is not installable"
        echo "E: Unable to correct problems, you have held broken packages." >&2
        exit 100 ;;
  install) echo "E: Package 'g++' has no installation candidate" >&2; exit 100 ;;
esac
exit 0
STANDIN
# Nothing is installed; i386 is known; root needs no sudo; the locale is there.
printf '#!/bin/sh\nexit 1\n' >"$standins/dpkg-query"
printf '#!/bin/sh\necho i386\n' >"$standins/dpkg"
printf '#!/bin/sh\nexec "$@"\n' >"$standins/sudo"
printf '#!/bin/sh\necho de_DE.utf8\n' >"$standins/locale"
chmod +x "$standins"/*

failures=0
# check NAME KIND FAULT STATUS FRAGMENT [PATH]: runs install-deps KIND and
# expects STATUS and FRAGMENT in its output or in apt-get's log.
check() {
  name=$1 kind=$2 fault=$3 status=$4 fragment=$5 path=${6:-$standins:$PATH}
  : >"$work/apt.log"
  APT_FAULT=$fault APT_LOG=$work/apt.log PATH=$path \
    sh "$source_dir/scripts/install-deps" "$kind" >"$work/out" 2>&1
  got=$?
  if [ "$got" -ne "$status" ] || ! cat "$work/out" "$work/apt.log" | grep -qF -- "$fragment"; then
    echo "FAIL $name: status $got (expected $status), no \"$fragment\" in:"
    cat "$work/out" "$work/apt.log"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

check "a failed index is named and the install goes on" native update 0 "File has unexpected size"
check "the install after a failed index happens" native update 0 "apt-get -o DPkg::Lock::Timeout=600 install"
check "unmet i386 dependencies: installed from the release's suite" wine i386 0 "install -y -q --no-install-recommends -t $codename wine wine64 wine32:i386"
check "the retry is said in one line" wine i386 0 "installing again from $codename's own suite"
check "a package that cannot be installed is named" native install 1 "cannot install: g++"
check "with apt's reason" native install 1 "has no installation candidate"
check "the cross-build set is not retried from another suite" windows i386 1 "cannot install: g++-mingw-w64-i686"

# Without apt: a directory of the few tools the script uses, and no apt-get.
bare=$work/bare
mkdir -p "$bare"
for tool in sh id mktemp rm grep sed tr cat; do ln -s "$(command -v $tool)" "$bare/$tool"; done
check "without apt nothing is installed, and it says so" native none 0 "no dpkg-query or apt-get here" "$bare"

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
