#!/usr/bin/python3
"""Fails when a source file includes a header of a folder its own folder may not use.

Usage: check_layering.py <source root> [<Qt widget include folders, joined by ':'>]

Every #include "..." of our code names its folder: "platform/bitmap.h", "seal/seal.h",
"document/childform.h". The folders of app/ are named without "app/". Each folder may use
itself and the folders the table below gives it; headers of app/formats/ may also include
no widget header, so that the formats build without a screen.
"""

import os
import re
import sys

# The layers, lowest first. The window folders use what tools/ uses.
BASE = {"platform"}
SEAL = BASE | {"seal"}
DOCUMENT_AND_BELOW = {"app/document", "app/controls", "app/formats", "app/services", "seal", "platform", "pandrel"}
WINDOWS = ["app/tools", "app/property", "app/print", "app/export", "app/library", "app/emblems", "app/zoomview"]
ALL_APP = DOCUMENT_AND_BELOW | set(WINDOWS) | {"app/mainwindow"}

ALLOWED = {
    "platform": set(),
    "seal": BASE,
    "pandrel": BASE,
    "dialogs": BASE,
    # The build-time generator of the help pages draws its figures with the seal model; the
    # module itself links the platform only.
    "dialogs/generate_pictures.cpp": SEAL,
    "app/controls": BASE,
    "app/formats": SEAL,
    "app/services": BASE | {"dialogs"},
    "app/document": DOCUMENT_AND_BELOW - {"app/document"},
    "app/mainwindow": ALL_APP,
    "app/startup": ALL_APP,
    "app": {"app/startup"},
}
for folder in WINDOWS:
    ALLOWED[folder] = DOCUMENT_AND_BELOW

SOURCE = (".h", ".cpp")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def folder_of(path):
    """The folder of the table a source file belongs to."""
    parts = path.split("/")
    if parts[0] == "app" and len(parts) > 2:
        return "app/" + parts[1]
    return parts[0]


def target_of(root, include):
    """The folder a quoted include names, or None when it names none of ours."""
    first = include.split("/")[0]
    if "/" not in include:
        return None
    if os.path.isdir(os.path.join(root, "app", first)) or ("app/" + first) in ALLOWED or ("app/" + first) in WINDOWS:
        return "app/" + first
    if first in ALLOWED:
        return first
    return None


def widget_headers(folders):
    names = set()
    for folder in folders:
        if os.path.basename(folder.rstrip("/")) == "QtWidgets" and os.path.isdir(folder):
            names.update(os.listdir(folder))
    return names


def main():
    root = os.path.abspath(sys.argv[1])
    widgets = widget_headers(sys.argv[2].split(":") if len(sys.argv) > 2 else [])
    faults = []
    for top in ["platform", "seal", "pandrel", "dialogs", "app"]:
        for dirpath, _, files in os.walk(os.path.join(root, top)):
            for name in sorted(files):
                if not name.endswith(SOURCE):
                    continue
                path = os.path.relpath(os.path.join(dirpath, name), root)
                own = folder_of(path)
                allowed = ALLOWED.get(path, ALLOWED.get(own))
                if allowed is None:
                    faults.append(f"{path}: the folder {own}/ has no row in the layering table")
                    continue
                with open(os.path.join(root, path), encoding="utf-8") as source:
                    for number, line in enumerate(source, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        quoted, include = m.group(1) == '"', m.group(2)
                        where = f"{path}:{number}: {line.strip()}"
                        if not quoted:
                            if own == "app/formats" and name.endswith(".h") and include in widgets:
                                faults.append(f"{where}: a widget header in a header of formats/")
                            continue
                        target = target_of(root, include)
                        if target is None:
                            faults.append(f"{where}: the include names no folder of ours")
                        elif target != own and target not in allowed:
                            faults.append(f"{where}: {own}/ may not use {target}/")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) break the layering")
        return 1
    print("layering kept")
    return 0


if __name__ == "__main__":
    sys.exit(main())
