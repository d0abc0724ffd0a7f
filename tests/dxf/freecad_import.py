"""Imports a DXF file with FreeCAD's own importer, as a CAD user opening it in FreeCAD would
(with its texts and dimensions), and prints what came in: one line per kind, "KIND COUNT".

Run by freecadcmd: freecadcmd freecad_import.py FILE.dxf (the file is the last argument).
"""
import sys
from collections import Counter

import FreeCAD
import Import

FreeCAD.ParamGet("User parameter:BaseApp/Preferences/Mod/Draft").SetBool("dxftext", True)
path = [a for a in sys.argv if a.lower().endswith(".dxf")][-1]
FreeCAD.newDocument("imported")
Import.readDXF(path, "imported")
kinds = Counter()
for obj in FreeCAD.ActiveDocument.Objects:
    text = getattr(obj, "LabelText", None) or getattr(obj, "Text", None)
    if text:
        print("TEXT %s" % " ".join(text if isinstance(text, list) else [text]))
    if obj.TypeId == "App::FeaturePython":
        kinds[type(obj.Proxy).__name__] += 1
    elif hasattr(obj, "Shape"):
        for edge in obj.Shape.Edges:
            kinds[type(edge.Curve).__name__ + ("-closed" if edge.isClosed() else "")] += 1
for kind, count in sorted(kinds.items()):
    print("IMPORTED %s %d" % (kind, count))
