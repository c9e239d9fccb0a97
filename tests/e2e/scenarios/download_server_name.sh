#!/usr/bin/env bash
# A URL without a name of its own is saved under the name the server gives: Content-Disposition
# (plain and UTF-8 forms, the latter under exactly the name sent, whatever its characters) or the
# last segment after a redirect. A name that climbs out of the folder keeps only its last part: it
# lands in the chosen folder and nowhere above it. The server's name was never shown to the user,
# so it replaces no file: beside one, it takes the next free number; neither does the fallback
# "index.html" when the only name is an empty UTF-8 form beside a plain one (the plain one wins).
# A right-to-left override, which would show an .exe as a .pdf, becomes "_".
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
for case in "name-plain|plain report.pdf" "name-utf8|Café – Résumé 😀.pdf" "name-evil|evil.txt" \
    "redirect|archive-2.0.tar.gz" "name-dots|notes.txt" "name-rtl|report_fdp.exe"; do
    mode=${case%%|*} name=${case#*|}
    loopback_fault "$mode"
    pick_destination "${SERVER_URL}get/"
    assert_exit_zero
    assert_folder_holds "$DEST" "$name"
    rm -f "$DEST/$name" "$DEST/$name:Zone.Identifier"  # Wine keeps the stream as a file
done
echo "my own report" >"$DEST/plain report.pdf"
loopback_fault name-plain
pick_destination "${SERVER_URL}get/"
assert_exit_zero
assert_folder_holds "$DEST" "plain report.pdf" "plain report (2).pdf"
assert_eq "$(cat "$DEST/plain report.pdf")" "my own report" "the user's own file"
echo "my own page" >"$DEST/index.html"
loopback_fault name-empty-utf8
pick_destination "${SERVER_URL}get/"
assert_exit_zero
assert_folder_holds "$DEST" "plain report.pdf" "plain report (2).pdf" index.html report.pdf
assert_eq "$(cat "$DEST/index.html")" "my own page" "the user's own index.html"
assert_no_file "$FIXTURE/evil.txt"
assert_no_file "$WINEPREFIX/drive_c/evil.txt"
pass
