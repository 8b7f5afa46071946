#!/usr/bin/env bash
# install_check.sh BUILD_DIR WORK_DIR TREVAN TREVAN_CLI DEB_CHECK
set -euo pipefail
build=$1 work=$2 trevan=$3 cli=$4 deb=$5
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work" && mkdir -p "$work"
cmake --install "$build" --prefix "$work/usr" > "$work/install.log"
root=$work/usr
for f in bin/trevan bin/trevan-cli share/applications/trevan.desktop \
         share/metainfo/com.quillmoor.Trevan.metainfo.xml share/mime/packages/trevan.xml \
         share/icons/hicolor/scalable/apps/trevan.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-trevan-beam.svg \
         share/man/man1/trevan.1 share/man/man1/trevan-cli.1; do
  [ -e "$root/$f" ] || fail "$f is not installed"
done

desktop-file-validate "$root/share/applications/trevan.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/share/metainfo/com.quillmoor.Trevan.metainfo.xml" || fail "metainfo"
for page in trevan trevan-cli; do
  out=$(MANWIDTH=80 man --warnings -l "$root/share/man/man1/$page.1" 2>&1 >/dev/null)
  [ -z "$out" ] || fail "man page $page: $out"
done

# The shared-mime-info database built from our package must know .tvn files
# by name and by their first line.
update-mime-database "$root/share/mime"
grep -q 'Trevan beam' "$root/share/mime/application/x-trevan-beam.xml" || fail "mime comment"
grep -q 'application/x-trevan-beam:\*\.tvn' "$root/share/mime/globs2" || fail "mime glob"
grep -aq 'Trevan version :' "$root/share/mime/magic" || fail "mime magic"

# Options that print and end must work with no display at all.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$trevan" --version)
[[ "$version" == "Trevan 2."* ]] || fail "trevan --version printed '$version'"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$trevan" --help | grep -q -- '--version' \
  || fail "trevan --help"
"$cli" --help | grep -q 'trevan-cli analyze' || fail "trevan-cli --help"

if [ "$deb" = ON ]; then
  (cd "$build" && cpack -G DEB -B "$work/deb" > "$work/cpack.log") || fail "cpack: $(tail -5 "$work/cpack.log")"
  pkg=$(ls "$work"/deb/trevan_*.deb | head -1)
  depends=$(dpkg-deb -f "$pkg" Depends)
  for lib in libqt6widgets6 libqt6gui6 libqt6core6; do
    [[ "$depends" == *"$lib"* ]] || fail "the package does not depend on $lib: $depends"
  done
  dpkg-deb -c "$pkg" > "$work/contents.txt"
  grep -q './usr/bin/trevan$' "$work/contents.txt" || fail "the package has no /usr/bin/trevan"
fi
echo "install tree, validators and package: ok"
