#!/usr/bin/env python3
"""The release's own files, made the same on every machine (tools/release.sh).

    release_files.py zip OUT.zip FOLDER
        FOLDER's files in OUT.zip: in byte order of their paths, each dated
        SOURCE_DATE_EPOCH, owned by nobody, mode 644, deflated.

    release_files.py sbom --version V --commit C --deb DEB --windows DIR
                          --site DIR --release DIR
        An SPDX 2.3 document (JSON) on standard output: each file of the
        release with its SHA-256, and what each holds or needs, with the
        version of the Debian package it came from on this machine.
"""

import argparse
import datetime
import hashlib
import json
import os
import re
import subprocess
import sys
import zipfile


def source_date():
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    return datetime.datetime.fromtimestamp(epoch, datetime.timezone.utc)


def make_zip(out, folder):
    # A zip entry's time has no zone and no year before 1980.
    stamp = max(source_date(), datetime.datetime(1980, 1, 1, tzinfo=datetime.timezone.utc))
    paths = []
    for here, dirs, names in os.walk(folder):
        dirs.sort()
        for name in names:
            full = os.path.join(here, name)
            paths.append(os.path.relpath(full, folder).replace(os.sep, "/"))
    if not paths:
        sys.exit(f"release_files: nothing to put in {out}: {folder} is empty")
    with zipfile.ZipFile(out, "w") as archive:
        for path in sorted(paths, key=lambda p: p.encode()):
            entry = zipfile.ZipInfo(path, stamp.timetuple()[:6])
            entry.create_system = 3  # Unix, so that the mode below is read
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, path), "rb") as data:
                archive.writestr(entry, data.read(), compresslevel=9)


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as data:
        for block in iter(lambda: data.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def installed(package):
    """The version and source package of an installed Debian package."""
    shown = subprocess.run(
        ["dpkg-query", "-W", "-f=${Version}\t${source:Package}", package],
        capture_output=True, text=True, check=False)
    if shown.returncode != 0 or not shown.stdout:
        sys.exit(f"release_files: {package} is not installed: it is named in the bill of materials")
    version, source = shown.stdout.split("\t")
    return version, source


def define(line, path):
    with open(path, encoding="utf-8") as text:
        match = re.search(line, text.read(), re.M)
    if not match:
        sys.exit(f"release_files: no {line!r} in {path}")
    return match.group(1)


class Document:
    def __init__(self, version, commit):
        self.version = version
        self.commit = commit
        self.packages = []
        self.relationships = []

    def add(self, ident, name, version, supplier, licence, purpose, comment=None,
            debian=None, checksum=None, file_name=None):
        package = {
            "SPDXID": f"SPDXRef-{ident}",
            "name": name,
            "versionInfo": version,
            "supplier": supplier,
            "downloadLocation": "NOASSERTION",
            "filesAnalyzed": False,
            "licenseConcluded": licence,
            "licenseDeclared": licence,
            "copyrightText": "NOASSERTION",
            "primaryPackagePurpose": purpose,
        }
        if file_name:
            package["packageFileName"] = file_name
        if checksum:
            package["checksums"] = [{"algorithm": "SHA256", "checksumValue": checksum}]
        if debian:
            package["externalRefs"] = [{
                "referenceCategory": "PACKAGE-MANAGER",
                "referenceType": "purl",
                "referenceLocator": f"pkg:deb/debian/{debian}@{version}",
            }]
        if comment:
            package["comment"] = comment
        self.packages.append(package)
        return package["SPDXID"]

    def debian(self, package, purpose="LIBRARY", licence="NOASSERTION", comment=None):
        version, source = installed(package)
        note = f"from the Debian package {package} (source {source}) of the building machine"
        if comment:
            note = f"{comment}; {note}"
        return self.add(re.sub(r"[^A-Za-z0-9.-]", "-", package), package, version,
                        "Organization: Debian", licence, purpose, note, debian=package)

    def relate(self, element, kind, other):
        self.relationships.append({"spdxElementId": element, "relationshipType": kind,
                                   "relatedSpdxElement": other})

    def json(self):
        created = source_date().strftime("%Y-%m-%dT%H:%M:%SZ")
        return {
            "spdxVersion": "SPDX-2.3",
            "dataLicense": "CC0-1.0",
            "SPDXID": "SPDXRef-DOCUMENT",
            "name": f"zenalto-{self.version}",
            "documentNamespace":
                f"https://example.org/zenalto/spdx/zenalto-{self.version}-{self.commit}",
            "creationInfo": {"created": created,
                             "creators": ["Organization: Equipo Zenalto",
                                          "Tool: zenalto-release_files.py"]},
            "packages": self.packages,
            "relationships": self.relationships,
        }


def sbom(args):
    doc = Document(args.version, args.commit)
    team = "Organization: Equipo Zenalto"
    release = args.release
    v = args.version

    def shipped(ident, name, purpose):
        path = os.path.join(release, name)
        return doc.add(ident, name, v, team, "MIT", purpose, checksum=sha256(path), file_name=name)

    source = doc.add("zenalto-source", "zenalto", v, team, "MIT", "SOURCE",
                     comment=f"the sources at commit {args.commit}")
    doc.relate("SPDXRef-DOCUMENT", "DESCRIBES", source)
    fast_float = doc.debian("libfast-float-dev", licence="Apache-2.0 OR MIT OR BSL-1.0",
                            comment="header-only; compiled into every program")

    # The Debian package: what dpkg-shlibdeps and the package itself ask for.
    deb = shipped("deb", os.path.basename(args.deb), "INSTALL")
    doc.relate(deb, "GENERATED_FROM", source)
    doc.relate(deb, "STATIC_LINK", fast_float)
    depends = subprocess.run(["dpkg-deb", "-f", args.deb, "Depends"], capture_output=True,
                             text=True, check=True).stdout
    for clause in depends.split(","):
        # "fonts-liberation | fonts-liberation2": the first that is installed here.
        choices = [re.sub(r"\s*\(.*\)", "", c).strip() for c in clause.split("|")]
        for name in choices:
            if subprocess.run(["dpkg-query", "-W", name], capture_output=True).returncode == 0:
                doc.relate(deb, "DEPENDS_ON", doc.debian(name))
                break
        else:
            sys.exit(f"release_files: none of {choices} is installed")

    # Zenalto.exe, alone in the portable archive and inside both packages:
    # the mingw-w64 runtime and GCC's libraries linked in statically.
    program = doc.add("Zenalto.exe", "Zenalto.exe", v, team, "MIT", "APPLICATION",
                      checksum=sha256(os.path.join(args.windows, "Zenalto.exe")),
                      file_name="Zenalto.exe")
    check = doc.add("ZenaltoMsiCheck.dll", "ZenaltoMsiCheck.dll", v, team, "MIT", "LIBRARY",
                    comment="the Windows Installer package's custom action: it stops while "
                            "Zenalto runs",
                    checksum=sha256(os.path.join(args.windows, "ZenaltoMsiCheck.dll")),
                    file_name="ZenaltoMsiCheck.dll")
    runtime = doc.debian("mingw-w64-x86-64-dev", licence="ZPL-2.1 AND MIT",
                         comment="the mingw-w64 C runtime and winpthreads, linked statically")
    gcc = doc.debian("gcc-mingw-w64-x86-64-posix-runtime",
                     licence="GPL-3.0-or-later WITH GCC-exception-3.1",
                     comment="libstdc++, libgcc and libssp, linked statically")
    for binary in (program, check):
        doc.relate(binary, "GENERATED_FROM", source)
        doc.relate(binary, "STATIC_LINK", runtime)
        doc.relate(binary, "STATIC_LINK", gcc)
    doc.relate(program, "STATIC_LINK", fast_float)
    stub = doc.debian("nsis-common", licence="Zlib AND CPL-1.0",
                      comment="the setup program's and Uninstall.exe's stub, lzma-amd64-unicode")
    setup = shipped("setup", f"zenalto-{v}-setup.exe", "INSTALL")
    doc.relate(setup, "CONTAINS", program)
    doc.relate(setup, "STATIC_LINK", stub)
    msi = shipped("msi", f"zenalto-{v}-x64.msi", "INSTALL")
    doc.relate(msi, "CONTAINS", program)
    doc.relate(msi, "CONTAINS", check)
    portable = shipped("portable", f"zenalto-{v}-win64-portable.zip", "ARCHIVE")
    doc.relate(portable, "CONTAINS", program)

    # The web page: Emscripten's runtime, libc++ and musl in zenalto.wasm and
    # zenalto.js, and Liberation Sans cut down to the page's characters.
    web = shipped("web", f"zenalto-{v}-web.zip", "ARCHIVE")
    doc.relate(web, "GENERATED_FROM", source)
    emscripten = "/usr/share/emscripten/system/lib"
    libcxx = define(r"^#define _LIBCPP_VERSION (\d+)", f"{emscripten}/libcxx/include/__config")
    musl = open(f"{emscripten}/libc/musl/VERSION", encoding="utf-8").read().strip()
    em = doc.debian("emscripten", licence="MIT OR NCSA",
                    comment="its JavaScript runtime and system libraries")
    cxx = doc.add("emscripten-libcxx", "libc++ (Emscripten's)", f"{int(libcxx) // 1000}.0",
                  "Organization: LLVM", "Apache-2.0 WITH LLVM-exception", "LIBRARY",
                  comment=f"_LIBCPP_VERSION {libcxx}, as the Debian package emscripten carries it")
    libc = doc.add("emscripten-musl", "musl (Emscripten's)", musl, "Organization: musl", "MIT",
                   "LIBRARY", comment="as the Debian package emscripten carries it")
    fonts = doc.debian("fonts-liberation2", licence="OFL-1.1",
                       comment="Liberation Sans Regular and Bold, cut down to the page's "
                               "characters (fonts/zenalto-sans*.woff2)")
    for part in (em, cxx, libc, fast_float):
        doc.relate(web, "STATIC_LINK", part)
    doc.relate(web, "CONTAINS", fonts)
    if not os.path.exists(os.path.join(args.site, "fonts", "zenalto-sans.woff2")):
        sys.exit("release_files: the page's folder has no fonts/zenalto-sans.woff2")

    json.dump(doc.json(), sys.stdout, indent=1, ensure_ascii=False)
    sys.stdout.write("\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    zipping = commands.add_parser("zip")
    zipping.add_argument("out")
    zipping.add_argument("folder")
    listing = commands.add_parser("sbom")
    for option in ("--version", "--commit", "--deb", "--windows", "--site", "--release"):
        listing.add_argument(option, required=True)
    args = parser.parse_args()
    if args.command == "zip":
        make_zip(args.out, args.folder)
    else:
        sbom(args)


if __name__ == "__main__":
    main()
