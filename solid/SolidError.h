#pragma once

// Why the passage's solid was not built or not written: the condition that failed, the
// quantity or station it concerns and the figure that failed it, as data; english() and
// chinese() put it in words for inlet-calc and for the window.

#include <stdexcept>
#include <string>

namespace inlet {

enum class SolidFault {
    NoSectionShape,           // hk at or below bp: no station section has an upper wall
    WidthBelowAp,             // a station from 10 degrees on narrower than ap
    BackWallOnGuideCone,      // the wall at 0 degrees reaches the guide cone's foot
    NoWidth,                  // a station without a width in the set chosen
    ProfileNotUsable,         // a semi-axis of a wall's ellipse not positive, or a value not finite
    ProfilesCross,            // the guide cone reaches through the bell-mouth wall
    GuideConeAboveConeInlet,  // the guide cone's top above the narrow end of the bell-mouth pipe
    PassageTooShort,          // the inlet before the roof reaches hk, or before the bell mouth
    BadOption,                // a passage length or outlet extension that is not usable
    Modelling,                // OpenCASCADE could not build it
    NotSound,                 // built, but not one closed valid solid
    Unavailable,              // the module that builds solids is not there
    Write,                    // the file could not be written
};

struct SolidError {
    SolidFault fault = SolidFault::Modelling;
    std::string subject;  // "hk", "a30", "length", a file's name
    double figure = 0;    // the figure that failed the condition, mm
    double limit = 0;     // the bound it failed against, mm
    std::string detail;   // OpenCASCADE's words, the reason a file was not written

    std::string english() const;
    std::string chinese() const;
};

// Thrown where a solid cannot be built or written; what() is the English message.
class SolidFailure : public std::runtime_error {
public:
    explicit SolidFailure(SolidError error) : std::runtime_error(error.english()), error_(std::move(error)) {}
    const SolidError& error() const { return error_; }

private:
    SolidError error_;
};

}  // namespace inlet
