#include "solid/PassageSolid.h"

#include "solid/SolidFailure.h"

#include <BRepAlgoAPI_Common.hxx>
#include <BRepBndLib.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepCheck_Shell.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <GProp_GProps.hxx>
#include <GeomAPI_Interpolate.hxx>
#include <Geom_BSplineCurve.hxx>
#include <Geom_Ellipse.hxx>
#include <Standard_Failure.hxx>
#include <TColgp_HArray1OfPnt.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <gp_Ax2.hxx>
#include <gp_Elips.hxx>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace inlet {

namespace {

constexpr double kPi = std::numbers::pi;

// A point of the section through the axis, (r, z), in the plane y = 0.
gp_Pnt inSection(Point p) { return {p.x, 0, p.y}; }

Point at(const EllipseArc& arc, double u)
{
    return {arc.centre.x + arc.rx * std::cos(u), arc.centre.y + arc.ry * std::sin(u)};
}

TopoDS_Vertex vertex(const gp_Pnt& p) { return BRepBuilderAPI_MakeVertex(p).Vertex(); }

TopoDS_Edge segment(const TopoDS_Vertex& from, const TopoDS_Vertex& to)
{
    BRepBuilderAPI_MakeEdge edge(from, to);
    if (!edge.IsDone())
        throw solidFailure(Failure::Kind::SolidModelling, "a straight wall of no length");
    return edge.Edge();
}

// The arc of the section from arc.start to arc.end, between two vertices at its ends.
TopoDS_Edge ellipseEdge(const EllipseArc& arc, const TopoDS_Vertex& from, const TopoDS_Vertex& to)
{
    // The ellipse's normal -y turns x toward z, as u turns in the section.
    const gp_Pnt centre = inSection(arc.centre);
    const gp_Dir normal(0, -1, 0);
    Handle(Geom_Ellipse) ellipse;
    double shift = 0;
    if (arc.rx >= arc.ry) {
        ellipse = new Geom_Ellipse(gp_Ax2(centre, normal, gp_Dir(1, 0, 0)), arc.rx, arc.ry);
    } else {
        // Major axis along z: the parameter runs a quarter turn behind u.
        ellipse = new Geom_Ellipse(gp_Ax2(centre, normal, gp_Dir(0, 0, 1)), arc.ry, arc.rx);
        shift = -kPi / 2;
    }
    BRepBuilderAPI_MakeEdge edge(ellipse, from, to, arc.start + shift, arc.end + shift);
    if (!edge.IsDone())
        throw solidFailure(Failure::Kind::SolidModelling, "an elliptical wall");
    return edge.Edge();
}

struct NamedEdge {
    TopoDS_Edge edge;
    std::optional<Wall> wall;  // none for the edge on the axis, which sweeps no face
};

// The section through the axis, turned once about the axis: the fluid in the pipe and under
// the roof out to `reach`, with the guide cone taken out. The outer walls come from the plan.
TopoDS_Shape revolvedSection(const SolidDesign& d, double reach, std::vector<NamedFace>& named)
{
    const Point coneInlet = at(d.bellMouth, d.bellMouth.start);
    const Point tangent = at(d.bellMouth, d.bellMouth.end);
    const Point coneTop = at(d.guideCone, d.guideCone.start);
    const Point foot = at(d.guideCone, d.guideCone.end);

    const TopoDS_Vertex outletCentre = vertex(inSection({0, d.top}));
    const TopoDS_Vertex outletRim = vertex(inSection({d.coneTop.x, d.top}));
    const TopoDS_Vertex pumpInlet = vertex(inSection(d.coneTop));
    const TopoDS_Vertex inlet = vertex(inSection(coneInlet));
    const TopoDS_Vertex tangentPoint = vertex(inSection(tangent));
    const TopoDS_Vertex roofLevel = vertex(inSection(d.roofLevel));
    const TopoDS_Vertex roofFar = vertex(inSection({reach, d.hk}));
    const TopoDS_Vertex floorFar = vertex(inSection({reach, 0}));
    const TopoDS_Vertex footFloor = vertex(inSection({foot.x, 0}));
    const TopoDS_Vertex footTop = vertex(inSection(foot));
    const TopoDS_Vertex guideTop = vertex(inSection(coneTop));
    const TopoDS_Vertex guideCentre = vertex(inSection({0, coneTop.y}));

    // A hub stands on the axis from the pump inlet section up through the outlet: the outlet is
    // the ring around it, the axis ends at the hub's flat end.
    const bool hub = d.hubRadius > 0 && d.top > d.pipeTop;
    const TopoDS_Vertex hubTop = hub ? vertex(inSection({d.hubRadius, d.top})) : outletCentre;
    const TopoDS_Vertex hubCorner = hub ? vertex(inSection({d.hubRadius, d.pipeTop})) : outletCentre;
    const TopoDS_Vertex hubCentre = hub ? vertex(inSection({0, d.pipeTop})) : outletCentre;

    std::vector<NamedEdge> edges;
    edges.push_back({segment(hubTop, outletRim), Wall::Outlet});
    if (d.top > d.pipeTop)
        edges.push_back({segment(outletRim, pumpInlet), Wall::Bell});
    edges.push_back({segment(d.top > d.pipeTop ? pumpInlet : outletRim, inlet), Wall::Bell});
    edges.push_back({ellipseEdge(d.bellMouth, inlet, tangentPoint), Wall::Bell});
    edges.push_back({segment(tangentPoint, roofLevel), Wall::Roof});
    edges.push_back({segment(roofLevel, roofFar), Wall::Roof});
    edges.push_back({segment(roofFar, floorFar), Wall::OuterWall});
    edges.push_back({segment(floorFar, footFloor), Wall::Floor});
    edges.push_back({segment(footFloor, footTop), Wall::GuideCone});
    edges.push_back({TopoDS::Edge(ellipseEdge(d.guideCone, guideTop, footTop).Reversed()), Wall::GuideCone});
    edges.push_back({segment(guideTop, guideCentre), Wall::GuideCone});
    edges.push_back({segment(guideCentre, hubCentre), std::nullopt});
    if (hub) {
        edges.push_back({segment(hubCentre, hubCorner), Wall::Hub});
        edges.push_back({segment(hubCorner, hubTop), Wall::Hub});
    }

    BRepBuilderAPI_MakeWire wire;
    for (const NamedEdge& e : edges)
        wire.Add(e.edge);
    if (!wire.IsDone())
        throw solidFailure(Failure::Kind::SolidModelling, "the section through the axis does not close");
    BRepBuilderAPI_MakeFace face(wire.Wire(), true);
    if (!face.IsDone())
        throw solidFailure(Failure::Kind::SolidModelling, "the section through the axis");

    BRepPrimAPI_MakeRevol revolved(face.Face(), gp_Ax1(gp_Pnt(0, 0, 0), gp_Dir(0, 0, 1)), 2 * kPi);
    revolved.Build();
    if (!revolved.IsDone())
        throw solidFailure(Failure::Kind::SolidModelling, "the section turned about the pump axis");
    // Turned a full turn, an edge of the section becomes the seam of the face it sweeps; an
    // edge across the axis sweeps a flat ring without a seam, found by its height and reach.
    for (TopExp_Explorer f(revolved.Shape(), TopAbs_FACE); f.More(); f.Next()) {
        const TopoDS_Face face = TopoDS::Face(f.Current());
        std::optional<Wall> wall;
        for (TopExp_Explorer edge(face, TopAbs_EDGE); edge.More() && !wall; edge.Next())
            for (const NamedEdge& e : edges)
                if (e.wall && e.edge.IsSame(edge.Current()))
                    wall = e.wall;
        if (!wall) {
            Bnd_Box box;
            BRepBndLib::Add(face, box, false);
            double x0, y0, z0, x1, y1, z1;
            box.Get(x0, y0, z0, x1, y1, z1);
            for (const NamedEdge& e : edges) {
                const gp_Pnt a = BRep_Tool::Pnt(TopExp::FirstVertex(e.edge));
                const gp_Pnt b = BRep_Tool::Pnt(TopExp::LastVertex(e.edge));
                const double tolerance = 1e-6 * (std::fabs(x1) + std::fabs(z1) + 1);
                if (e.wall && std::fabs(a.Z() - b.Z()) < tolerance && std::fabs(a.Z() - (z0 + z1) / 2) < tolerance
                    && std::fabs(std::max(a.X(), b.X()) - (x1 - x0) / 2) < 1e-3 * (x1 - x0))
                    wall = e.wall;
            }
        }
        if (wall)
            named.push_back({face, *wall});
    }
    return revolved.Shape();
}

Handle(Geom_BSplineCurve) planCurve(const std::vector<Point>& points, double z, bool mirrored)
{
    const int n = static_cast<int>(points.size());
    Handle(TColgp_HArray1OfPnt) poles = new TColgp_HArray1OfPnt(1, n);
    for (int i = 0; i < n; ++i) {
        const Point& p = mirrored ? points[static_cast<std::size_t>(n - 1 - i)] : points[static_cast<std::size_t>(i)];
        poles->SetValue(i + 1, gp_Pnt(mirrored ? -p.x : p.x, p.y, z));
    }
    GeomAPI_Interpolate interpolate(poles, false, 1e-9);
    interpolate.Perform();
    if (!interpolate.IsDone())
        throw solidFailure(Failure::Kind::SolidModelling, "the outer wall in plan");
    return interpolate.Curve();
}

// The plan from below the floor to above the outlet: the outer wall round the back through
// every station, the straight side walls at +-B/2 and the inlet across them.
TopoDS_Shape planPrism(const SolidDesign& d, double below, double above, std::vector<NamedFace>& named)
{
    const Point back = d.planWall.front();
    const Point side = d.planWall.back();
    const TopoDS_Vertex left = vertex({-side.x, side.y, below});
    const TopoDS_Vertex rear = vertex({back.x, back.y, below});
    const TopoDS_Vertex right = vertex({side.x, side.y, below});
    const TopoDS_Vertex rightInlet = vertex({side.x, -d.length, below});
    const TopoDS_Vertex leftInlet = vertex({-side.x, -d.length, below});

    const auto curveEdge = [](const Handle(Geom_BSplineCurve)& curve, const TopoDS_Vertex& from, const TopoDS_Vertex& to) {
        BRepBuilderAPI_MakeEdge edge(curve, from, to);
        if (!edge.IsDone())
            throw solidFailure(Failure::Kind::SolidModelling, "the outer wall in plan");
        return edge.Edge();
    };
    const std::vector<NamedEdge> edges{
        {curveEdge(planCurve(d.planWall, below, true), left, rear), Wall::OuterWall},
        {curveEdge(planCurve(d.planWall, below, false), rear, right), Wall::OuterWall},
        {segment(right, rightInlet), Wall::OuterWall},
        {segment(rightInlet, leftInlet), Wall::Inlet},
        {segment(leftInlet, left), Wall::OuterWall},
    };
    BRepBuilderAPI_MakeWire wire;
    for (const NamedEdge& e : edges)
        wire.Add(e.edge);
    if (!wire.IsDone())
        throw solidFailure(Failure::Kind::SolidModelling, "the plan does not close");
    BRepBuilderAPI_MakeFace face(wire.Wire(), true);
    if (!face.IsDone())
        throw solidFailure(Failure::Kind::SolidModelling, "the plan");
    BRepPrimAPI_MakePrism prism(face.Face(), gp_Vec(0, 0, above - below));
    prism.Build();
    if (!prism.IsDone())
        throw solidFailure(Failure::Kind::SolidModelling, "the plan raised to the outlet");
    for (const NamedEdge& e : edges)
        for (const TopoDS_Shape& f : prism.Generated(e.edge))
            if (f.ShapeType() == TopAbs_FACE)
                named.push_back({TopoDS::Face(f), *e.wall});
    return prism.Shape();
}

[[noreturn]] void unsound(const char* what)
{
    throw solidFailure(Failure::Kind::SolidNotSound, what);
}

// One solid of one closed shell, valid, every face named.
void check(const PassageSolid& s, int faceCount)
{
    if (!BRepCheck_Analyzer(s.solid).IsValid())
        unsound("not valid");
    TopTools_IndexedMapOfShape solids, shells;
    TopExp::MapShapes(s.solid, TopAbs_SOLID, solids);
    TopExp::MapShapes(s.solid, TopAbs_SHELL, shells);
    if (solids.Extent() != 1)
        unsound("not one solid");
    if (shells.Extent() != 1)
        unsound("not one shell");
    BRepCheck_Shell shell(TopoDS::Shell(shells(1)));
    if (shell.Closed() != BRepCheck_NoError)
        unsound("the shell is not closed");
    if (static_cast<int>(s.faces.size()) != faceCount)
        unsound("a face belongs to no wall");
    if (!(s.figures.volume > 0) || !(s.figures.inletArea > 0) || !(s.figures.outletArea > 0))
        unsound("no volume, or no inlet or outlet");
}

}  // namespace

PassageSolid buildPassageSolid(const SolidDesign& d)
{
    try {
        const Point side = d.planWall.back();
        const double reach = 1.1 * std::hypot(side.x, d.length) + d.top;
        const double margin = 0.05 * d.top;

        std::vector<NamedFace> parts;
        const TopoDS_Shape revolved = revolvedSection(d, reach, parts);
        // Above the roof as well where the roof stands above the outlet (hk above H, which the
        // checks warn of): a face of the prism's top would otherwise close the solid unnamed.
        const TopoDS_Shape prism = planPrism(d, -margin, std::max(d.top, d.hk) + margin, parts);

        BRepAlgoAPI_Common common(revolved, prism);
        if (!common.IsDone() || common.HasErrors())
            throw solidFailure(Failure::Kind::SolidModelling, "the plan and the section do not meet in one solid");

        PassageSolid s;
        s.solid = common.Shape();
        TopTools_IndexedMapOfShape faces;
        TopExp::MapShapes(s.solid, TopAbs_FACE, faces);
        std::vector<bool> namedYet(static_cast<std::size_t>(faces.Extent()) + 1, false);
        const auto name = [&](const TopoDS_Shape& f, Wall wall) {
            const int index = faces.FindIndex(f);
            if (index > 0 && !namedYet[static_cast<std::size_t>(index)]) {
                namedYet[static_cast<std::size_t>(index)] = true;
                s.faces.push_back({TopoDS::Face(faces(index)), wall});
            }
        };
        for (const NamedFace& part : parts) {
            name(part.face, part.wall);
            for (const TopoDS_Shape& f : common.Modified(part.face))
                name(f, part.wall);
        }

        for (const NamedFace& f : s.faces) {
            GProp_GProps props;
            BRepGProp::SurfaceProperties(f.face, props);
            const double area = props.Mass();
            if (f.wall == Wall::Inlet)
                s.figures.inletArea += area;
            else if (f.wall == Wall::Outlet)
                s.figures.outletArea += area;
            else
                s.figures.wettedArea += area;
        }
        GProp_GProps props;
        BRepGProp::VolumeProperties(s.solid, props);
        s.figures.volume = props.Mass();
        check(s, faces.Extent());
        return s;
    } catch (const Standard_Failure& e) {
        throw solidFailure(Failure::Kind::SolidModelling, e.GetMessageString());
    }
}

}  // namespace inlet
