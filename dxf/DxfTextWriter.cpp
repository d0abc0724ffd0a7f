#include "dxf/DxfTextWriter.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

namespace inlet {

// dxflib's writer opens the file it is given; an empty name opens none.
DxfTextWriter::DxfTextWriter() : DL_WriterA("", DL_Codes::AC1015)
{
    text_.reserve(1 << 18);
}

void DxfTextWriter::groupCode(int gc) const
{
    if (gc >= 0 && gc < 10)
        text_ += "  ";
    else if (gc >= 10 && gc < 100)
        text_ += ' ';
    std::array<char, 16> digits;
    text_.append(digits.data(), std::to_chars(digits.begin(), digits.end(), gc).ptr);
    text_ += '\n';
}

void DxfTextWriter::dxfReal(int gc, double value) const
{
    groupCode(gc);
    // Room for any double in fixed notation: 309 digits before the point, 327 after.
    std::array<char, 700> digits;
    const char* end = std::to_chars(digits.begin(), digits.end(), value, std::chars_format::fixed).ptr;
    const std::string_view written(digits.data(), static_cast<std::size_t>(end - digits.data()));
    text_ += written;
    if (written.find('.') == std::string_view::npos && std::isfinite(value))
        text_ += ".0";
    text_ += '\n';
}

void DxfTextWriter::dxfInt(int gc, int value) const
{
    groupCode(gc);
    std::array<char, 16> digits;
    text_.append(digits.data(), std::to_chars(digits.begin(), digits.end(), value).ptr);
    text_ += '\n';
}

void DxfTextWriter::dxfHex(int gc, int value) const
{
    groupCode(gc);
    std::array<char, 16> digits;
    const char* end = std::to_chars(digits.begin(), digits.end(), static_cast<unsigned>(value), 16).ptr;
    for (const char* c = digits.data(); c != end; ++c)
        text_ += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    text_ += '\n';
}

void DxfTextWriter::dxfString(int gc, const char* value) const
{
    groupCode(gc);
    text_ += value;
    text_ += '\n';
}

void DxfTextWriter::dxfString(int gc, const std::string& value) const
{
    groupCode(gc);
    text_ += value;
    text_ += '\n';
}

}  // namespace inlet
