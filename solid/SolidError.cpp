#include "SolidError.h"

#include "Figures.h"
#include "Walls.h"

namespace inlet {

namespace {

std::string mm(double value) { return wholeMillimetres(value) + " mm"; }

}  // namespace

std::string_view wallName(Wall wall)
{
    switch (wall) {
    case Wall::Inlet: return "inlet";
    case Wall::Outlet: return "outlet";
    case Wall::Floor: return "floor";
    case Wall::OuterWall: return "outer_wall";
    case Wall::Roof: return "roof";
    case Wall::Bell: return "bell";
    case Wall::GuideCone: return "guide_cone";
    }
    return "wall";
}

std::string SolidError::english() const
{
    switch (fault) {
    case SolidFault::NoSectionShape:
        return "no solid: hk " + mm(figure) + " is not above the tangent point's height bp, so no section has an upper wall";
    case SolidFault::WidthBelowAp:
        return "no solid: the volute width " + subject + " is " + mm(figure) + ", less than ap " + mm(limit)
               + ": the outer wall meets the bell mouth below the tangent point";
    case SolidFault::BackWallOnGuideCone:
        return "no solid: the outer wall at " + subject + " stands " + mm(figure)
               + " from the pump axis, within the guide cone's foot or the pipe (" + mm(limit) + ")";
    case SolidFault::NoWidth:
        return "no solid: the widths chosen have no width " + subject;
    case SolidFault::ProfileNotUsable:
        return "no solid: " + subject + " is " + mm(figure) + ": the wall it shapes cannot be built";
    case SolidFault::ProfilesCross:
        return "no solid: the guide cone reaches through the bell-mouth wall, by up to " + mm(figure);
    case SolidFault::GuideConeAboveConeInlet:
        return "no solid: the guide cone's top lies " + mm(figure) + " above the cone inlet";
    case SolidFault::PassageTooShort:
        return "no solid: the passage length " + mm(figure) + " does not reach beyond where the roof is level ("
               + mm(limit) + " from the pump axis)";
    case SolidFault::BadOption:
        return "no solid: the " + std::string(subject == "L" ? "passage length L" : "outlet extension") + " "
               + mm(figure) + " is not usable";
    case SolidFault::Modelling:
        return "no solid: the modelling kernel could not build it (" + detail + ")";
    case SolidFault::NotSound:
        return "no solid: the solid built is not sound (" + detail + "), so nothing is written";
    case SolidFault::Unavailable:
        return "no solid: this build cannot make solids (" + detail + ")";
    case SolidFault::Write:
        return "cannot write " + subject + ": " + detail;
    }
    return "no solid";
}

std::string SolidError::chinese() const
{
    switch (fault) {
    case SolidFault::NoSectionShape:
        return "无法生成实体：hk = " + mm(figure) + " 不高于切点高度 bp，断面无上壁面";
    case SolidFault::WidthBelowAp:
        return "无法生成实体：蜗壳宽度" + subject + "为 " + mm(figure) + "，小于 ap = " + mm(limit)
               + "：外壁与喇叭口相交于切点以下";
    case SolidFault::BackWallOnGuideCone:
        return "无法生成实体：" + subject + "处外壁距水泵轴线 " + mm(figure) + "，伸入导水锥底脚或管内（"
               + mm(limit) + "）";
    case SolidFault::NoWidth:
        return "无法生成实体：所选断面宽度中没有" + subject;
    case SolidFault::ProfileNotUsable:
        return "无法生成实体：" + subject + " = " + mm(figure) + "，其壁面无法生成";
    case SolidFault::ProfilesCross:
        return "无法生成实体：导水锥穿过喇叭管壁面，最大重叠 " + mm(figure);
    case SolidFault::GuideConeAboveConeInlet:
        return "无法生成实体：导水锥顶高出锥管进口 " + mm(figure);
    case SolidFault::PassageTooShort:
        return "无法生成实体：流道长度 " + mm(figure) + " 未超出顶板水平段起点（距水泵轴线 " + mm(limit) + "）";
    case SolidFault::BadOption:
        return "无法生成实体：" + std::string(subject == "L" ? "流道长度 L" : "出口延伸段长度") + " " + mm(figure)
               + " 不可用";
    case SolidFault::Modelling:
        return "无法生成实体：建模失败（" + detail + "）";
    case SolidFault::NotSound:
        return "实体检查未通过（" + detail + "），未写出文件";
    case SolidFault::Unavailable:
        return "本程序无法生成实体（" + detail + "）";
    case SolidFault::Write:
        return "无法写入 " + subject + "：" + detail;
    }
    return "无法生成实体";
}

}  // namespace inlet
