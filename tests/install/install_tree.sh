#!/usr/bin/env bash
# install_tree.sh BUILD-FOLDER APP-ID
# Installs the build into a temporary DESTDIR under the prefix /usr and checks
# what a desktop needs of it. Prints each fault; fails when there is one.
set -uo pipefail
build="$1"
id="$2"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
faults=0
fault() {
    echo "FAULT: $*"
    faults=$((faults + 1))
}

if ! DESTDIR="$root" cmake --install "$build" --prefix /usr >"$root.log" 2>&1; then
    cat "$root.log"
    rm -f "$root.log"
    echo "FAULT: cmake --install failed"
    exit 1
fi
rm -f "$root.log"
usr="$root/usr"
share="$usr/share"

# The tree.
expected=(
    bin/trasolan bin/trasolan-cli
    share/trasolan/help/index.html share/trasolan/help/style.css share/trasolan/help/en/index.html
    share/trasolan/examples/golden-ring.ga share/trasolan/examples/villages.ga
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml
    share/icons/hicolor/scalable/apps/trasolan.svg
    share/icons/hicolor/scalable/mimetypes/application-x-trasolan-map.svg
    share/man/man1/trasolan.1.gz share/man/man1/trasolan-cli.1.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=(share/icons/hicolor/${size}x${size}/apps/trasolan.png
        share/icons/hicolor/${size}x${size}/mimetypes/application-x-trasolan-map.png)
done
for file in "${expected[@]}"; do
    [ -s "$usr/$file" ] || fault "missing: /usr/$file"
done
[ -x "$usr/bin/trasolan" ] || fault "/usr/bin/trasolan is not executable"

# Each PNG icon is as large as its folder says.
for png in "$share"/icons/hicolor/*x*/*/*.png; do
    [ -e "$png" ] || continue
    folder="$(basename "$(dirname "$(dirname "$png")")")"
    actual="$(python3 -c 'import struct,sys
d=open(sys.argv[1],"rb").read(24)
print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "not-png")' "$png")"
    [ "$actual" = "$folder" ] || fault "$png is $actual, not $folder"
done

# The desktop entry, the software centre's page and the file type.
desktop="$share/applications/$id.desktop"
desktop-file-validate "$desktop" | grep -v ': hint: ' && fault "desktop-file-validate: $desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$root/as.log" 2>&1 ||
    { cat "$root/as.log"; fault "appstreamcli validate: $id.metainfo.xml"; }
program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
[ -x "$usr/bin/$program" ] || fault "the desktop entry starts '$program', which is not installed"
icon="$(sed -n 's/^Icon=//p' "$desktop")"
[ -e "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fault "no icon named '$icon'"
type="$(sed -n 's/^MimeType=\([^;]*\);.*/\1/p' "$desktop")"
[ "$type" = application/x-trasolan-map ] || fault "the desktop entry opens '$type'"
if update-mime-database "$share/mime" >"$root/mime.log" 2>&1; then
    grep -q '^50:application/x-trasolan-map:\*\.ga$' "$share/mime/globs2" ||
        fault "shared-mime-info does not map *.ga to application/x-trasolan-map"
    grep -q '^application/x-trasolan-map:application-x-trasolan-map$' "$share/mime/icons" ||
        fault "the map type has no icon"
else
    cat "$root/mime.log"
    fault "update-mime-database refuses the map type"
fi

# The manual pages render without warnings.
for page in trasolan trasolan-cli; do
    warnings="$(MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fault "man $page: $warnings"
done

# The installed programs find their files in the installed layout.
sample="$share/trasolan/examples/golden-ring.ga"
"$usr/bin/trasolan-cli" info "$sample" >"$root/cli.log" 2>&1 ||
    { cat "$root/cli.log"; fault "trasolan-cli cannot read the installed sample map"; }
for lang in ru en; do
    page="$share/trasolan/help/index.html"
    [ "$lang" = en ] && page="$share/trasolan/help/en/index.html"
    out="$(env -u TRASOLAN_DATA_DIR TRASOLAN_EXIT_AFTER_START=1 QT_QPA_PLATFORM=offscreen \
        TRASOLAN_NO_SPLASH=1 "$usr/bin/trasolan" --lang "$lang" "$sample" 2>"$root/gui.log")"
    status=$?
    [ $status -eq 0 ] || { cat "$root/gui.log"; fault "trasolan --lang $lang did not open $sample"; }
    grep -qx 'nodes: 23' <<<"$out" || fault "trasolan --lang $lang: the sample map has not 23 nodes: $out"
    grep -qxF "help: $page" <<<"$out" || fault "trasolan --lang $lang: help is not $page: $out"
    grep -qxF "examples: $share/trasolan/examples" <<<"$out" ||
        fault "trasolan --lang $lang: sample maps not found in the installed layout: $out"
done

if [ $faults -ne 0 ]; then
    echo "$faults fault(s)"
    exit 1
fi
echo "installed tree: all checks passed"
