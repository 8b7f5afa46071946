#!/usr/bin/env bash
# install_check.sh BUILD_DIR WORK_DIR TREVAN TREVAN_CLI DEB_CHECK
set -euo pipefail
build=$1 work=$2 trevan=$3 cli=$4 deb=$5
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work" && mkdir -p "$work"
cmake --install "$build" --prefix "$work/usr" > "$work/install.log"
root=$work/usr
for f in bin/trevan bin/trevan-cli share/applications/com.quillmoor.Trevan.desktop \
         share/metainfo/com.quillmoor.Trevan.metainfo.xml share/mime/packages/trevan.xml \
         share/icons/hicolor/scalable/apps/trevan.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-trevan-beam.svg \
         share/man/man1/trevan.1.gz share/man/man1/trevan-cli.1.gz \
         share/doc/trevan/copyright share/doc/trevan/changelog.gz; do
  [ -e "$root/$f" ] || fail "$f is not installed"
done
for size in 16 24 32 48; do
  icon=$root/share/icons/hicolor/${size}x${size}/apps/trevan.png
  [[ "$(file -b "$icon")" == "PNG image data, $size x $size,"* ]] || fail "icon $icon: $(file -b "$icon")"
done

desktop-file-validate "$root/share/applications/com.quillmoor.Trevan.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/share/metainfo/com.quillmoor.Trevan.metainfo.xml" || fail "metainfo"
for page in trevan trevan-cli; do
  out=$(MANWIDTH=80 man --warnings -l "$root/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
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
project_version=$(sed -n 's/^project(Trevan VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$trevan" --help)
[[ "$help" == *"--version"* ]] || fail "trevan --help printed '$help'"
cli_help=$("$cli" --help)
[[ "$cli_help" == *"trevan-cli analyze"* && "$cli_help" == *"trevan-cli convert"* ]] \
  || fail "trevan-cli --help printed '$cli_help'"

if [ "$deb" = ON ]; then
  (cd "$build" && cpack -G DEB -B "$work/deb" > "$work/cpack.log") || fail "cpack: $(tail -5 "$work/cpack.log")"
  pkg=$(ls "$work"/deb/trevan_*.deb | head -1)
  depends=$(dpkg-deb -f "$pkg" Depends)
  for lib in libqt6widgets6 libqt6gui6 libqt6core6; do
    [[ "$depends" == *"$lib"* ]] || fail "the package does not depend on $lib: $depends"
  done
  dpkg-deb -c "$pkg" > "$work/contents.txt"
  grep -q './usr/bin/trevan$' "$work/contents.txt" || fail "the package has no /usr/bin/trevan"
  package_version=$(dpkg-deb -f "$pkg" Version)
  [ "$version" = "Trevan $package_version" ] || fail "trevan --version says '$version', the package $package_version"
  [ "$package_version" = "$project_version" ] || fail "the package is $package_version, the project $project_version"
  # Errors only: warnings and notes are for the maintainer to weigh.
  lintian --fail-on error --tag-display-limit 0 "$pkg" > "$work/lintian.txt" 2>&1 \
    || fail "lintian: $(grep '^E:' "$work/lintian.txt" || tail -5 "$work/lintian.txt")"
fi
echo "install tree, validators and package: ok"
