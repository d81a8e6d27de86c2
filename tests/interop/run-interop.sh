#!/usr/bin/env bash
# Checks the exported palette files with the programs that read them: GIMP (batch mode) loads
# every exported GIMP palette and prints its colours and names; Inkscape shows them in its palette
# bar (a screenshot under Xvfb); headless Chromium computes every custom property of the CSS;
# sassc compiles the SCSS; Python's JSON reader reads the design tokens; an independent reader
# (ase_tool.py) reads the swatch file. Import reads every GIMP palette GIMP ships, compared with
# what GIMP reads from it.
# Installs gimp, gimp-data, inkscape, chromium and sassc with apt-get when they are missing.
#   tests/interop/run-interop.sh path/to/huevra-cli
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cli=$(realpath "${1:?usage: run-interop.sh path/to/huevra-cli}")
check() { python3 "$here/interop_check.py" "$@"; }

missing=()
command -v gimp >/dev/null || missing+=(gimp)
[ -d /usr/share/gimp/2.0/palettes ] || missing+=(gimp-data)
command -v inkscape >/dev/null || missing+=(inkscape)
command -v chromium >/dev/null || missing+=(chromium)
command -v sassc >/dev/null || missing+=(sassc)
command -v xvfb-run >/dev/null || missing+=(xvfb)
command -v convert >/dev/null || missing+=(imagemagick)
command -v import >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing ${missing[*]}"
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The programs keep their settings in the scratch folder, never in the user's.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME" "$work/gimp" "$work/out"

# Two palettes: the new palette (no names) and one with names (UTF-8, duplicates, an unnamed
# mark, quotes and brackets), made by importing a GIMP palette.
cp "$root/tests/data/new-palette.txt" "$work/default.txt"
"$cli" palette import --output "$work/named.txt" "$here/named-source.gpl"
palettes=(default named)
for p in "${palettes[@]}"; do
    for format in gpl css scss json ase; do
        "$cli" palette export --format "$format" --output "$work/out/$p.$format" "$work/$p.txt"
    done
    # What every format gives back on import is the palette itself.
    for format in gpl ase; do
        "$cli" palette import --output "$work/back.txt" "$work/out/$p.$format"
        cmp -s "$work/back.txt" "$work/$p.txt" || { echo "FAIL: $p.$format does not import back"; exit 1; }
    done
done

echo "== GIMP $(gimp --version | grep -o '[0-9][0-9.]*' | head -n 1)"
cp "$work/out/"*.gpl "$work/gimp/"
printf '(palette-path "%s:/usr/share/gimp/2.0/palettes")\n' "$work/gimp" >"$work/gimprc"
cat >"$work/dump.scm" <<SCM
(define (dump-palette name port)
  (let ((count (car (gimp-palette-get-info name))))
    (let loop ((i 0))
      (if (< i count)
          (let ((colour (car (gimp-palette-entry-get-color name i)))
                (entry (car (gimp-palette-entry-get-name name i))))
            (display name port) (display "\t" port)
            (display (car colour) port) (display "," port)
            (display (cadr colour) port) (display "," port)
            (display (caddr colour) port) (display "\t" port)
            (display entry port) (newline port)
            (loop (+ i 1)))))))
(let ((port (open-output-file "$work/gimp-out.txt")))
  (for-each (lambda (name) (dump-palette name port))
            (cadr (gimp-palettes-get-list "")))
  (close-output-port port))
SCM
timeout 600 gimp -i -f --gimprc="$work/gimprc" -b "(load \"$work/dump.scm\")" -b '(gimp-quit 0)' \
    >"$work/gimp.log" 2>&1 || { cat "$work/gimp.log"; echo "FAIL: GIMP batch run"; exit 1; }
for p in "${palettes[@]}"; do check gimp "$work/$p.txt" "$p" "$work/gimp-out.txt"; done
shipped=0
for file in /usr/share/gimp/2.0/palettes/*.gpl; do
    name=$(sed -n 's/^Name: *//p' "$file" | head -n 1 | tr -d '\r')
    "$cli" palette import --output "$work/shipped.txt" "$file" 2>"$work/notes.txt" ||
        { cat "$work/notes.txt"; echo "FAIL: import refused $file"; exit 1; }
    check shipped "$work/shipped.txt" "$name" "$work/gimp-out.txt"
    shipped=$((shipped + 1))
done
echo "Huevra imported the $shipped palettes GIMP ships, with GIMP's colours and names"

echo "== Inkscape $(inkscape --version 2>/dev/null | grep -o '[0-9][0-9.]*' | head -n 1)"
mkdir -p "$XDG_CONFIG_HOME/inkscape/palettes"
cp "$work/out/"*.gpl "$XDG_CONFIG_HOME/inkscape/palettes/"
for p in "${palettes[@]}"; do
    # The palette bar under the canvas shows the palette the preferences name.
    cat >"$XDG_CONFIG_HOME/inkscape/preferences.xml" <<XML
<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<inkscape xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" version="1">
  <group id="embedded"><group id="swatches" palette="$p" /></group>
</inkscape>
XML
    cat >"$work/inkscape.sh" <<SH
inkscape --with-gui >"$work/inkscape.log" 2>&1 &
pid=\$!
sleep 25
import -window root "$work/shot.png"
kill \$pid
wait \$pid 2>/dev/null || true
SH
    timeout 120 xvfb-run -a -s "-screen 0 1400x900x24" bash "$work/inkscape.sh"
    convert "$work/shot.png" "$work/shot.ppm"
    check inkscape "$work/$p.txt" "$work/shot.ppm"
done

echo "== $(chromium --version 2>/dev/null)"
for p in "${palettes[@]}"; do
    cp "$work/out/$p.css" "$work/palette.css"
    cat >"$work/page.html" <<'HTML'
<!DOCTYPE html>
<html><head><meta charset="utf-8"><link rel="stylesheet" href="palette.css"></head>
<body><pre id="out"></pre>
<script>
const lines = [];
for (const sheet of document.styleSheets) {
  for (const rule of sheet.cssRules) {
    for (const name of rule.style) {
      if (!name.startsWith("--")) continue;
      const probe = document.createElement("span");
      probe.style.color = "var(" + name + ")";
      document.body.appendChild(probe);
      lines.push(name + "\t" + getComputedStyle(probe).color);
    }
  }
}
document.getElementById("out").textContent = lines.join("\n");
</script></body></html>
HTML
    timeout 120 chromium --headless --no-sandbox --disable-gpu --allow-file-access-from-files \
        --dump-dom "file://$work/page.html" >"$work/dom.html" 2>"$work/chromium.log"
    check chromium "$work/$p.txt" "$work/dom.html"
done

echo "== sassc $(dpkg-query -W -f '${Version}' sassc 2>/dev/null)"
mkdir -p "$work/sass"
for p in "${palettes[@]}"; do
    cp "$work/out/$p.scss" "$work/sass/_palette.scss"
    {
        echo '@import "palette";'
        sed -n 's/^\$\([^:]*\):.*/.x { value: red($\1) green($\1) blue($\1); }/p' \
            "$work/out/$p.scss"
    } >"$work/sass/use.scss"
    sassc "$work/sass/use.scss" >"$work/$p.compiled.css"
    check sassc "$work/$p.txt" "$work/$p.compiled.css"
done

echo "== Design tokens and Adobe Swatch Exchange"
for p in "${palettes[@]}"; do
    check json "$work/$p.txt" "$work/out/$p.json"
    check ase "$work/$p.txt" "$work/out/$p.ase"
done
echo "All interoperability checks passed."
