// The words of a flow study's job script: whatever a path holds, the shell reads back the
// word it was (each quoted word run through bash's printf).

#include "cli/ShellWord.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

using namespace inlet;

namespace {

// What bash reads `script` as: each word printf'd with a NUL after it.
std::string bashWords(const std::string& script)
{
    const auto file = std::filesystem::temp_directory_path() / ("inlet-words-" + std::to_string(std::random_device{}()));
    std::ofstream(file, std::ios::binary) << script;
    std::string out;
    if (FILE* pipe = ::popen(("bash '" + file.string() + "'").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    std::filesystem::remove(file);
    return out;
}

struct Row {
    const char* name;
    std::string word;
};

class ShellWords : public ::testing::TestWithParam<Row> {};

TEST_P(ShellWords, ComeBackExact)
{
    const std::string& word = GetParam().word;
    EXPECT_EQ(bashWords("printf '%s\\0' " + shellWord(word) + " end\n"), word + '\0' + "end" + '\0');
}

const Row kRows[] = {
    {"Plain", "/home/study/design-1"},
    {"Empty", ""},
    {"Blank", "/home/my study/a b"},
    {"SingleQuote", "/home/o'brien/study"},
    {"QuotesOnly", "'''"},
    {"DoubleQuote", "say \"x\""},
    {"Dollar", "/tmp/$HOME/${PATH}/$(id)"},
    {"Backquote", "/tmp/`id`"},
    {"Backslash", "C:\\study\\n"},
    {"LineFeed", "/tmp/one\ntwo"},
    {"EndsWithLineFeed", "/tmp/x\n"},
    {"TabAndGlob", "/tmp/\t*?[a]"},
    {"Chinese", "/home/设计/泵站 A"},
    {"HashAndSemicolon", "#x; rm -rf /; echo"},
    {"Everything", "a'b\"c$d`e\\f\ng h'"},
};

INSTANTIATE_TEST_SUITE_P(Paths, ShellWords, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
