#!/usr/bin/env bash
# https from a loopback server with a self-signed certificate: refused while the certificate is
# unknown (the open-error message, nothing written), downloaded once it is a trusted root.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
head -c 2000000 /dev/urandom >"$SITE/secure.bin"
# CN=127.0.0.1 and no IP subject-alternative-name: Wine rejects a certificate that carries one.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=127.0.0.1" \
    -keyout "$FIXTURE.key" -out "$FIXTURE.pem" >/dev/null 2>&1 || fail "openssl could not make a certificate"
openssl x509 -in "$FIXTURE.pem" -outform DER -out "$FIXTURE/cert.der"
loopback_serve https "$SITE" --cert "$FIXTURE.pem" --key "$FIXTURE.key"

pick_destination "${SERVER_URL}secure.bin"
expect_box "オープンエラー" "ダウンロード失敗"
assert_folder_holds "$DEST"

e2e_tool 30 "$KORVO_TOOLS/trust-cert.exe" "$FIXTURE_WIN\\cert.der" >/dev/null 2>&1 \
    || fail "the certificate could not be added to the trusted roots"
pick_destination "${SERVER_URL}secure.bin"
assert_exit_zero 60
assert_same_file "$SITE/secure.bin" "$DEST/secure.bin"
assert_folder_holds "$DEST" secure.bin
pass
