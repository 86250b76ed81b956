#!/usr/bin/python3
"""The hardening gate for the Windows binaries that Zenalto ships.

    tools/check-pe.py FILE...

For each file, by what the table SHIPPED below expects of it, checks:
  flags        DYNAMIC_BASE, NX_COMPAT, and HIGH_ENTROPY_VA for a 64-bit image
  relocations  a base relocation table wherever DYNAMIC_BASE is claimed:
               without one, Windows cannot move the image and the flag does
               nothing
  imports      only DLLs that Windows always takes from System32 (its
               KnownDLLs, tools/windows-known-dlls.txt), never one of the
               names known to be planted (tools/planted-dlls.txt): an import
               is resolved before the program can restrict its search, so any
               other DLL would be looked for in the program's folder first
  stack        the stack protector linked in (libssp's failure message) where
               we compile the code
  manifest     the embedded manifest, with the execution level the file needs
               and, for the program, its Windows versions and DPI awareness
Prints one line per file and check (PASS, FAIL, or EXEMPT with the reason)
and exits with 1 when any check fails, 2 when a file cannot be read. Reads the
files with Debian's python3-pefile.
"""

import fnmatch
import os
import sys
import xml.etree.ElementTree as ElementTree

import pefile

HERE = os.path.dirname(os.path.abspath(__file__))

# The Windows 10 and 11 GUID of a manifest's supportedOS.
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"

# NSIS's stubs (the setup's and Uninstall.exe's program) come as Debian's nsis
# package builds them: we do not compile them, and Debian's nsis 3.08 links
# them without a relocation table, since makensis rewrites the resources at
# the end of the stub and cannot keep a table placed behind them (Debian bug
# #1050288, NSIS bug #1283). Their ASLR flag therefore does nothing; they are
# reported, not failed, until Debian ships stubs that keep one.
NSIS_STUB = "NSIS's stub, linked by Debian's nsis without relocations"

# What each shipped file must be. "compiled": built from our sources by the
# mingw-w64 toolchain, so the stack protector is ours to give. "level": the
# manifest's requestedExecutionLevel, None for a DLL (the process that loads it
# has the manifest). "host_imports": DLLs that the process loading this one
# has already loaded from System32, which an import then reuses.
SHIPPED = [
    {"name": "Zenalto.exe", "compiled": True, "level": "asInvoker",
     "program": True},
    {"name": "ZenaltoMsiCheck.dll", "compiled": True, "level": None,
     # Compiled with the protector like the program, but no function of it
     # has a local array or a local whose address is taken: the protector
     # guards none, and the check has nothing in the image to find.
     "nothing_to_guard": "no function with a buffer to guard",
     # The custom action runs inside msiexec.exe, which lives in System32
     # and has msi.dll loaded before it loads the action.
     "host_imports": {"msi"}},
    {"name": "Uninstall.exe", "compiled": False, "level": "requireAdministrator",
     "no_relocations": NSIS_STUB},
    {"name": "zenalto-*-setup.exe", "compiled": False,
     "level": "requireAdministrator", "no_relocations": NSIS_STUB},
]

# libssp's __stack_chk_fail, present only when compiled code calls it.
STACK_PROTECTOR_MARK = b"*** stack smashing detected ***"

ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
DPI_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
DPI_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
COMMON_CONTROLS = "Microsoft.Windows.Common-Controls"


def names_in(file_name):
    with open(os.path.join(HERE, file_name), encoding="utf-8") as listing:
        return {line.strip() for line in listing if line.strip() and not line.startswith("#")}


KNOWN_DLLS = names_in("windows-known-dlls.txt")
PLANTED_DLLS = names_in("planted-dlls.txt")


def expectations(path):
    base = os.path.basename(path)
    for entry in SHIPPED:
        if fnmatch.fnmatchcase(base, entry["name"]):
            return entry
    return None


def manifest_of(pe):
    """The text of the file's RT_MANIFEST resource, or None."""
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return None
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != pefile.RESOURCE_TYPE["RT_MANIFEST"]:
            continue
        for name in kind.directory.entries:
            for language in name.directory.entries:
                data = language.data.struct
                return pe.get_data(data.OffsetToData, data.Size).decode("utf-8", "replace")
    return None


def check_flags(pe):
    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    wanted = ["IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE", "IMAGE_DLLCHARACTERISTICS_NX_COMPAT"]
    if pe.OPTIONAL_HEADER.Magic == pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS:
        wanted.append("IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA")
    missing = [flag for flag in wanted if not flags & pefile.DLL_CHARACTERISTICS[flag]]
    shown = " ".join(flag.replace("IMAGE_DLLCHARACTERISTICS_", "") for flag in wanted)
    if missing:
        return "FAIL", "missing " + " ".join(
            flag.replace("IMAGE_DLLCHARACTERISTICS_", "") for flag in missing)
    return "PASS", shown


def check_relocations(pe, expected):
    if not pe.OPTIONAL_HEADER.DllCharacteristics & \
            pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE"]:
        return "PASS", "no ASLR claimed"
    table = pe.OPTIONAL_HEADER.DATA_DIRECTORY[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
    stripped = pe.FILE_HEADER.Characteristics & \
        pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_RELOCS_STRIPPED"]
    if table.Size > 0 and not stripped:
        return "PASS", f"{table.Size} bytes of base relocations"
    if "no_relocations" in expected:
        return "EXEMPT", "none, ASLR flag without effect: " + expected["no_relocations"]
    return "FAIL", "DYNAMIC_BASE claimed, but no base relocation table"


def imported_dlls(pe):
    names = []
    for attribute in ("DIRECTORY_ENTRY_IMPORT", "DIRECTORY_ENTRY_DELAY_IMPORT"):
        for entry in getattr(pe, attribute, []):
            name = entry.dll.decode("ascii", "replace").lower()
            names.append(name[:-4] if name.endswith(".dll") else name)
    return names


def check_imports(pe, expected, manifest):
    names = imported_dlls(pe)
    allowed = KNOWN_DLLS | expected.get("host_imports", set())
    # comctl32 is the one exception Windows makes by the manifest: a
    # dependency on common controls 6 has it taken from the side-by-side
    # store, never from the program's folder.
    if manifest is not None and COMMON_CONTROLS in manifest:
        allowed = allowed | {"comctl32"}
    planted = [name for name in names if name in PLANTED_DLLS]
    unknown = [name for name in names if name not in allowed and name not in PLANTED_DLLS]
    if planted:
        return "FAIL", "imports " + ", ".join(planted) + ", known to be planted"
    if unknown:
        return "FAIL", "imports " + ", ".join(unknown) + \
            ", which Windows would look for in the program's folder first"
    return "PASS", ", ".join(sorted(set(names)))


def check_stack_protector(pe, expected):
    if not expected["compiled"]:
        return "EXEMPT", "not compiled here: " + NSIS_STUB.split(",")[0]
    if bytes(pe.__data__).find(STACK_PROTECTOR_MARK) != -1:
        return "PASS", "libssp linked in"
    if "nothing_to_guard" in expected:
        return "EXEMPT", expected["nothing_to_guard"]
    return "FAIL", "no stack protector (compile and link with -fstack-protector-strong)"


def check_manifest(manifest, expected):
    if expected["level"] is None:
        if manifest is None:
            return "PASS", "none: a DLL runs under its host's manifest"
        return "PASS", "present"
    if manifest is None:
        return "FAIL", "no embedded manifest"
    try:
        root = ElementTree.fromstring(manifest.strip().strip("\x00"))
    except ElementTree.ParseError as error:
        return "FAIL", f"manifest not well-formed: {error}"
    levels = [node.get("level") for node in root.iter()
              if node.tag.endswith("}requestedExecutionLevel")]
    if levels != [expected["level"]]:
        return "FAIL", f"requestedExecutionLevel {levels}, not {expected['level']}"
    said = [f"level {expected['level']}"]
    if expected.get("program"):
        supported = [node.get("Id") for node in root.iter(COMPATIBILITY + "supportedOS")]
        if WINDOWS_10 not in supported:
            return "FAIL", "no supportedOS for Windows 10 and 11"
        aware = [node.text for node in root.iter(DPI_2005 + "dpiAware")]
        awareness = [node.text for node in root.iter(DPI_2016 + "dpiAwareness")]
        if aware != ["true/pm"] or not awareness or \
                not awareness[0].replace(" ", "").startswith("PerMonitorV2"):
            return "FAIL", f"dpiAware {aware}, dpiAwareness {awareness}: not per monitor"
        said += ["supportedOS Windows 10", "dpiAware true/pm", "PerMonitorV2"]
    return "PASS", ", ".join(said)


def check_file(path):
    """The lines of one file's checks, and whether all passed."""
    base = os.path.basename(path)
    expected = expectations(path)
    if expected is None:
        return [f"FAIL   {base} shipped: not a file this gate knows (add it to SHIPPED)"], False
    pe = pefile.PE(path)
    manifest = manifest_of(pe)
    results = [
        ("flags", check_flags(pe)),
        ("relocations", check_relocations(pe, expected)),
        ("imports", check_imports(pe, expected, manifest)),
        ("stack", check_stack_protector(pe, expected)),
        ("manifest", check_manifest(manifest, expected)),
    ]
    lines = [f"{verdict:6} {base} {check}: {detail}" for check, (verdict, detail) in results]
    return lines, all(verdict != "FAIL" for _, (verdict, _) in results)


def main(paths):
    if not paths:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    passed = True
    for path in paths:
        try:
            lines, ok = check_file(path)
        except (OSError, pefile.PEFormatError) as error:
            print(f"FAIL   {os.path.basename(path)}: cannot read it: {error}")
            return 2
        print("\n".join(lines))
        passed = passed and ok
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
