#!/usr/bin/env bash
# The report in a real browser: headless Chromium opens the page that `veltrana-cli report` writes
# for a configuration with gauges on every page (gauges_every_page.vtl beside this script) and
# takes a picture of it. Each of the four display pages must appear in that picture pixel for
# pixel as `render --scale 3` draws it: enlarged three times with hard edges, nothing smoothed.
#
#   report_browser_test.sh CLI SOURCE_DIR OUT_DIR
#
# OUT_DIR keeps report.html and screenshot.png for a look.
set -uo pipefail
cli="$1" source_dir="$2" out="$3"
car="$source_dir/tests/cli/gauges_every_page.vtl"
profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
mkdir -p "$out" && cd "$out" || exit 1
rm -f report.html screenshot.png pages.png

fail() { echo "FAIL: $*"; exit 1; }
command -v chromium >/dev/null || fail "chromium is not installed (scripts/setup installs it)"

"$cli" report "$car" -o report.html || fail "report ended with status $?"
"$cli" render "$car" -o pages.png --scale 3 || fail "render ended with status $?"

timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$profile" --hide-scrollbars \
  --force-device-scale-factor=1 --window-size=800,1400 --screenshot="$out/screenshot.png" \
  "file://$out/report.html" >chromium.log 2>&1
[[ -s screenshot.png ]] || { cat chromium.log; fail "chromium wrote no screenshot"; }

# Both pictures as rows of 0 (light) and 1 (dark) characters, one row a line.
rows() {
  convert "$1" -colorspace Gray -threshold 50% -compress none pbm:- |
    awk 'NR == 1 { next } NR == 2 { width = $1; next } { gsub(/[ \t]/, ""); all = all $0 }
         END { for (at = 1; at <= length(all); at += width) print substr(all, at, width) }'
}
rows screenshot.png >screenshot.rows
rows pages.png >pages.rows
[[ $(wc -l <pages.rows) -eq 768 ]] || fail "render's picture is not 256 x 3 rows high"

# Page p's 192 rows must stand somewhere in the screenshot, one under the other at one column.
awk -v pages=pages.rows '
  BEGIN { n = 0; while ((getline line < pages) > 0) page[n++] = line }
  { shot[NR - 1] = $0; rows = NR }
  END {
    bad = 0
    for (p = 0; p < 4; ++p) {
      anchor = -1
      for (k = p * 192; k < (p + 1) * 192; ++k) if (index(page[k], "1")) { anchor = k; break }
      if (anchor < 0) { print "page " p + 1 " of the render is blank"; bad = 1; continue }
      found = 0
      for (r = 0; r < rows && !found; ++r) {
        at = index(shot[r], page[anchor])
        if (!at) continue
        top = r - (anchor - p * 192)
        found = top >= 0 && top + 192 <= rows
        for (j = 0; j < 192 && found; ++j) found = substr(shot[top + j], at, 720) == page[p * 192 + j]
        if (found) print "page " p + 1 " found at x " at - 1 ", y " top
      }
      if (!found) { print "page " p + 1 " is not in the screenshot pixel for pixel"; bad = 1 }
    }
    exit bad
  }' screenshot.rows || fail "the display pages do not appear as render draws them"
rm -f screenshot.rows pages.rows
echo "report_browser: the four pages appear in Chromium as render draws them ($out/screenshot.png)"
