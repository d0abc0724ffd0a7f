#pragma once

// The window's 38 edit boxes as the calculation run sees them: named by control name, read
// and replaced through BoxAccess, with the texts a fresh window shows. One table holds what
// every box is: its caption, unit and reading rule drive the run's reads, the sheet's captions
// and its value-used column, the checks of how texts are read and inlet-calc's help, so that a
// box is one row.

#include "boxes/Quantity.h"
#include "boxes/Reading.h"

#include <array>
#include <string>
#include <string_view>

namespace inlet {

enum class Box {
    Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10,
    Text11, Text12, Text13, Text14, Text15, Text16, Text17, Text18, Text19, Text20,
    Text21, Text22, Text23, Text24, Text25, Text26, Text27, Text28, Text29, Text30,
    Text31, Text32, Text33, Text34, Text35, Text36, Text37, Text38,
};

inline constexpr std::size_t kBoxCount = 38;

// The given boxes the run does not read, named by what they hold: the rest of the program
// names them so and reads them by the rules of GivenReadings.h.
inline constexpr Box kPumpInletBox = Box::Text2;      // Ds
inline constexpr Box kPassageLengthBox = Box::Text7;  // L
inline constexpr Box kFlowRateBox = Box::Text12;      // Q

struct BoxInfo {
    Box box;
    std::string_view name;         // control name, "Text13"
    std::string_view symbol;       // quantity it holds: "a1", "hk", "Ds"; a given dimension's
                                   // option of inlet-calc (--hk) and column of its CSV
    std::string_view defaultText;  // what a fresh window shows (UTF-8)
    std::string_view caption;      // the window's label: "锥管进口直径D0(mm)" (ap's two labels as one)
    std::string_view unit;         // of what it holds: "mm", "°", "m³/s"
    Reading reading;               // how its text is read
    std::string_view typedUnit;    // a unit typed after the number that is read as it looks
    std::string_view remark;       // how it is read, as the sheet says it: "取单精度"
    std::string_view help;         // a given dimension as inlet-calc's help names it
};

// Every box, in the order Text1 to Text38.
const std::array<BoxInfo, kBoxCount>& boxTable();
const BoxInfo& boxInfo(Box box);
std::string_view boxName(Box box);

// The boxes a run reads with a calculation value, in the order the command-line options list
// them: D D0 theta H0 H1 H2 D1 dd0 aa hk.
const std::array<Box, 10>& inputBoxes();
// The box a given dimension is read from; D to hk only.
Box inputBox(Quantity q);

// Every box a user gives that inlet-calc sets by option (--Q) and CSV column (Q): the given
// dimensions of inputBoxes(), then Ds, Q, L and rs, which the run does not read.
const std::array<Box, 14>& settableBoxes();

// The 16 boxes of the given-parameter frame ("给定参数"), row by row: what a design file keeps.
const std::array<Box, 16>& givenParameterBoxes();

// The 24 result boxes in the order a complete run writes them.
const std::array<Box, 24>& resultWriteOrder();

// Access to the boxes of one window (or a stand-in for one).
class BoxAccess {
public:
    virtual ~BoxAccess() = default;
    // The exact characters the box shows, UTF-8, untrimmed.
    virtual std::string text(Box box) const = 0;
    // Replaces the box's text.
    virtual void setText(Box box, const std::string& text) = 0;
};

}  // namespace inlet
