#include "dxf/DxfObjects.h"

#include <utility>
#include <vector>

namespace inlet {

namespace {

// The handles dxflib's tables already refer to (or that the named objects take).
constexpr int kRoot = 0xC;
constexpr int kGroups = 0xD;
constexpr int kPlotStyles = 0xE;
constexpr int kNormalPlotStyle = 0xF;
constexpr int kMultilineStyles = 0x17;
constexpr int kStandardMultilineStyle = 0x18;
constexpr int kPlotSettings = 0x19;
constexpr int kLayouts = 0x1A;
constexpr int kPaperSpaceBlock = 0x1B;
constexpr int kPaperSpaceLayout = 0x1E;
constexpr int kModelSpaceBlock = 0x1F;
constexpr int kModelSpaceLayout = 0x22;
constexpr int kPaperSpace0Block = 0x23;
constexpr int kPaperSpace0Layout = 0x26;

// An object's head: its type, handle and owner. dxflib writes none of the owners, and a
// reader's audit then repairs each object but the root (whose owner is 0).
void head(DL_WriterA& dw, const char* type, int handle, int owner)
{
    dw.dxfString(0, type);
    dw.dxfHex(5, handle);
    dw.dxfHex(330, owner);
}

void dictionary(DL_WriterA& dw, int handle, int owner, const std::vector<std::pair<const char*, int>>& entries)
{
    head(dw, "DICTIONARY", handle, owner);
    dw.dxfString(100, "AcDbDictionary");
    dw.dxfInt(280, 0);
    dw.dxfInt(281, 1);
    for (const auto& [name, entry] : entries) {
        dw.dxfString(3, name);
        dw.dxfHex(350, entry);
    }
}

// A layout without plot settings of its own, shown by its block `block`: the model space's
// (`model`) or a paper space's, 1 the first.
void layout(DL_WriterA& dw, int handle, const char* name, int order, int block, bool model)
{
    head(dw, "LAYOUT", handle, kLayouts);
    dw.dxfString(100, "AcDbPlotSettings");
    dw.dxfString(1, "");
    dw.dxfString(2, "none_device");
    dw.dxfString(4, "");
    dw.dxfString(6, "");
    for (int code = 40; code <= 49; ++code)
        dw.dxfReal(code, 0.0);
    dw.dxfReal(140, 0.0);
    dw.dxfReal(141, 0.0);
    dw.dxfReal(142, 1.0);
    dw.dxfReal(143, 1.0);
    dw.dxfInt(70, model ? 1712 : 688);
    dw.dxfInt(72, 0);
    dw.dxfInt(73, 0);
    dw.dxfInt(74, model ? 0 : 5);
    dw.dxfString(7, "");
    dw.dxfInt(75, model ? 0 : 16);
    dw.dxfReal(147, 1.0);
    dw.dxfReal(148, 0.0);
    dw.dxfReal(149, 0.0);
    dw.dxfString(100, "AcDbLayout");
    dw.dxfString(1, name);
    dw.dxfInt(70, 1);
    dw.dxfInt(71, order);
    const bool paper = order == 1;
    const auto point = [&dw](int code, double x, double y) {
        dw.dxfReal(code, x);
        dw.dxfReal(code + 10, y);
    };
    const auto point3 = [&dw](int code, double x, double y, double z) {
        dw.dxfReal(code, x);
        dw.dxfReal(code + 10, y);
        dw.dxfReal(code + 20, z);
    };
    // The paper space's limits (A3) and an empty extent.
    const double far = paper ? 1e20 : 0.0;
    point(10, 0.0, 0.0);
    point(11, paper ? 420.0 : 12.0, paper ? 297.0 : 9.0);
    point3(12, 0.0, 0.0, 0.0);
    point3(14, far, far, far);
    const double low = paper ? -1e20 : 0.0;
    point3(15, low, low, low);
    dw.dxfReal(146, 0.0);
    point3(13, 0.0, 0.0, 0.0);
    point3(16, 1.0, 0.0, 0.0);
    point3(17, 0.0, 1.0, 0.0);
    dw.dxfInt(76, 0);
    dw.dxfHex(330, block);
}

}  // namespace

void writeObjects(DL_WriterA& dw)
{
    // The dimension variables take the handles after the last entity's.
    const int variables = static_cast<int>(dw.getNextHandle());
    const int dimassoc = variables + 1;
    const int hidetext = variables + 2;

    dw.sectionObjects();
    dictionary(dw, kRoot, 0,
               {{"ACAD_GROUP", kGroups},
                {"ACAD_LAYOUT", kLayouts},
                {"ACAD_MLINESTYLE", kMultilineStyles},
                {"ACAD_PLOTSETTINGS", kPlotSettings},
                {"ACAD_PLOTSTYLENAME", kPlotStyles},
                {"AcDbVariableDictionary", variables}});
    dictionary(dw, kGroups, kRoot, {});

    head(dw, "ACDBDICTIONARYWDFLT", kPlotStyles, kRoot);
    dw.dxfString(100, "AcDbDictionary");
    dw.dxfInt(281, 1);
    dw.dxfString(3, "Normal");
    dw.dxfHex(350, kNormalPlotStyle);
    dw.dxfString(100, "AcDbDictionaryWithDefault");
    dw.dxfHex(340, kNormalPlotStyle);
    head(dw, "ACDBPLACEHOLDER", kNormalPlotStyle, kPlotStyles);

    dictionary(dw, kMultilineStyles, kRoot, {{"Standard", kStandardMultilineStyle}});
    head(dw, "MLINESTYLE", kStandardMultilineStyle, kMultilineStyles);
    dw.dxfString(100, "AcDbMlineStyle");
    dw.dxfString(2, "STANDARD");
    dw.dxfInt(70, 0);
    dw.dxfString(3, "");
    dw.dxfInt(62, 256);
    dw.dxfReal(51, 90.0);
    dw.dxfReal(52, 90.0);
    dw.dxfInt(71, 2);
    for (const double offset : {0.5, -0.5}) {
        dw.dxfReal(49, offset);
        dw.dxfInt(62, 256);
        dw.dxfString(6, "BYLAYER");
    }

    dictionary(dw, kPlotSettings, kRoot, {});
    dictionary(dw, kLayouts, kRoot,
               {{"Layout1", kPaperSpaceLayout}, {"Layout2", kPaperSpace0Layout}, {"Model", kModelSpaceLayout}});
    layout(dw, kPaperSpaceLayout, "Layout1", 1, kPaperSpaceBlock, false);
    layout(dw, kModelSpaceLayout, "Model", 0, kModelSpaceBlock, true);
    layout(dw, kPaperSpace0Layout, "Layout2", 2, kPaperSpace0Block, false);

    // Associative dimensions; hidden text as AutoCAD's default.
    dictionary(dw, variables, kRoot, {{"DIMASSOC", dimassoc}, {"HIDETEXT", hidetext}});
    for (const auto& [handle, value] : {std::pair{dimassoc, "1"}, std::pair{hidetext, "2"}}) {
        head(dw, "DICTIONARYVAR", handle, variables);
        dw.dxfString(100, "DictionaryVariables");
        dw.dxfInt(280, 0);
        dw.dxfString(1, value);
    }
    dw.sectionEnd();
}

}  // namespace inlet
