#!/usr/bin/env bash
# Gives a Windows file of the build (a program, a DLL, the setup program, the
# .msi package) its Authenticode signature, SHA-256, in place, with
# osslsigncode; the build runs it on each file as soon as the file is made
# (ZENALTO_SIGN_COMMAND, installer/CMakeLists.txt).
#   sign-windows.sh FILE
# One of two ways, from the environment:
#   ZENALTO_SIGN_CERT, ZENALTO_SIGN_KEY   the certificate (with its chain) and
#       its unencrypted key, PEM files: signs FILE. The signing time is
#       SOURCE_DATE_EPOCH when set, so that signing the same bytes twice gives
#       the same bytes; a time-stamp server (RFC 3161) is asked only when
#       ZENALTO_SIGN_TIMESTAMP_URL names one. With ZENALTO_SIGNATURES_DIR set,
#       the signature alone is written there as <file name>.p7s (DER PKCS#7).
#   ZENALTO_SIGNATURES_FROM=DIR   someone without the key, rebuilding a signed
#       release: attaches DIR/<file name>.p7s to FILE and fails unless the
#       signature covers FILE's bytes exactly; the file is then the published
#       signed file. With ZENALTO_SIGN_CAFILE set, the signature must also
#       verify up to the certificates in that file.
# ZENALTO_OSSLSIGNCODE names another osslsigncode to run (the tests run
# Debian 12's 2.5 and Debian 13's 2.9).
set -euo pipefail

if (($# != 1)) || [[ ! -f $1 ]]; then
  echo "usage: $0 FILE (a file to sign in place)" >&2
  exit 64
fi
file=$1
name=$(basename "$file")
osslsigncode=${ZENALTO_OSSLSIGNCODE:-osslsigncode}
keys=${ZENALTO_SIGN_CERT:+${ZENALTO_SIGN_KEY:+yes}}
from=${ZENALTO_SIGNATURES_FROM:-}
if [[ -n $keys && -n $from ]] || [[ -z $keys && -z $from ]]; then
  echo "sign-windows.sh: set either ZENALTO_SIGN_CERT and ZENALTO_SIGN_KEY, or ZENALTO_SIGNATURES_FROM" >&2
  exit 64
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
signed=$scratch/$name

# osslsigncode writes a new file (2.5 refuses to write over its input); the
# signed bytes go back into FILE, which keeps its mode.
put_back() { cat "$signed" >"$file"; }

# The digest that FILE's signature holds and the one of FILE's bytes, as
# osslsigncode verify prints them ("message digest" of a program,
# "DigitalSignature" of a .msi): both there and the same, or it fails.
covers_bytes() {
  local report what current calculated compared=no
  report=$("$osslsigncode" verify -in "$1" 2>&1 || true)
  for what in "message digest" DigitalSignature; do
    current=$(sed -n "s/^Current $what *: *\([0-9A-F]*\).*/\1/p" <<<"$report")
    calculated=$(sed -n "s/^Calculated $what *: *\([0-9A-F]*\).*/\1/p" <<<"$report")
    if [[ -n $current ]]; then
      [[ $current == "$calculated" ]] || compared=differ
      [[ $compared == differ ]] || compared=yes
    fi
  done
  if [[ $compared != yes ]] || grep -q MISMATCH <<<"$report"; then
    echo "$report" >&2
    return 1
  fi
}

if [[ -n $keys ]]; then
  options=(-certs "$ZENALTO_SIGN_CERT" -key "$ZENALTO_SIGN_KEY" -h sha256)
  if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
    options+=(-time "$SOURCE_DATE_EPOCH")
  fi
  if [[ -n ${ZENALTO_SIGN_TIMESTAMP_URL:-} ]]; then
    options+=(-ts "$ZENALTO_SIGN_TIMESTAMP_URL")
  fi
  "$osslsigncode" sign "${options[@]}" -in "$file" -out "$signed" >/dev/null
  put_back
  if [[ -n ${ZENALTO_SIGNATURES_DIR:-} ]]; then
    mkdir -p "$ZENALTO_SIGNATURES_DIR"
    # PEM from both versions: 2.5 writes its DER with the PE file's own
    # certificate header before it. The .p7s is the PKCS#7 alone, in DER.
    "$osslsigncode" extract-signature -pem -in "$file" -out "$scratch/signature.pem" >/dev/null
    grep -v '^-----' "$scratch/signature.pem" | base64 -d >"$ZENALTO_SIGNATURES_DIR/$name.p7s"
  fi
  echo "Signed $name"
else
  signature=$from/$name.p7s
  if [[ ! -f $signature ]]; then
    echo "sign-windows.sh: no signature $signature for $file" >&2
    exit 1
  fi
  # As PEM, which both versions read (2.5 takes no bare DER).
  {
    echo "-----BEGIN PKCS7-----"
    base64 -w 64 "$signature"
    echo "-----END PKCS7-----"
  } >"$scratch/signature.pem"
  # attach-signature also checks the certificates' chain, and fails on one
  # that the machine does not trust while writing the file all the same:
  # what counts here is whether the signature covers these bytes.
  "$osslsigncode" attach-signature -sigin "$scratch/signature.pem" \
    -in "$file" -out "$signed" >/dev/null 2>&1 || true
  if [[ ! -f $signed ]] || ! covers_bytes "$signed"; then
    echo "sign-windows.sh: $signature does not sign these bytes of $file:" \
      "they differ from the signed release's" >&2
    exit 1
  fi
  if [[ -n ${ZENALTO_SIGN_CAFILE:-} ]]; then
    "$osslsigncode" verify -CAfile "$ZENALTO_SIGN_CAFILE" -in "$signed" >/dev/null
  fi
  put_back
  echo "Attached the signature of $name"
fi
