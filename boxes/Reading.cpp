#include "boxes/Reading.h"

#include "calc/Arithmetic.h"
#include "calc/DesignInputs.h"

namespace inlet {

bool readsLeniently(Reading reading)
{
    switch (reading) {
    case Reading::Lenient:
    case Reading::LenientSingle:
    case Reading::ThetaRadians:
    case Reading::AaRadians:
    case Reading::ChecksOnly:
        return true;
    case Reading::Strict:
    case Reading::Shown:
    case Reading::Result:
        break;
    }
    return false;
}

double readNumber(Reading reading, std::string_view text, const NumberLocale& locale)
{
    switch (reading) {
    case Reading::LenientSingle: return toSingle(lenientParse(text));
    case Reading::Strict: return strictConversion(text, locale);
    case Reading::Shown:
    case Reading::Result: return 0;
    case Reading::Lenient:
    case Reading::ThetaRadians:
    case Reading::AaRadians:
    case Reading::ChecksOnly: break;
    }
    return lenientParse(text);
}

double readValue(Reading reading, std::string_view text, const NumberLocale& locale)
{
    switch (reading) {
    case Reading::ThetaRadians: return thetaRadians(lenientParse(text));
    case Reading::AaRadians: return aaRadians(lenientParse(text));
    default: return readNumber(reading, text, locale);
    }
}

}  // namespace inlet
