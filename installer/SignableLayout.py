"""Gives a program that makensis made the layout that an Authenticode
signature leaves behind it: its length a multiple of 8 bytes (zeros added
past the setup's data, which the setup's own check does not read) and its PE
checksum set (makensis leaves 0; the setup's check skips the field). Signing
such a file changes nothing but what it adds, so that removing the signature
(osslsigncode remove-signature) gives back these very bytes: the unsigned
file of a release is the signed one without its signature.

The build runs it in a release's build only (InRelease.cmake): a
developer's setup stays as makensis wrote it.

    python3 installer/SignableLayout.py PROGRAM.exe
"""

import sys

import pefile


def main(path):
    with open(path, "rb") as program:
        data = program.read()
    data += bytes(-len(data) % 8)
    image = pefile.PE(data=data, fast_load=True)
    image.OPTIONAL_HEADER.CheckSum = image.generate_checksum()
    with open(path, "wb") as program:
        program.write(image.write())


if __name__ == "__main__":
    main(sys.argv[1])
