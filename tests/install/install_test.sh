#!/usr/bin/env bash
# The programs as a user installs them, run from the installed files only:
#   tree     `cmake --install` into a temporary prefix, then the tree moved elsewhere
#   package  the Debian package made by CPack, checked by lintian and unpacked with dpkg-deb -x
# Either way the installed converter must give the build's pages, the installed viewer must
# export a PDF offscreen, the installed thumbnailer must answer its entry's Exec line, and the
# desktop entry, metainfo and man pages must validate.
# Usage: install_test.sh tree|package BUILD_DIR APP_ID VERSION CORPUS_DIR
set -euo pipefail
mode=$1 build=$2 app_id=$3 version=$4 corpus=$5

work=$(mktemp -d "${TMPDIR:-/tmp}/vellumine-install-test-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME=$work/cache XDG_STATE_HOME=$work/state  # the viewer's own files stay in $work
fail() { echo "install_test ($mode): $*" >&2; exit 1; }
built_converter=$build/src/cli/vellumine-convert

# Two corpus documents and the bundled examples (which hold images); the examples alone when the
# corpus is not beside the checkout.
list_documents() {
  if [ -d "$corpus" ]; then find "$corpus" -name '*.docx' | sort | sed -n '1,2p'; fi
  find "$build/src/app/ui/Examples" -name '*.docx' | sort
}
list_documents >"$work/documents"
documents() { cat "$work/documents"; }

install_tree() {
  cmake --install "$build" --prefix "$work/prefix" >/dev/null
  mv "$work/prefix" "$work/moved"  # resources are found from the programs' own place
  root=$work/moved
}

install_package() {
  cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" || { cat "$work/cpack.log"; fail "cpack failed"; }
  deb=$(find "$work/cpack" -maxdepth 1 -name "vellumine_${version}_*.deb")
  [ -f "$deb" ] || fail "no package vellumine_${version}_*.deb"
  dpkg-deb -f "$deb" Depends | grep -q 'libqt6webenginewidgets6.*libstdc++6.*zlib1g' ||
    fail "the dependencies do not come from the linked libraries: $(dpkg-deb -f "$deb" Depends)"
  # The faces with the metrics of Calibri, Cambria, Arial, Times New Roman and Courier New, Qt's
  # Wayland plugin, which no linked library brings, and the picture converters' libraries and fonts.
  for needed in fonts-crosextra-carlito fonts-crosextra-caladea fonts-liberation2 qt6-wayland \
                fonts-urw-base35 libemf2svg1 libtiff6 libwmf-0.2-7; do
    dpkg-deb -f "$deb" Depends | grep -q -- "$needed" || fail "the package does not depend on $needed: $(dpkg-deb -f "$deb" Depends)"
  done
  lintian --pedantic -I "$deb" 2>&1 | grep -v '^running with root privileges' | tee "$work/lintian.log" || true
  if grep -q '^E:' "$work/lintian.log"; then fail "lintian reports errors"; fi
  dpkg-deb -x "$deb" "$work/root"
  root=$work/root/usr
}

check_files() {
  local file
  for file in bin/vellumine bin/vellumine-convert bin/vellumine-thumbnailer share/thumbnailers/vellumine.thumbnailer \
      share/vellumine/lib/init.htm share/vellumine/help.htm \
      share/vellumine/Examples/Welcome.docx "share/applications/$app_id.desktop" \
      share/icons/hicolor/scalable/apps/vellumine.svg "share/metainfo/$app_id.metainfo.xml" \
      share/man/man1/vellumine.1.gz share/man/man1/vellumine-convert.1.gz share/man/man1/vellumine-thumbnailer.1.gz \
      share/doc/vellumine/copyright; do
    [ -f "$root/$file" ] || fail "$file is not installed"
  done
  [ "$("$root/bin/vellumine-convert" --version)" = "vellumine-convert $version" ] || fail "vellumine-convert --version"
  [ "$("$root/bin/vellumine" --version)" = "vellumine $version" ] || fail "vellumine --version"
  [ "$("$root/bin/vellumine-thumbnailer" --version)" = "vellumine-thumbnailer $version" ] || fail "vellumine-thumbnailer --version"
}

# The thumbnailer as a file manager calls it: the Exec line of the installed entry, %s %i %o filled.
check_thumbnailer() {
  local entry=$root/share/thumbnailers/vellumine.thumbnailer doc exec
  grep -qx '\[Thumbnailer Entry\]' "$entry" || fail "the thumbnailer entry has no [Thumbnailer Entry] group"
  grep -qx 'MimeType=application/vnd.openxmlformats-officedocument.wordprocessingml.document;' "$entry" ||
    fail "the thumbnailer entry names no .docx type"
  exec=$(sed -n 's/^Exec=//p' "$entry")
  doc=$(sed -n 1p "$work/documents")
  exec=${exec//%s/128}
  exec=${exec//%i/\"$doc\"}
  exec=${exec//%o/\"$work/thumbnail.png\"}
  (PATH="$root/bin:$PATH" VELLUMINE_THUMBNAILER_TIME_LIMIT_MS=60000 eval "$exec") || fail "the thumbnailer failed: $exec"
  [ "$(head -c 8 "$work/thumbnail.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "the thumbnail is no PNG"
}

# Every document: the installed converter writes the build's page, from the file and as a filter.
check_conversions() {
  local doc n=0
  while IFS= read -r doc; do
    n=$((n + 1))
    mkdir -p "$work/out/$n" "$work/expected/$n"
    "$root/bin/vellumine-convert" "$doc" -o "$work/out/$n/page.htm"
    "$built_converter" "$doc" -o "$work/expected/$n/page.htm"
    "$root/bin/vellumine-convert" - -o - --embed-images <"$doc" >"$work/out/$n/embedded.htm"
    "$built_converter" "$doc" -o - --embed-images >"$work/expected/$n/embedded.htm"
  done < <(documents)
  diff -r "$work/expected" "$work/out" >/dev/null || fail "the installed converter writes other pages than the build's"
  grep -q 'src="data:image/png;base64,' "$work"/out/*/embedded.htm || fail "no image was embedded"
}

check_pdf_export() {
  local doc
  doc=$(sed -n 1p "$work/documents")
  "$root/bin/vellumine" --export-pdf "$doc" "$work/page.pdf" || fail "vellumine --export-pdf failed"
  [ "$(head -c 5 "$work/page.pdf")" = "%PDF-" ] || fail "the export is no PDF"
  [ -n "$(pdftotext "$work/page.pdf" - | tr -d '[:space:]')" ] || fail "the PDF holds no text"
}

check_desktop_files() {
  desktop-file-validate "$root/share/applications/$app_id.desktop" || fail "desktop-file-validate"
  # The tree as a software centre reads it: the metainfo and the desktop entry it names.
  appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree"
  local page warnings
  for page in vellumine vellumine-convert vellumine-thumbnailer; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/share/man/man1/$page.1.gz" 2>&1 >"$work/$page.txt")
    [ -z "$warnings" ] || fail "man $page: $warnings"
    grep -q 'EXIT STATUS' "$work/$page.txt" || fail "man $page has no EXIT STATUS"
  done
}

# The README's GNU parallel line, as it stands there, with the installed programs on the PATH.
check_parallel() {
  mkdir -p "$work/parallel/docs"
  documents | while IFS= read -r doc; do cp "$doc" "$work/parallel/docs/"; done
  (cd "$work/parallel" && PATH="$root/bin:$PATH" \
    parallel 'vellumine-convert - -o - --embed-images < {} > {.}.htm' ::: docs/*.docx) || fail "parallel"
  local doc
  for doc in "$work"/parallel/docs/*.docx; do
    cmp -s "${doc%.docx}.htm" <("$built_converter" "$doc" -o - --embed-images) || fail "parallel: $doc"
  done
}

case $mode in
  tree) install_tree ;;
  package) install_package ;;
  *) fail "unknown mode" ;;
esac
check_files
check_conversions
check_pdf_export
check_thumbnailer
check_desktop_files
if [ "$mode" = tree ]; then check_parallel; fi
echo "install_test ($mode): the installed programs work from $root"
