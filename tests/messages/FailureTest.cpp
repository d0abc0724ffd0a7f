// Every kind of failure says the same facts in Chinese and in English.

#include "messages/Failure.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace inlet::test {
namespace {

// A failure of `kind` whose every fact is distinct and easy to find in a message.
Failure withEveryFact(Failure::Kind kind)
{
    Failure f{.kind = kind, .file = "/designs/泵站 A.inlet", .item = "ITEM-7", .other = "OTHER-8"};
    f.line = 9001;
    f.number = 9002;
    f.limit = 9003;
    f.error = EFBIG;
    f.detail = "DETAIL-4";
    f.quantity = Quantity::dd0;
    f.box = Box::Text34;
    return f;
}

// The facts of withEveryFact() that `message` states.
std::vector<std::string> factsIn(const std::string& message)
{
    std::vector<std::string> found;
    for (const char* fact : {"泵站 A.inlet", "ITEM-7", "OTHER-8", "9001", "9002", "9003", "DETAIL-4", "dd0", "Text34"})
        if (message.find(fact) != std::string::npos)
            found.emplace_back(fact);
    return found;
}

TEST(FailureText, EveryKindStatesTheSameFactsInBothLanguages)
{
    for (std::size_t k = 0; k < failureKindCount(); ++k) {
        const Failure f = withEveryFact(static_cast<Failure::Kind>(k));
        const std::string chinese = render(f, Language::Chinese);
        const std::string english = render(f, Language::English);
        SCOPED_TRACE(english + " | " + chinese);
        EXPECT_EQ(factsIn(chinese), factsIn(english)) << "kind " << k;
        EXPECT_NE(chinese, english);
        for (const std::string& message : {chinese, english})
            EXPECT_EQ(message.find('{'), std::string::npos) << "a fact left unfilled";
    }
}

TEST(FailureText, TheSystemsReasonInEachLanguage)
{
    const Failure f = systemFailure(Failure::Kind::CannotWrite, "x.dxf", EFBIG);
    EXPECT_EQ(render(f, Language::English), "cannot write 'x.dxf': File too large (beyond the file size limit)");
    EXPECT_EQ(render(f, Language::Chinese), "无法写入“x.dxf”：文件过大（超出文件大小限制）");
}

TEST(FailureText, AWindowsPathKeepsItsBackslashes)
{
    const Failure f = systemFailure(Failure::Kind::CannotOpen, "C:\\设计\\a.inlet", ENOENT);
    EXPECT_EQ(render(f, Language::English), "cannot open 'C:\\设计\\a.inlet': No such file or directory");
}

}  // namespace
}  // namespace inlet::test
