#include "solid/SolidFiles.h"

#include "files/SaveFile.h"
#include "solid/SolidFailure.h"

#include <GeomLProp_SLProps.hxx>
#include <Geom_Surface.hxx>
#include <BRepAlgoAPI_Common.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <Bnd_Box.hxx>
#include <gp_Pln.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <Poly_Triangulation.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <Standard_Failure.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Shell.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <algorithm>
#include <array>
#include <cmath>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <random>
#include <sstream>
#include <system_error>

namespace inlet {

namespace {

namespace fs = std::filesystem;

// OpenCASCADE reports its progress on standard output, where inlet-calc writes its results.
void silenceKernel()
{
    static const bool silenced = [] {
        Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
        return true;
    }();
    (void)silenced;
}

// The bytes OpenCASCADE writes to a file of its own naming, read back from a private folder
// that is gone again afterwards.
std::string writtenBy(const std::function<bool(const std::string&)>& write, const std::string& path)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/inlet-solid-XXXXXX";
    if (!mkdtemp(folder.data()))
        throw systemFailure(Failure::Kind::CannotWrite, path, errno);
    const fs::path file = fs::path(folder) / "solid";
    std::string bytes;
    errno = 0;
    const bool written = write(file.string());
    const int error = errno;
    if (written) {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    if (!written && error)
        throw systemFailure(Failure::Kind::CannotWrite, path, error);  // the file-size limit, a full disk
    if (!written || bytes.empty())
        throw Failure{.kind = Failure::Kind::CannotMake, .file = path, .item = "STEP"};
    return bytes;
}

void appendNumber(std::string& text, double value)
{
    std::array<char, 32> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::general, 10).ptr;
    text.append(buffer.data(), end);
}

}  // namespace

namespace {

// The triangles of `shape`, whose faces are `faces`, with its edges.
SolidMesh meshOf(const TopoDS_Shape& shape, const std::vector<NamedFace>& faces, double deflection, double angle)
{
    {
        BRepTools::Clean(shape);
        BRepMesh_IncrementalMesh mesher(shape, deflection, false, angle, true);  // faces in parallel
        if (!mesher.IsDone())
            throw solidFailure(Failure::Kind::SolidModelling, "the walls could not be divided into triangles");

        SolidMesh mesh;
        for (const NamedFace& named : faces) {
            TopLoc_Location location;
            const Handle(Poly_Triangulation) triangulation = BRep_Tool::Triangulation(named.face, location);
            if (triangulation.IsNull())
                throw solidFailure(Failure::Kind::SolidModelling, "a wall without triangles");
            if (!triangulation->HasUVNodes())
                throw solidFailure(Failure::Kind::SolidModelling, "a wall's triangles lie on no surface");
            const Handle(Geom_Surface) surface = BRep_Tool::Surface(named.face);
            triangulation->ComputeNormals();
            const bool reversed = named.face.Orientation() == TopAbs_REVERSED;
            const gp_Trsf transform = location.Transformation();
            const auto first = static_cast<std::uint32_t>(mesh.positions.size() / 3);
            for (int i = 1; i <= triangulation->NbNodes(); ++i) {
                const gp_Pnt p = triangulation->Node(i).Transformed(transform);
                // The surface's own normal; where it has none (at a pole), the triangles'.
                const gp_Pnt2d uv = triangulation->UVNode(i);
                GeomLProp_SLProps props(surface, uv.X(), uv.Y(), 1, 1e-9);
                gp_Dir n = props.IsNormalDefined() ? props.Normal() : triangulation->Normal(i).Transformed(transform);
                if (reversed)
                    n.Reverse();
                mesh.positions.insert(mesh.positions.end(), {float(p.X()), float(p.Y()), float(p.Z())});
                mesh.normals.insert(mesh.normals.end(), {float(n.X()), float(n.Y()), float(n.Z())});
            }
            for (int i = 1; i <= triangulation->NbTriangles(); ++i) {
                int a = 0, b = 0, c = 0;
                triangulation->Triangle(i).Get(a, b, c);
                if (reversed)
                    std::swap(b, c);
                mesh.triangles.insert(mesh.triangles.end(), {first + a - 1, first + b - 1, first + c - 1});
                mesh.walls.push_back(static_cast<std::uint8_t>(named.wall));
            }
        }
        TopTools_IndexedMapOfShape edges;
        TopExp::MapShapes(shape, TopAbs_EDGE, edges);
        for (int i = 1; i <= edges.Extent(); ++i) {
            const TopoDS_Edge& edge = TopoDS::Edge(edges(i));
            if (BRep_Tool::Degenerated(edge))
                continue;
            // The edge as the first face it bounds divided it.
            for (const NamedFace& named : faces) {
                TopLoc_Location location;
                const Handle(Poly_Triangulation) triangulation = BRep_Tool::Triangulation(named.face, location);
                const Handle(Poly_PolygonOnTriangulation) polygon =
                    BRep_Tool::PolygonOnTriangulation(edge, triangulation, location);
                if (polygon.IsNull())
                    continue;
                const gp_Trsf transform = location.Transformation();
                const TColStd_Array1OfInteger& nodes = polygon->Nodes();
                for (int k = nodes.Lower(); k < nodes.Upper(); ++k) {
                    for (const int node : {nodes(k), nodes(k + 1)}) {
                        const gp_Pnt p = triangulation->Node(node).Transformed(transform);
                        mesh.edges.insert(mesh.edges.end(), {float(p.X()), float(p.Y()), float(p.Z())});
                    }
                }
                break;
            }
        }
        return mesh;
    }
}

}  // namespace

SolidMesh meshSolid(const PassageSolid& solid, double deflection, double angle)
{
    try {
        return meshOf(solid.solid, solid.faces, deflection, angle);
    } catch (const Standard_Failure& e) {
        throw solidFailure(Failure::Kind::SolidModelling, e.GetMessageString());
    }
}

SolidMesh sectionMesh(const PassageSolid& solid, double phiDegrees, double deflection)
{
    try {
        Bnd_Box box;
        BRepBndLib::Add(solid.solid, box, false);
        const double reach = std::sqrt(box.SquareExtent()) + 1;
        const double phi = phiDegrees * std::numbers::pi / 180;
        const gp_Dir across(std::sin(phi), std::cos(phi), 0);
        const gp_Pln plane(gp_Ax3(gp_Pnt(0, 0, 0), across.Crossed(gp_Dir(0, 0, 1)), across));
        const TopoDS_Face cutter = BRepBuilderAPI_MakeFace(plane, -reach, reach, -reach, reach).Face();
        BRepAlgoAPI_Common cut(solid.solid, cutter);
        if (!cut.IsDone() || cut.HasErrors())
            throw solidFailure(Failure::Kind::SolidModelling, "the solid could not be cut");
        std::vector<NamedFace> faces;
        for (TopExp_Explorer f(cut.Shape(), TopAbs_FACE); f.More(); f.Next())
            faces.push_back({TopoDS::Face(f.Current()), Wall::Inlet});
        SolidMesh mesh = meshOf(cut.Shape(), faces, deflection, 0.5);
        std::fill(mesh.walls.begin(), mesh.walls.end(), kSectionWall);
        return mesh;
    } catch (const Standard_Failure& e) {
        throw solidFailure(Failure::Kind::SolidModelling, e.GetMessageString());
    }
}

void writeStep(const PassageSolid& solid, const std::string& path, const StepOptions& options)
{
    silenceKernel();
    std::string bytes;
    try {
        Handle(TDocStd_Document) document;
        XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", document);
        const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document->Main());

        TopoDS_Shape shape = solid.solid;
        if (options.wallsOnly) {
            TopoDS_Shell shell;
            BRep_Builder builder;
            builder.MakeShell(shell);
            for (const NamedFace& f : solid.faces)
                if (f.wall != Wall::Inlet && f.wall != Wall::Outlet)
                    builder.Add(shell, f.face);
            shape = shell;
        }
        const TDF_Label label = shapes->AddShape(shape, false);
        TDataStd_Name::Set(label, options.wallsOnly ? "passage_walls" : "passage");
        for (const NamedFace& f : solid.faces) {
            if (options.wallsOnly && (f.wall == Wall::Inlet || f.wall == Wall::Outlet))
                continue;
            const TDF_Label face = shapes->AddSubShape(label, f.face);
            if (!face.IsNull())
                TDataStd_Name::Set(face, TCollection_ExtendedString(std::string(wallName(f.wall)).c_str()));
        }

        STEPCAFControl_Writer writer;
        writer.SetNameMode(true);
        Interface_Static::SetCVal("write.step.schema", "AP214IS");
        Interface_Static::SetCVal("write.step.unit", "MM");
        Interface_Static::SetIVal("write.stepcaf.subshapes.name", 1);
        Interface_Static::SetCVal("write.step.product.name", "inlet passage");
        if (!writer.Transfer(document, STEPControl_AsIs))
            throw solidFailure(Failure::Kind::SolidModelling, "the solid could not be put into STEP terms");
        bytes = writtenBy([&](const std::string& file) { return writer.Write(file.c_str()) == IFSelect_RetDone; }, path);
    } catch (const Standard_Failure& e) {
        throw solidFailure(Failure::Kind::SolidModelling, e.GetMessageString());
    }
    saveFileAtomically(path, bytes);
}

void writeStl(const PassageSolid& solid, const std::string& path, const StlOptions& options)
{
    const SolidMesh mesh = meshSolid(solid, options.deflection);
    const double scale = options.metres ? 0.001 : 1;
    const auto point = [&](std::uint32_t index) {
        return std::array<double, 3>{mesh.positions[3 * index] * scale, mesh.positions[3 * index + 1] * scale,
                                     mesh.positions[3 * index + 2] * scale};
    };
    const auto normalOf = [&](std::size_t t) {
        const auto a = point(mesh.triangles[3 * t]), b = point(mesh.triangles[3 * t + 1]), c = point(mesh.triangles[3 * t + 2]);
        const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        std::array<double, 3> n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (double& x : n)
            x = length > 0 ? x / length : 0;
        return n;
    };
    const std::size_t count = mesh.walls.size();

    std::string bytes;
    {
        if (options.binary) {
            std::array<char, 80> header{};
            const std::string names = "inlet passage, mm or m; attribute = region: inlet outlet floor outer_wall roof bell guide_cone";
            std::memcpy(header.data(), names.data(), std::min(names.size(), header.size()));
            bytes.append(header.data(), header.size());
            const auto total = static_cast<std::uint32_t>(count);
            bytes.append(reinterpret_cast<const char*>(&total), 4);
            for (int wall = 0; wall < kWallCount; ++wall) {
                for (std::size_t t = 0; t < count; ++t) {
                    if (mesh.walls[t] != wall)
                        continue;
                    std::array<float, 12> values{};
                    const auto n = normalOf(t);
                    for (int k = 0; k < 3; ++k)
                        values[static_cast<std::size_t>(k)] = static_cast<float>(n[static_cast<std::size_t>(k)]);
                    for (int corner = 0; corner < 3; ++corner) {
                        const auto p = point(mesh.triangles[3 * t + static_cast<std::size_t>(corner)]);
                        for (int k = 0; k < 3; ++k)
                            values[static_cast<std::size_t>(3 + 3 * corner + k)] = static_cast<float>(p[static_cast<std::size_t>(k)]);
                    }
                    const auto attribute = static_cast<std::uint16_t>(wall);
                    bytes.append(reinterpret_cast<const char*>(values.data()), 48);
                    bytes.append(reinterpret_cast<const char*>(&attribute), 2);
                }
            }
        } else {
            std::string text;
            for (int wall = 0; wall < kWallCount; ++wall) {
                // A passage without a hub names none.
                if (wall == static_cast<int>(Wall::Hub)
                    && std::find(mesh.walls.begin(), mesh.walls.end(), wall) == mesh.walls.end())
                    continue;
                const std::string name(wallName(static_cast<Wall>(wall)));
                text.append("solid ").append(name).append("\n");
                for (std::size_t t = 0; t < count; ++t) {
                    if (mesh.walls[t] != wall)
                        continue;
                    const auto n = normalOf(t);
                    text.append("  facet normal ");
                    for (int k = 0; k < 3; ++k)
                        appendNumber(text.append(k ? " " : ""), n[static_cast<std::size_t>(k)]);
                    text.append("\n    outer loop\n");
                    for (int corner = 0; corner < 3; ++corner) {
                        const auto p = point(mesh.triangles[3 * t + static_cast<std::size_t>(corner)]);
                        text.append("      vertex ");
                        for (int k = 0; k < 3; ++k)
                            appendNumber(text.append(k ? " " : ""), p[static_cast<std::size_t>(k)]);
                        text.append("\n");
                    }
                    text.append("    endloop\n  endfacet\n");
                }
                text.append("endsolid ").append(name).append("\n");
                bytes += text;
                text.clear();
            }
        }
    }
    saveFileAtomically(path, bytes);
}

}  // namespace inlet
