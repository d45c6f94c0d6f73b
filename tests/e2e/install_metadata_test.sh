#!/usr/bin/env bash
# The installation as the Debian package stages it (DESTDIR, prefix /usr) follows the desktop's
# conventions: desktop-file-validate accepts the desktop entry, appstreamcli accepts the
# metainfo on its own and the whole tree (the entry it launches is there), both without a single
# warning; the entry starts the launcher, which leads to the game.
#   install_metadata_test.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: install_metadata_test.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

tree=$work/tree
DESTDIR=$tree cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; fail "install failed"; }
id=org.mossbloom.Mossbloom
desktop=$tree/usr/share/applications/$id.desktop
metainfo=$tree/usr/share/metainfo/$id.metainfo.xml
[[ -f $desktop ]] || fail "no desktop entry $desktop"
[[ -f $metainfo ]] || fail "no metainfo $metainfo"

out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate refused the entry: $out"
[[ -z $out ]] || fail "desktop-file-validate has remarks on the entry: $out"
echo "desktop-file-validate: the entry passes"

appstreamcli validate --no-net --strict "$metainfo" >"$work/validate.log" 2>&1 ||
  { cat "$work/validate.log" >&2; fail "appstreamcli validate refused the metainfo"; }
cat "$work/validate.log"
appstreamcli validate-tree --no-net --strict "$tree" >"$work/tree.log" 2>&1 ||
  { cat "$work/tree.log" >&2; fail "appstreamcli validate-tree refused the installed tree"; }
cat "$work/tree.log"

grep -qx "Exec=/usr/bin/mossbloom" "$desktop" || fail "the entry does not start /usr/bin/mossbloom: $(grep Exec= "$desktop")"
[[ $(readlink "$tree/usr/bin/mossbloom") == ../lib/mossbloom/mossbloom ]] ||
  fail "the launcher does not lead to the game: $(readlink "$tree/usr/bin/mossbloom")"
[[ -x $tree/usr/lib/mossbloom/mossbloom ]] || fail "no game at /usr/lib/mossbloom/mossbloom"
echo "PASS"
