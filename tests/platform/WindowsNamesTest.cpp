// The file names Windows keeps for devices, which a save must refuse there.

#include "platform/WindowsNames.h"

#include <gtest/gtest.h>

namespace inlet {
namespace {

TEST(WindowsDeviceName, NamesTheDeviceAFileNameWouldOpen)
{
    const struct {
        const char* path;
        const char* device;
    } rows[] = {
        {"CON", "CON"},
        {"C:\\设计\\NUL.inlet", "NUL"},
        {"/tmp/aux.dxf", "AUX"},
        {"nul .txt", "NUL"},
        {"prn.tar.gz", "PRN"},
        {"Com1.inlet", "COM1"},
        {"lpt9", "LPT9"},
        {"COM0.inlet", ""},
        {"COM10.inlet", ""},
        {"CONSOLE.inlet", ""},
        {"NUL\\design.inlet", ""},
        {"null.inlet", ""},
        {"设计.inlet", ""},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(windowsDeviceName(row.path), row.device) << row.path;
}

}  // namespace
}  // namespace inlet
