#include "CommandLine.h"
#include "NumberFormat.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return inlet::runCommandLine(args, std::cin, std::cout, std::cerr, inlet::systemNumberLocale());
}
