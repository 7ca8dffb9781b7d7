#!/usr/bin/env bash
# A signed release: a throwaway CA made with openssl issues a code-signing certificate and a
# time-stamping one (served by tsa-server.py on localhost); the release is signed with them
# and every signature is checked with osslsigncode verify against that CA.
#   package-signing.sh VERSION PLAXOR.EXE PLAXORCTL.EXE WORK_DIR
source "$(dirname "$0")/checks.sh"
here=$(cd "$(dirname "$0")" && pwd)
pki=$work/pki
mkdir -p "$pki"
tsa_pid=""
trap '[ -z "$tsa_pid" ] || kill "$tsa_pid" 2>/dev/null' EXIT

# issue NAME EXTENDED_KEY_USAGE: a key and a certificate signed by the CA, in $pki.
issue() {
  openssl req -newkey rsa:2048 -nodes -keyout "$pki/$1.key" -out "$pki/$1.csr" \
    -subj "/CN=Plaxor test $1" 2>/dev/null &&
    openssl x509 -req -in "$pki/$1.csr" -CA "$pki/ca.pem" -CAkey "$pki/ca.key" -set_serial "0x$RANDOM$RANDOM" \
      -days 2 -out "$pki/$1.pem" -extfile <(printf '%s\n' basicConstraints=CA:FALSE \
      "keyUsage=critical,digitalSignature" "extendedKeyUsage=critical,$2") 2>/dev/null
}
if ! openssl req -x509 -newkey rsa:2048 -nodes -keyout "$pki/ca.key" -out "$pki/ca.pem" -days 2 \
       -subj "/CN=Plaxor test CA" -addext "basicConstraints=critical,CA:TRUE" \
       -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null ||
   ! issue signer codeSigning || ! issue tsa timeStamping ||
   ! openssl pkcs12 -export -out "$pki/signer.pfx" -inkey "$pki/signer.key" -in "$pki/signer.pem" \
       -certfile "$pki/ca.pem" -passout pass:throwaway; then
  not_ok "openssl makes the throwaway certificates"
  finish
fi

cat >"$pki/tsa.cnf" <<CNF
[ tsa ]
default_tsa = tsa_config
[ tsa_config ]
dir = $pki
serial = \$dir/tsa-serial
signer_cert = \$dir/tsa.pem
signer_key = \$dir/tsa.key
certs = \$dir/ca.pem
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha256, sha384, sha512
accuracy = secs:1
ess_cert_id_chain = no
ess_cert_id_alg = sha256
CNF
echo 01 >"$pki/tsa-serial"
python3 "$here/tsa-server.py" "$pki/tsa.cnf" "$pki/tsa-port" &
tsa_pid=$!
for _ in $(seq 1 50); do [ -s "$pki/tsa-port" ] && break; sleep 0.1; done

dist=$work/dist
PLAXOR_SIGN_PFX=$pki/signer.pfx PLAXOR_SIGN_PASSWORD=throwaway \
  PLAXOR_TIMESTAMP_URL=http://127.0.0.1:$(cat "$pki/tsa-port" 2>/dev/null)/ release "$dist"
check "the release says it is signed, and time-stamped" grep -q "signed with the certificate.*time-stamped" "$dist.log"

shipped=$work/shipped
mkdir -p "$shipped/zip" "$shipped/msi"
unzip -q -d "$shipped/zip" "$dist/$name.zip"
msiextract -C "$shipped/msi" "$dist/$name.msi" >/dev/null
# verify FILE [ARGS]: osslsigncode's check of the signature and its time stamp against the CA.
verify() {
  local file=$1
  shift
  osslsigncode verify -CAfile "$pki/ca.pem" -TSA-CAfile "$pki/ca.pem" "$@" -in "$file" \
    >"$file.verify" 2>&1
}
signed() { # signed FILE: a SHA-256 signature by the test signer, time-stamped, that verifies
  verify "$1" && grep -q "Signature verification: ok" "$1.verify" &&
    grep -qi "digest algorithm *: *sha256" "$1.verify" &&
    grep -q "Plaxor test signer" "$1.verify" && grep -q "Timestamp Server Signature verification: ok\|Timestamp verification: ok" "$1.verify"
}
for file in "$shipped/zip/Plaxor.exe" "$shipped/zip/plaxorctl.exe" "$dist/$name.msi" \
            "$(find "$shipped/msi" -name Plaxor.exe)" "$(find "$shipped/msi" -name plaxorctl.exe)"; do
  check "osslsigncode verifies the signature of ${file#"$work/"}" signed "$file"
done
check "a signature from a CA that Windows does not trust does not verify" \
  bash -c '! osslsigncode verify -CAfile /etc/ssl/certs/ca-certificates.crt -in "$1" >/dev/null 2>&1' \
  _ "$shipped/zip/Plaxor.exe"
check "SHA256SUMS covers the signed files as they ship" \
  bash -c "cd '$dist' && sha256sum -c --strict --quiet SHA256SUMS"

bad=$work/bad-password
mkdir -p "$bad"
PLAXOR_SIGN_PFX=$pki/signer.pfx PLAXOR_SIGN_PASSWORD=wrong \
  bash "$assemble" "$version" "$plaxor" "$plaxorctl" "$bad" >"$bad.log" 2>&1
check "a wrong password fails the release" test $? -ne 0
check "...writing none of its files" test -z "$(ls -A "$bad")"
finish
