#!/usr/bin/env bash
# Help.pdf, made at build time from docs/manual.md, is a real multi-page manual holding every
# section of the Markdown; the generator refuses bad input without leaving a broken file.
# Arguments: the built Help.pdf, the manual's Markdown, the manual_pdf tool.
set -euo pipefail
pdf=$1 markdown=$2 tool=$3
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tinctora-manual.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -s "$pdf" ] || fail "$pdf is missing or empty"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *\([0-9]*\)$/\1/p')
[ "${pages:-0}" -gt 1 ] || fail "$pdf has ${pages:-no} pages, expected more than one"
pdfinfo "$pdf" | grep -q '^Title: *Tinctora 1.1 User Manual$' || fail "the PDF has no title"

# pdftotext breaks lines where the page does; compare the text with all white space squeezed.
pdftotext "$pdf" - | tr -s '[:space:]' ' ' >"$tmp/text"
mapfile -t titles < <(sed -n 's/^##* \(.*\)$/\1/p' "$markdown")
[ ${#titles[@]} -ge 10 ] || fail "only ${#titles[@]} section titles found in $markdown"
for title in "${titles[@]}"; do
    grep -qF -- "$title" "$tmp/text" || fail "the PDF lacks the section \"$title\""
done
# Body text, tables and code blocks come through too, not only the headings.
for phrase in "Press F4 To Capture Color" "Save Pallet As..." "-1207" "Clear Current Pallet?" \
    "New update avaliable online!" "00000255"; do
    grep -qF -- "$phrase" "$tmp/text" || fail "the PDF lacks \"$phrase\""
done
# Every picture of the manual is in the PDF: a missing one would leave only its alt text.
pictures=$(grep -c '!\[[^]]*\]([^)]*)' "$markdown" || true)
images=$(pdfimages -list "$pdf" | tail -n +3 | wc -l)
[ "$images" -ge "$pictures" ] || fail "the manual shows $pictures pictures, the PDF has $images"
echo "-- $pdf: $pages pages, ${#titles[@]} sections, $images pictures"

# A missing or empty manual is an error, and the previous PDF stays untouched.
cp "$pdf" "$tmp/kept.pdf"
if QT_QPA_PLATFORM=offscreen "$tool" "$tmp/missing.md" "$tmp/kept.pdf" 2>"$tmp/err"; then
    fail "a missing manual was accepted"
fi
grep -q 'cannot read' "$tmp/err" || fail "no reason given for a missing manual"
: >"$tmp/empty.md"
if QT_QPA_PLATFORM=offscreen "$tool" "$tmp/empty.md" "$tmp/kept.pdf" 2>/dev/null; then
    fail "an empty manual was accepted"
fi
cmp -s "$pdf" "$tmp/kept.pdf" || fail "a failed run changed the existing PDF"
# An unwritable target fails instead of pretending.
if "$tool" "$markdown" "$tmp/no/such/folder/Help.pdf" 2>/dev/null; then
    fail "writing into a missing folder was reported as done"
fi
echo "-- bad input refused"
