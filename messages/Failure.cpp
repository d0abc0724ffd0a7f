#include "messages/Failure.h"

#include "messages/MessageText.h"
#include "platform/Utf8.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace inlet {

namespace {

using enum Failure::Kind;

struct Words {
    Failure::Kind kind;
    std::string_view chinese;
    std::string_view english;
};

// One row per kind, in the order of the enumeration.
constexpr std::array kWords{
    // {where} brings its own separator, so that a failure without a place names its kind alone
    // (as the design checks do).
    Words{TypeMismatch, "类型不匹配{where}", "type mismatch{where}"},
    Words{Overflow, "溢出{where}", "overflow{where}"},
    Words{DivisionByZero, "除数为零{where}", "division by zero{where}"},
    Words{InvalidCall, "无效的过程调用或参数{where}", "invalid procedure call or argument{where}"},

    Words{CannotOpen, "无法打开“{file}”：{reason}", "cannot open '{file}': {reason}"},
    Words{CannotRead, "无法读取“{file}”：{reason}", "cannot read '{file}': {reason}"},
    Words{ReadFailedAfterLine, "无法读取{source}第 {line} 行之后的内容：{reason}",
          "cannot read {source} after line {line}: {reason}"},
    Words{IsFolder, "“{file}”是文件夹，不是文件", "'{file}' is a folder, not a file"},
    Words{IsDevice, "“{file}”是设备，不是文件", "'{file}' is a device, not a file"},
    Words{IsPipe, "“{file}”是管道，不是文件", "'{file}' is a pipe, not a file"},
    Words{NothingArrived, "“{file}”在 {number} 秒内没有送来任何数据（管道的另一端没有写入）",
          "nothing arrived from '{file}' within {number} s (nothing writes to the other end of the pipe)"},
    Words{ReadTooLarge, "设计文件“{file}”过大（{number} 字节，最多 {limit} 字节）",
          "design file '{file}' is too large ({number} bytes, at most {limit})"},
    Words{StreamTooLarge, "从“{file}”读到的数据超过 {limit} 字节，多于设计文件所能容纳",
          "'{file}' gives more than {limit} bytes, more than a design file holds"},
    Words{DesignNotUtf8, "设计文件“{file}”不是有效的 UTF-8 文本", "design file '{file}' is not valid UTF-8 text"},
    Words{DesignNotJson, "设计文件“{file}”不是 JSON 格式（第 {number} 个字节处）",
          "design file '{file}' is not JSON (at byte {number})"},
    Words{DesignNestedTooDeep, "设计文件“{file}”的 JSON 嵌套超过 {limit} 层（第 {number} 个字节处），本程序无法读取",
          "design file '{file}' holds JSON nested more than {limit} levels deep (at byte {number}), deeper than this "
          "program reads"},
    Words{DesignNumberOutOfRange, "设计文件“{file}”中的数 {item} 超出可表示的范围（第 {number} 个字节处）",
          "design file '{file}' holds the number {item}, beyond the range a number can hold here (at byte {number})"},
    Words{NotADesign, "“{file}”不是进水流道设计文件（缺少 \"format\": \"inlet-design\"）",
          "'{file}' is not an inlet passage design (no \"format\": \"inlet-design\")"},
    Words{FormatVersionUnreadable, "设计文件“{file}”的格式版本“{item}”无法识别",
          "design file '{file}' has a format version '{item}' that is not a version"},
    Words{FormatVersionNewer, "设计文件“{file}”的格式版本 {item} 比本程序支持的 {number}.x 新，请用新版程序打开",
          "design file '{file}' has format version {item}, newer than the {number}.x this program reads"},
    Words{FieldMissing, "设计文件“{file}”缺少字段 {item}", "design file '{file}' lacks the field {item}"},
    Words{FieldNotText, "设计文件“{file}”的字段 {item} 应为文本", "design file '{file}' has {item} that is not a text"},
    Words{FieldNotObject, "设计文件“{file}”的字段 {item} 应为对象", "design file '{file}' has {item} that is not an object"},
    Words{FieldNotOneOf, "设计文件“{file}”的字段 {item} 应为以下之一：{other}",
          "design file '{file}' has {item} that is none of {other}"},
    Words{FloorElevationNotANumber, "设计文件“{file}”的底板高程“{other}”不是数字",
          "design file '{file}' has a floor elevation '{other}' that is not a number"},
    Words{TextTooLong, "设计文件“{file}”中 {item} 的文本过长（{number} 个字符，最多 {limit} 个）",
          "design file '{file}' has a text of {number} characters in {item} (at most {limit})"},
    Words{TextHasNul, "设计文件“{file}”中 {item} 含有空字符", "design file '{file}' has a NUL character in {item}"},
    Words{TextHasInvalidChar, "设计文件“{file}”中 {item} 含有无效字符",
          "design file '{file}' has an invalid character in {item}"},
    Words{SaveTextTooLong, "无法保存设计文件“{file}”：{item} 的文本过长（{number} 个字符，最多 {limit} 个）",
          "cannot save design file '{file}': the text of {item} is {number} characters long (at most {limit})"},
    Words{SaveTextHasNul, "无法保存设计文件“{file}”：{item} 含有空字符，请删去后再保存",
          "cannot save design file '{file}': {item} holds a NUL character; delete it and save again"},
    Words{SaveTextHasInvalidChar, "无法保存设计文件“{file}”：{item} 含有无效字符，请删去后再保存",
          "cannot save design file '{file}': {item} holds an invalid character; delete it and save again"},
    Words{SaveFloorElevationNotANumber, "无法保存设计文件“{file}”：底板高程“{other}”不是数字",
          "cannot save design file '{file}': the floor elevation '{other}' is not a number"},
    Words{SaveTooLarge, "无法保存设计文件“{file}”：文件将有 {number} 字节，超过设计文件最多的 {limit} 字节",
          "cannot save design file '{file}': it would be {number} bytes, more than the {limit} a design file may have"},
    Words{CannotSaveDesign, "无法保存设计文件“{file}”：{reason}", "cannot save design file '{file}': {reason}"},

    Words{CannotWrite, "无法写入“{file}”：{reason}", "cannot write '{file}': {reason}"},
    Words{FolderNotWritable, "无法写入“{file}”：文件夹“{other}”不可写入（{reason}），请另存到其他文件夹",
          "cannot write '{file}': the folder '{other}' is not writable ({reason}); save to another folder"},
    Words{NotAFileName, "无法写入“{file}”：没有文件名", "cannot write '{file}': it names no file"},
    Words{NotARegularFile, "无法写入“{file}”：它不是普通文件，不会被替换",
          "cannot write '{file}': it is not a regular file, and is not replaced"},
    Words{ReservedDeviceName, "无法写入“{file}”：Windows 将名称 {item} 保留给设备",
          "cannot write '{file}': Windows reserves the name {item} for a device"},
    Words{NothingToDraw, "无法写入“{file}”：没有图形可导出（计算未完成）",
          "cannot write '{file}': there is no drawing to export (the calculation did not complete)"},
    Words{UnsupportedFormat, "无法写入“{file}”：不支持的文件类型“.{item}”（可导出 {other}）",
          "cannot write '{file}': files of type '.{item}' are not written (only {other})"},
    Words{ImageTooLarge, "无法写入“{file}”：图像尺寸 {item} 像素超出 1～{limit}",
          "cannot write '{file}': a picture of {item} pixels is beyond 1 to {limit}"},
    Words{OutOfMemory, "内存不足：{file}", "out of memory: {file}"},
    Words{CannotMake, "无法写入“{file}”：无法生成 {item}", "cannot write '{file}': the {item} could not be made"},
    Words{SheetTooLong, "计算书将有 {number} 页，多于 {limit} 页：请缩短设计信息中的长文字（如备注）",
          "the calculation sheet would run to {number} pages, more than {limit}: shorten the long texts of the design "
          "information (such as the notes)"},
    Words{ModuleMissing, "找不到模块 {item}（{detail}）", "the module {item} is missing ({detail})"},
    Words{WorkbookNotMade, "无法写入“{file}”：无法生成工作簿（{detail}）", "cannot write '{file}': the workbook could not be made ({detail})"},
    Words{WorkbookCellNotWritten, "无法写入“{file}”：无法写入工作表“{item}”的单元格 {other}（{detail}）",
          "cannot write '{file}': the cell {other} of the sheet '{item}' could not be written ({detail})"},
    Words{PrinterFailed, "无法在打印机“{item}”上输出计算书", "the calculation sheet could not be printed on '{item}'"},
    Words{SheetOfIncompleteRun, "设计“{file}”的计算未完成，“{other}”写到计算停止之处",
          "the calculation of '{file}' did not complete; '{other}' shows how far it came"},
    Words{NoDrawingOfIncompleteRun, "设计“{file}”的计算未完成，不写出图形“{other}”",
          "the calculation of '{file}' did not complete; no drawing '{other}' is written"},
    Words{DrawingNotFinite, "图形中有不是有限数的坐标", "the drawing has a coordinate that is not a finite number"},
    Words{DrawingBeyondReach, "图形距原点 {other} mm，超出 DXF 坐标保持 0.01 mm 精度的 {detail} mm",
          "the drawing reaches {other} mm from its origin, beyond the {detail} mm within which a DXF "
          "coordinate holds 0.01 mm"},
    Words{Cancelled, "已取消", "cancelled"},
    Words{SolidNoSectionShape, "无法生成实体：hk = {other} mm 不高于切点高度 bp，断面无上壁面",
          "no solid: hk {other} mm is not above the tangent point's height bp, so no section has an upper wall"},
    Words{SolidWidthBelowAp, "无法生成实体：蜗壳宽度{item}为 {other} mm，小于 ap = {detail} mm：外壁与喇叭口相交于切点以下",
          "no solid: the volute width {item} is {other} mm, less than ap {detail} mm: the outer wall meets the bell "
          "mouth below the tangent point"},
    Words{SolidBackWallOnGuideCone, "无法生成实体：{item}处外壁距水泵轴线 {other} mm，伸入导水锥底脚或管内（{detail} mm）",
          "no solid: the outer wall at {item} stands {other} mm from the pump axis, within the guide cone's foot or "
          "the pipe ({detail} mm)"},
    Words{SolidNoWidth, "无法生成实体：所选断面宽度中没有{item}", "no solid: the widths chosen have no width {item}"},
    Words{SolidProfileNotUsable, "无法生成实体：{item} = {other} mm，其壁面无法生成",
          "no solid: {item} is {other} mm: the wall it shapes cannot be built"},
    Words{SolidProfilesCross, "无法生成实体：导水锥穿过喇叭管壁面，最大重叠 {other} mm",
          "no solid: the guide cone reaches through the bell-mouth wall, by up to {other} mm"},
    Words{SolidGuideConeAboveConeInlet, "无法生成实体：导水锥顶高出锥管进口 {other} mm",
          "no solid: the guide cone's top lies {other} mm above the cone inlet"},
    Words{SolidPassageTooShort, "无法生成实体：流道长度 {other} mm 未超出顶板水平段起点（距水泵轴线 {detail} mm）",
          "no solid: the passage length {other} mm does not reach beyond where the roof is level ({detail} mm from "
          "the pump axis)"},
    Words{SolidLengthNotUsable, "无法生成实体：流道长度 L {other} mm 不可用", "no solid: the passage length L {other} mm is not usable"},
    Words{SolidLengthNotGiven, "无法生成实体：流道长度 L 的文本“{other}”读不出长度",
          "no solid: the passage length L's text “{other}” gives no length"},
    Words{SolidExtensionNotUsable, "无法生成实体：出口延伸段长度 {other} mm 不可用",
          "no solid: the outlet extension {other} mm is not usable"},
    Words{SolidModelling, "无法生成实体：建模失败（{detail}）", "no solid: the modelling kernel could not build it ({detail})"},
    Words{SolidNotSound, "实体检查未通过（{detail}），未写出文件", "no solid: the solid built is not sound ({detail}), so nothing is written"},
    Words{FlowFolderNotAFolder, "算例文件夹“{file}”不是文件夹", "the case folder '{file}' is not a folder"},
    Words{FlowFolderNotACase, "算例文件夹“{file}”不空，且其中不是水力计算的算例：请给出空的或新的文件夹",
          "the case folder '{file}' is not empty and holds no flow case; give an empty or new folder"},
    Words{FlowFolderOtherCase, "算例文件夹“{file}”中是另一设计或网格的算例（见其中的文件 case）：加 --force 可替换它",
          "the case folder '{file}' holds the case of another design or mesh (its file 'case' says which); give "
          "--force to replace it"},
    Words{FlowCannotCreateFolder, "无法创建算例文件夹“{file}”：{reason}", "cannot create the case folder '{file}': {reason}"},
    Words{FlowNoOpenFoam, "未安装 OpenFOAM（PATH 中没有 {item}）；在 Debian 或 Ubuntu 上：sudo apt-get install openfoam openmpi-bin",
          "OpenFOAM is not installed ({item} is not on PATH); on Debian or Ubuntu: sudo apt-get install openfoam "
          "openmpi-bin"},
    Words{FlowDesignFlowNotPositive, "设计流量 Q“{other}”不是以 m³/s 计的正数",
          "the design flow Q '{other}' is not a positive number of m3/s"},
    Words{FlowNeedsSolid, "本程序无法生成流道的实体，而水力计算需要它",
          "this build cannot model the passage as a solid, which the flow needs"},
    Words{FlowProgramNotStarted, "无法启动 {item}", "{item} could not be started"},
    Words{FlowProgramFailed, "{item} 失败，退出状态 {number}（{other} 的末尾：{detail}）",
          "{item} failed with status {number} ({other}: {detail})"},
    Words{FlowProgramKilled, "{item} 被信号 {number} 终止（{other} 的末尾：{detail}）",
          "{item} was killed by signal {number} ({other}: {detail})"},
    Words{FlowMeshNotSound, "网格未通过检查（见 {other}）", "the mesh failed its checks ({other})"},
    Words{FlowResidualNotFinite, "计算发散：{item} 的残差不是有限数（见 {other}）",
          "the solution diverged: the residual of {item} is not finite ({other})"},
    Words{FlowSpeedTooHigh, "计算发散：最大流速达到 {detail} m/s，超过进口平均流速的 100 倍（见 {other}）",
          "the solution diverged: the largest speed reached {detail} m/s, over 100 times the inlet's ({other})"},
    Words{FlowSolverError, "求解器报错：{detail}（见 {other}）", "the solver stopped: {detail} ({other})"},
    Words{FlowNoWallYPlus, "壁面上没有取到 y+", "no wall y+ was sampled"},
    Words{FlowNoResults, "“{file}”中没有计算结果：作业没有运行到最后", "no results in '{file}': the job did not run to its end"},
    Words{FlowEarlierFailure, "算例文件夹“{file}”中上次的计算失败（原因见其中的文件 results）",
          "the last run in the case folder '{file}' failed (its file 'results' says why)"},
    Words{FlowUnexpected, "意外错误：{detail}", "unexpected error: {detail}"},
    // The cells a process needs are kFlowCellsPerProcess (cfd/ProcessCount.h).
    Words{FlowTooManyProcesses, "{item} {number} 过多：本机有 {other} 个处理器核，网格约 {detail} 个单元，"
                                "每个进程至少要有 10000 个单元，最多可用 {limit} 个进程",
          "{item} {number} is too many: {other} cores here and about {detail} cells, at least 10000 cells a "
          "process, allow at most {limit}"},
    Words{FlowTooManyProcessesForCells, "{item} {number} 过多：网格约 {detail} 个单元，每个进程至少要有 10000 个单元，最多可用 {limit} 个进程",
          "{item} {number} is too many: about {detail} cells, at least 10000 cells a process, allow at most {limit}"},
    Words{FlowSectionArea, "断面 {item} 不是其所在的管道：取样面积 {detail} m²，管道断面 {other} m²，相差超过 {number}%",
          "the section {item} is not the pipe it names: it samples {detail} m2 where the pipe's section is {other} m2, "
          "more than {number} % apart"},
    Words{FlowSectionFlow, "断面 {item} 的流量 {detail} m³/s 与设计流量 {other} m³/s 相差超过 {number}%（连续性不满足）",
          "{detail} m3/s pass the section {item} where {other} m3/s are given: more than {number} % apart (continuity)"},
    Words{FlowSectionUniformity, "断面 {item} 的 Vu 为 {detail}%，不在 0～100% 之内（回流占面积 {other}%）",
          "the section {item} gives Vu {detail} %, outside 0 to 100 % (backflow over {other} % of its area)"},
    Words{FlowRoofAbovePumpInlet, "流道顶板高 hk = {detail} mm，高于水泵进口断面 H = {other} mm：断面无法限定在管道内",
          "the roof hk = {detail} mm stands above the pump inlet section H = {other} mm: the sections cannot be "
          "bounded to the pipe"},
    Words{FlowSectionUnbounded, "断面 {item} 无法限定在管道内：该高度没有管道半径",
          "the section {item} cannot be bounded to the pipe: there is no pipe radius at its height"},
    Words{FlowHubNotInPipe, "轮毂直径 {detail} mm 不小于水泵进口断面的管道直径 {other} mm：轮毂须在管道之内",
          "the hub's diameter {detail} mm is not less than the pipe's {other} mm at the pump inlet section: the hub "
          "must stand inside the pipe"},
    Words{FlowOutletOnPumpInlet, "出口延伸段长度 {other} mm：流场计算的出口须在水泵进口断面以上，不能与之重合",
          "an outlet extension of {other} mm: the flow's outlet must lie above the pump inlet section, not on it"},
    // The limits are cfd/MeshCheck.h's.
    Words{FlowMeshQuality, "网格畸变过大，不能给出指标：最大非正交角 {detail}°（上限 60°），最大偏斜度 {item}（上限 3.5）（见 {other}）",
          "the mesh is too distorted for the figures: non-orthogonality up to {detail} degrees (at most 60), skewness "
          "up to {item} (at most 3.5) ({other})"},

    Words{UnknownOption, "未知选项“{item}”", "unknown option '{item}'"},
    Words{OptionNeedsFile, "选项“{item}”后面需要文件名", "option '{item}' needs a FILE"},
    Words{OptionNeedsText, "选项“{item}”后面需要文本", "option '{item}' needs a TEXT"},
    Words{OptionNeedsTextNotOption, "选项“{item}”后面需要文本，而不是选项“{other}”（要给出这个文本，请写“{item}={other}”）",
          "option '{item}' needs a TEXT, not the option '{other}' (write '{item}={other}' to give that text)"},
    Words{OptionTakesNoValue, "选项“{item}”不带值，而给出了“{other}”", "option '{item}' takes no value, not '{other}'"},
    Words{UnexpectedArgument, "多余的参数“{item}”", "unexpected argument '{item}'"},
    Words{OptionsExclusive, "{item} 与 {other} 不能同时使用", "{item} and {other} cannot be combined"},
    Words{OptionNotInBatch, "{item} 与 --csv 不能同时使用：批量计算有多个设计",
          "{item} and --csv cannot be combined: a batch is many designs"},
    Words{OptionNeedsOption, "{item} 需与 {other} 一起使用", "{item} goes with {other}"},
    Words{OptionNeedsOneOf, "选项“{item}”后面需要以下之一：{other}", "option '{item}' needs one of {other}"},
    Words{OptionNeedsLength, "选项“{item}”后面需要以 mm 计的长度", "option '{item}' needs a length in mm"},
    Words{OptionNotALength, "选项“{item}”后面需要以 mm 计的长度，而不是“{other}”",
          "option '{item}' needs a length in mm, not '{other}'"},
    Words{OptionTakesOneOf, "选项“{item}”只能取 {other} 之一，而不是“{detail}”",
          "option '{item}' takes one of {other}, not '{detail}'"},
    Words{OptionNeedsWholeNumber, "选项“{item}”后面需要 {number} 到 {limit} 之间的整数",
          "option '{item}' needs a whole number from {number} to {limit}"},
    Words{OptionNotAWholeNumber, "选项“{item}”后面需要 {number} 到 {limit} 之间的整数，而不是“{other}”",
          "option '{item}' needs a whole number from {number} to {limit}, not '{other}'"},
    Words{OptionNeedsFolder, "选项“{item}”后面需要文件夹", "option '{item}' needs a folder"},
    Words{OnlyOneOf, "{other} 只能给出其中之一", "give one of {other}"},
    Words{OptionOfOneDesign, "{item} 用于一个设计；批量计算的多个设计请用 {other}",
          "{item} is one design; a batch of designs takes {other}"},
    Words{OnlyOneFile, "一次只能打开一个设计文件", "only one design file can be opened at a time"},
    Words{ExportNeedsFile, "--export OUT 需要给出要导出的设计文件 FILE", "--export OUT needs the design FILE to export"},
    Words{ExportFormat, "--export 写出 {other} 文件，而不是“{file}”", "--export writes {other} files, not '{file}'"},
    Words{CommandLineUnreadable, "无法读取命令行：{detail}", "{detail}"},
    Words{CannotWriteResults, "无法写入标准输出：{reason}", "cannot write to standard output: {reason}"},
    Words{StudyRefused, "Slurm 的 sbatch 拒绝了这项研究（{file}）", "sbatch refused the study ({file})"},
    Words{StudyInputNotVaried, "--vary “{item}”：只能变化 D1、H1、H2、dd0、aa、hk 和 widths",
          "--vary '{item}': only D1, H1, H2, dd0, aa, hk and widths can be varied"},
    Words{StudyRangeNotUsable,
          "--vary “{item}”：{other} 的范围应为 FROM:TO:COUNT，FROM 不大于 TO，都是大于 0 的数（aa 小于 90），COUNT 为 1 到 1000 的整数（FROM 等于 TO 时为 1）；widths 取 computed,area-true",
          "--vary '{item}': a range of {other} is FROM:TO:COUNT, FROM not above TO, both numbers above 0 (aa below 90), COUNT a whole number from 1 to 1000 (1 where FROM is TO); widths takes computed,area-true"},
    Words{StudyInputTwice, "--vary：{item} 给出了两次", "--vary: {item} is given twice"},
    Words{StudyTooManyInputs, "--vary：最多变化 {limit} 个输入，而给出了 {number} 个",
          "--vary: at most {limit} inputs vary, not {number}"},
    Words{StudyTooManyVariants, "这项研究有 {number} 个方案，最多 {limit} 个",
          "the study has {number} variants; at most {limit}"},
    Words{StudyFolderOther, "“{file}”中是另一项研究或其他文件；用 --force 替换",
          "'{file}' holds another study or other files; --force replaces it"},
    Words{StudyRequireNotUsable, "--require “{item}”：应为 NAME<=NUMBER、NAME>=NUMBER 或 no warnings，NAME 为 {other} 之一",
          "--require '{item}': NAME<=NUMBER, NAME>=NUMBER or no warnings, NAME one of {other}"},
    Words{StudyNoVariantHolds, "没有一个方案满足全部约束（{file}）：没有最优方案",
          "no variant holds every constraint ({file}): there is no best design"},
    Words{StudyOptimiserMissing, "此版本没有优化器（NLopt）：--optimise 不可用；研究本身可以进行",
          "this build has no optimiser (NLopt): --optimise is not available; the study itself is"},
    Words{StudySectionsUnheld, "{limit} 个方案中有 {number} 个计算失败或断面不存在",
          "{number} of the {limit} variants fail their run or draw sections that do not exist"},
    Words{StudyRequireUnheld, "--require “{item}”：{limit} 个方案中有 {number} 个不满足；最接近的是 {other}，{detail}",
          "--require '{item}': {number} of the {limit} variants break it; the nearest is {other}, {detail}"},
    Words{StudyWarningsUnheld, "--require “{item}”：{limit} 个方案中有 {number} 个有警告；警告最少的是 {other}，{detail}",
          "--require '{item}': {number} of the {limit} variants warn; {other} warns least, {detail}"},
    Words{StudyRequireNoFigure, "--require “{item}”：{limit} 个方案都没有 {other} 的数值",
          "--require '{item}': none of the {limit} variants has a figure {other}"},
    Words{StudySlurmMissing, "找不到 Slurm（PATH 中没有 sbatch）：用 --local 在本机计算各方案的流场",
          "Slurm is not found (no sbatch on PATH): --local computes the variants' flow on this machine"},
    Words{StudySurfaceTooFew, "只有 {number} 个方案的流场已收敛（{file}），拟合响应面至少需要 {limit} 个",
          "{number} variants' flow settled ({file}); a response surface needs at least {limit}"},
    Words{StudyOptimumNotSettled, "建议的最优方案的流场没有收敛（{item}，{file}）{detail}：没有最优方案",
          "the suggested optimum's flow did not settle ({item}, {file}){detail}: there is no best design"},
    Words{OutputOverwritesInput, "{item} 会覆盖 {other} 读入的文件“{file}”，未写出任何文件",
          "{item} would write over '{file}', which {other} reads; nothing is written"},
    Words{OutputsSameFile, "{item} 与 {other} 写出同一个文件“{file}”，未写出任何文件",
          "{item} and {other} both write '{file}'; nothing is written"},
    Words{NoStandardOutput, "{item} 写出文件，不能写到标准输出（“-”）：请给出文件名（名为 - 的文件请写 ./-）",
          "{item} writes a file, not standard output ('-'): name a file (./- for a file named -)"},
    Words{FormatDisagrees, "--format {item} 写出 .{other} 文件，而 --export 给出的是“{file}”",
          "--format {item} writes .{other} files, but --export names '{file}'"},
    Words{OptionNotForFormat, "{item} 不适用于 {detail} 文件“{file}”，只用于格式 {other}",
          "{item} does not apply to the {detail} file '{file}'; it goes with the formats {other}"},

    Words{CsvNoHeader, "CSV 输入没有标题行", "the CSV input has no header row"},
    Words{CsvHeaderUnreadable, "无法读取 CSV 标题行：{detail}", "cannot read the CSV header: {detail}"},
    Words{CsvHeaderNotUtf8, "CSV 标题行不是 UTF-8 文本（列“{item}”），请将文件另存为 UTF-8 编码的 CSV",
          "the CSV header is not UTF-8 text (column '{item}'); save the file as CSV in UTF-8"},
    Words{CsvHeaderTrailingComma, "CSV 标题行以空列结尾（电子表格写出的末尾逗号），请删去每行末尾的逗号",
          "the CSV header ends with an empty column (a trailing comma, as spreadsheets write it); remove the "
          "trailing comma from every line"},
    Words{CsvColumnUnnamed, "CSV 标题行第 {number} 列没有名称，请为它命名（D、D0、theta、H0、H1、H2、D1、dd0、aa、hk）或删去",
          "column {number} of the CSV header has no name; name it (D, D0, theta, H0, H1, H2, D1, dd0, aa, hk) or "
          "remove it"},
    Words{CsvUnknownColumn, "CSV 标题行中有未知列“{item}”（可用的列为 D、D0、theta、H0、H1、H2、D1、dd0、aa、hk）",
          "unknown column '{item}' in the CSV header (the columns are D, D0, theta, H0, H1, H2, D1, dd0, aa, hk)"},
    Words{CsvColumnTwice, "列“{item}”在 CSV 标题行中出现两次", "column '{item}' appears twice in the CSV header"},
    Words{CsvNotText, "{source}不是文本：第 {line} 行含有 NUL 字节（是电子表格自己的文件格式，还是 UTF-16 文本？），"
                      "请另存为 UTF-8 编码的 CSV",
          "{source} is not text: line {line} holds a NUL byte (is it a spreadsheet's own file, or UTF-16 text?); "
          "save it as CSV in UTF-8"},
    Words{CsvLineTooLong, "第 {line} 行超过 16 MiB", "line {line}: the line is longer than 16 MiB"},
    Words{CsvCarriageReturn, "第 {line} 行：回车符后没有换行符，行尾应为 LF 或 CRLF，而不是单独的 CR（请以 Windows 或 Unix 行尾重新保存文件）",
          "line {line}: a carriage return not followed by a line feed: lines end with LF or CRLF, not with CR "
          "alone (save the file again with Windows or Unix line ends)"},
    Words{CsvQuoteNotClosed, "第 {line} 行：引号括起的字段在本行内没有结束",
          "line {line}: the quoted field is not closed on its line"},
    Words{CsvTextAfterQuote, "第 {line} 行：字段的结束引号后还有文字（引号括起的字段在引号处结束；字段内的 \" 要写两次）",
          "line {line}: text after the closing quote of a field (a field in quotes ends at its quote; double a "
          "\" inside it)"},
    Words{CsvQuoteInField, "第 {line} 行：不以 \" 开头的字段中含有 \"（请将字段放在引号中，并将其中的 \" 写两次）",
          "line {line}: a \" inside a field that does not begin with one (put the field in quotes and double the "
          "\" inside it)"},
    Words{CsvFieldCount, "第 {line} 行有 {number} 个字段，标题行有 {limit} 个",
          "line {line} has {number} field{s}, the header has {limit}"},
    Words{CsvRowNotUtf8, "第 {line} 行不是 UTF-8 文本", "line {line} is not UTF-8 text"},
};

constexpr bool inOrder()
{
    for (std::size_t i = 0; i < kWords.size(); ++i)
        if (static_cast<std::size_t>(kWords[i].kind) != i)
            return false;
    return true;
}
static_assert(inOrder(), "one row per kind, in the order of Failure::Kind");

struct SystemWords {
    int error;
    std::string_view chinese;
    std::string_view english;
};

// The system's reasons that files meet, worded by this program in both languages.
const std::array kSystemWords{
    SystemWords{ENOENT, "没有这个文件或文件夹", "No such file or directory"},
    SystemWords{EACCES, "没有权限", "Permission denied"},
    SystemWords{EPERM, "不允许的操作", "Operation not permitted"},
    SystemWords{EROFS, "文件系统只读", "Read-only file system"},
    SystemWords{ENOSPC, "磁盘空间不足", "No space left on device"},
#ifdef EDQUOT
    SystemWords{EDQUOT, "超出磁盘配额", "Disk quota exceeded"},
#endif
    SystemWords{EFBIG, "文件过大（超出文件大小限制）", "File too large (beyond the file size limit)"},
    SystemWords{ENAMETOOLONG, "文件名过长", "File name too long"},
    SystemWords{EISDIR, "这是文件夹", "Is a directory"},
    SystemWords{ENOTDIR, "路径中的一部分不是文件夹", "Not a directory"},
    SystemWords{EIO, "输入输出错误", "Input/output error"},
    SystemWords{ELOOP, "符号链接层数过多", "Too many levels of symbolic links"},
    SystemWords{EMFILE, "打开的文件过多", "Too many open files"},
    SystemWords{ENFILE, "系统中打开的文件过多", "Too many open files in system"},
    SystemWords{ENOMEM, "内存不足", "Cannot allocate memory"},
    SystemWords{EBUSY, "设备或资源忙", "Device or resource busy"},
    SystemWords{ETXTBSY, "文件正被执行", "Text file busy"},
    SystemWords{EXDEV, "不能跨文件系统改名", "Invalid cross-device link"},
    SystemWords{EPIPE, "管道的另一端已关闭", "Broken pipe"},
    SystemWords{EINVAL, "无效的参数", "Invalid argument"},
    SystemWords{EEXIST, "文件已存在", "File exists"},
    SystemWords{EAGAIN, "资源暂时不可用", "Resource temporarily unavailable"},
    SystemWords{ENXIO, "没有这个设备或地址", "No such device or address"},
    SystemWords{ENODEV, "没有这个设备", "No such device"},
    SystemWords{EBADF, "文件描述符无效（已关闭）", "Bad file descriptor (it is closed)"},
    SystemWords{EINTR, "系统调用被中断", "Interrupted system call"},
    SystemWords{ESPIPE, "不能在管道中定位", "Illegal seek"},
    SystemWords{ENOTEMPTY, "文件夹不为空", "Directory not empty"},
    SystemWords{EOVERFLOW, "数值超出数据类型的范围", "Value too large for defined data type"},
    SystemWords{ECONNRESET, "连接被对方重置", "Connection reset by peer"},
    SystemWords{ETIMEDOUT, "连接超时", "Connection timed out"},
#ifdef ESTALE
    SystemWords{ESTALE, "文件句柄已失效（网络文件系统）", "Stale file handle"},
#endif
};

std::string reasonOf(int error, Language language)
{
    for (const SystemWords& words : kSystemWords)
        if (words.error == error)
            return std::string(language == Language::Chinese ? words.chinese : words.english);
    const std::string code = std::to_string(error);
    return language == Language::Chinese ? "系统错误 " + code : std::string(std::strerror(error)) + " (" + code + ")";
}

// A file's name, printable: invisible characters and bytes that are not UTF-8 as \xHH. Shown
// whole, however long, and with its backslashes as they are, so that Windows paths read as
// typed.
std::string printable(std::string_view text) { return quoteForMessage(text, std::string_view::npos, "", ""); }

// The input named: "'designs.csv'", or standard input.
std::string source(const std::string& file, Language language)
{
    if (language == Language::Chinese)
        return file.empty() ? "标准输入" : "“" + printable(file) + "”";
    return file.empty() ? "standard input" : "'" + printable(file) + "'";
}

// Kinds whose {other} names a file or a folder.
bool isFolderKind(Failure::Kind kind)
{
    return kind == FolderNotWritable || kind == SheetOfIncompleteRun || kind == NoDrawingOfIncompleteRun
           || kind == ExportFormat;
}

std::string where(const Failure& f, Language language)
{
    if (!f.quantity)
        return {};
    std::string text;
    if (language == Language::Chinese) {
        if (f.box)
            text.append("：读取").append(chineseName(*f.quantity)).append("（").append(boxName(*f.box)).append("）时出错");
        else
            text.append("：计算").append(chineseName(*f.quantity)).append("时出错");
    } else {
        if (f.box)
            text.append(" reading ").append(englishName(*f.quantity)).append(" from box ").append(boxName(*f.box));
        else
            text.append(" computing ").append(englishName(*f.quantity));
    }
    return text;
}

struct StageWords {
    FlowStage stage;
    std::string_view chinese;
    std::string_view english;
};

constexpr std::array kStageWords{
    StageWords{FlowStage::None, "", ""},
    StageWords{FlowStage::Case, "写入算例", "writing the case"},
    StageWords{FlowStage::Mesh, "划分网格", "meshing"},
    StageWords{FlowStage::Decompose, "分解网格", "decomposing"},
    StageWords{FlowStage::Solve, "求解", "solving"},
    StageWords{FlowStage::Evaluate, "计算评价指标", "evaluating"},
};

}  // namespace

std::string flowStageName(FlowStage stage, Language language)
{
    const StageWords& words = kStageWords[static_cast<std::size_t>(stage)];
    return std::string(language == Language::Chinese ? words.chinese : words.english);
}

std::string render(const Failure& f, Language language)
{
    const Words& words = kWords[static_cast<std::size_t>(f.kind)];
    const std::string_view pattern = language == Language::Chinese ? words.chinese : words.english;
    // A flow computation's failure says first where it stopped: "meshing: ...".
    std::string out = f.stage == FlowStage::None
                          ? std::string()
                          : flowStageName(f.stage, language) + (language == Language::Chinese ? "：" : ": ");
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const std::size_t open = pattern.find('{', pos);
        const std::size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
        if (close == std::string_view::npos) {
            out.append(pattern.substr(pos));
            break;
        }
        out.append(pattern.substr(pos, open - pos));
        const std::string_view name = pattern.substr(open + 1, close - open - 1);
        if (name == "file")
            out.append(printable(f.file));
        else if (name == "source")
            out.append(source(f.file, language));
        else if (name == "item")
            out.append(quoteForMessage(f.item, 40, "", ""));
        else if (name == "other")
            out.append(isFolderKind(f.kind) ? printable(f.other) : quoteForMessage(f.other, 80, "", ""));
        else if (name == "line")
            out.append(std::to_string(f.line));
        else if (name == "number")
            out.append(std::to_string(f.number));
        else if (name == "s")  // English's plural after {number}
            out.append(f.number == 1 ? "" : "s");
        else if (name == "limit")
            out.append(std::to_string(f.limit));
        else if (name == "reason")
            out.append(reasonOf(f.error, language));
        else if (name == "detail")
            out.append(quoteForMessage(f.detail, 200, "", ""));
        else if (name == "where")
            out.append(where(f, language));
        pos = close + 1;
    }
    return out;
}

namespace {

// "zh_CN.UTF-8" and "zh" are Chinese; "C", "POSIX" and every other language are not.
bool isChinese(std::string_view name) { return name.starts_with("zh"); }

const char* nonEmpty(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

}  // namespace

Language messageLanguage()
{
    const char* locale = nonEmpty("LC_ALL");
    if (!locale)
        locale = nonEmpty("LC_MESSAGES");
    if (!locale)
        locale = nonEmpty("LANG");
#ifdef _WIN32
    if (!locale)
        return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? Language::Chinese : Language::English;
#endif
    if (!locale || std::string_view(locale) == "C" || std::string_view(locale) == "POSIX"
        || std::string_view(locale).starts_with("C."))
        return Language::English;
    // The C library prefers LANGUAGE's first language to the locale's for messages.
    if (const char* preferred = nonEmpty("LANGUAGE"))
        return isChinese(preferred) ? Language::Chinese : Language::English;
    return isChinese(locale) ? Language::Chinese : Language::English;
}

std::size_t failureKindCount() { return kWords.size(); }

Failure systemFailure(Failure::Kind kind, const std::string& file, int error)
{
    Failure f{.kind = kind, .file = file};
    f.error = error;
    return f;
}

}  // namespace inlet
