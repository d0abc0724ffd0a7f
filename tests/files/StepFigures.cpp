// The figures of a STEP file as another program reads them: OpenCASCADE's own STEP reader, not
// the writer that made the file. Prints one "name value" line each, in millimetres:
//   solids N, closed 0|1 (every shell closed), valid 0|1 (BRepCheck_Analyzer)
//   volume V (mm³), xmin … zmax (the tight bounding box)
//   inlet A (mm², the plane faces facing -y at the box's -y end: the passage inlet)
//   outlet A (mm², the plane faces facing +z at the box's top: the pump inlet section)
// Exit 1 where the file cannot be read.
//
// Usage: step-figures FILE.step

#include <BRepBndLib.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepCheck_Shell.hxx>
#include <BRepGProp.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <STEPControl_Reader.hxx>
#include <TopAbs_ShapeEnum.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_Pln.hxx>

#include <cmath>
#include <cstdio>

namespace {

double areaOf(const TopoDS_Shape& face)
{
    GProp_GProps props;
    BRepGProp::SurfaceProperties(face, props);
    return props.Mass();
}

// The area of the plane faces whose outward normal is `axis` (0 x, 1 y, 2 z) times `sign` and
// that lie in the plane at `level` on that axis.
double planeArea(const TopoDS_Shape& shape, int axis, double sign, double level)
{
    double area = 0;
    for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
        const TopoDS_Face face = TopoDS::Face(e.Current());
        BRepAdaptor_Surface surface(face);
        if (surface.GetType() != GeomAbs_Plane)
            continue;
        const gp_Pln plane = surface.Plane();
        gp_Dir normal = plane.Axis().Direction();
        if (face.Orientation() == TopAbs_REVERSED)
            normal.Reverse();
        const double n[3] = {normal.X(), normal.Y(), normal.Z()};
        const gp_Pnt at = plane.Location();
        const double p[3] = {at.X(), at.Y(), at.Z()};
        if (n[axis] * sign > 1 - 1e-9 && std::abs(p[axis] - level) < 1e-2)
            area += areaOf(face);
    }
    return area;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: step-figures FILE.step\n");
        return 2;
    }
    STEPControl_Reader reader;
    if (reader.ReadFile(argv[1]) != IFSelect_RetDone || reader.TransferRoots() == 0) {
        std::fprintf(stderr, "step-figures: cannot read %s\n", argv[1]);
        return 1;
    }
    const TopoDS_Shape shape = reader.OneShape();
    int solids = 0;
    for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next())
        ++solids;
    bool closed = true;
    int shells = 0;
    for (TopExp_Explorer e(shape, TopAbs_SHELL); e.More(); e.Next()) {
        ++shells;
        BRepCheck_Shell shell(TopoDS::Shell(e.Current()));
        closed = closed && shell.Closed() == BRepCheck_NoError;
    }
    GProp_GProps props;
    BRepGProp::VolumeProperties(shape, props);
    Bnd_Box box;
    BRepBndLib::AddOptimal(shape, box, false, false);
    double x0, y0, z0, x1, y1, z1;
    box.Get(x0, y0, z0, x1, y1, z1);
    std::printf("solids %d\nclosed %d\nvalid %d\nvolume %.6f\n", solids, shells > 0 && closed ? 1 : 0,
                BRepCheck_Analyzer(shape).IsValid() ? 1 : 0, props.Mass());
    std::printf("xmin %.6f\nxmax %.6f\nymin %.6f\nymax %.6f\nzmin %.6f\nzmax %.6f\n", x0, x1, y0, y1, z0, z1);
    std::printf("inlet %.6f\noutlet %.6f\n", planeArea(shape, 1, -1, y0), planeArea(shape, 2, 1, z1));
    return 0;
}
