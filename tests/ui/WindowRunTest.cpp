// What the buttons do: a run fills the result boxes, a failed run keeps the engineer's
// inputs and the window, and leaves no result standing that came from other inputs.

#include "boxes/Boxes.h"
#include "run/Calculation.h"
#include "ui/CalculationForm.h"
#include "ui/MainWindow.h"
#include "ui/WindowBoxes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace inlet::test {
namespace {

using Texts = std::map<std::string, std::string>;

// Every result box with hk 2000 and the other boxes at their default texts.
const Texts kResultsWithHk2000{
    {"Text13", "0400"}, {"Text14", "0700"}, {"Text15", "1500"}, {"Text16", "700"},
    {"Text18", "1500"}, {"Text17", "700"},  {"Text20", "1150"}, {"Text19", "2000"},
    {"Text23", "0225"}, {"Text24", "1421"}, {"Text36", "1459"}, {"Text37", "1424"},
    {"Text5", "2700"},  {"Text38", "-0008"}, {"Text33", "0254"}, {"Text32", "0469"},
    {"Text31", "0656"}, {"Text30", "0823"}, {"Text29", "0976"}, {"Text28", "1118"},
    {"Text27", "1250"}, {"Text26", "1376"}, {"Text25", "1678"}, {"Text6", "6355"},
};

// The results of the steps before hk is read: the two profiles and the tangent point.
const Texts kResultsBeforeHk{
    {"Text13", "0400"}, {"Text14", "0700"}, {"Text15", "1500"}, {"Text16", "700"},
    {"Text18", "1500"}, {"Text17", "700"},  {"Text20", "1150"}, {"Text19", "2000"},
    {"Text23", "0225"}, {"Text24", "1421"},
};

const std::vector<std::string> kInputBoxes{"Text1", "Text3", "Text4", "Text9", "Text10",
                                           "Text11", "Text21", "Text22", "Text34", "Text35"};
const std::vector<std::string> kShownOnlyBoxes{"Text2", "Text7", "Text8", "Text12"};

class WindowRun : public testing::Test {
protected:
    MainWindow window;
    std::vector<QString> messages;

    void SetUp() override
    {
        window.setFailureReporter([this](QWidget&, const QString& message) { messages.push_back(message); });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QLineEdit* box(const std::string& name) const
    {
        auto* edit = window.findChild<QLineEdit*>(QString::fromStdString(name));
        EXPECT_NE(edit, nullptr) << "no box " << name;
        return edit;
    }
    std::string text(const std::string& name) const { return box(name)->text().toStdString(); }

    // Replaces a box's text the way the engineer does: select all, then type.
    void type(const std::string& name, const QString& typed)
    {
        QLineEdit* edit = box(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        // One key event per character, carrying its text, as a keyboard or input method sends
        // them (QTest's own key clicks know ASCII only).
        for (QChar ch : typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(edit, &press);
            QApplication::sendEvent(edit, &release);
        }
    }

    void press(const char* button)
    {
        QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }

    Texts allTexts() const
    {
        Texts texts;
        for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
            texts[edit->objectName().toStdString()] = edit->text().toStdString();
        return texts;
    }

    std::string firstMessage() const { return messages.empty() ? "(none)" : messages.front().toStdString(); }
};

// --- A complete run ----------------------------------------------------------------------

TEST_F(WindowRun, Hk2000FillsEveryResultBox)
{
    type("Text21", QStringLiteral("2000"));
    press("Command1");
    EXPECT_TRUE(messages.empty()) << firstMessage();
    for (const auto& [name, expected] : kResultsWithHk2000)
        EXPECT_EQ(text(name), expected) << name << " after a run with hk 2000";
}

TEST_F(WindowRun, TwoRunsInARowGiveIdenticalTexts)
{
    type("Text21", QStringLiteral("2000"));
    press("Command1");
    const Texts first = allTexts();
    press("Command1");
    EXPECT_EQ(allTexts(), first);
}

TEST_F(WindowRun, BoxesOnlyShownAreNeverTouchedAndChangeNoResult)
{
    type("Text21", QStringLiteral("2000"));
    const Texts typed{{"Text1", "9 9"}, {"Text2", "abc"}, {"Text7", "1～2"}, {"Text8", ""}, {"Text12", "-1e999"}};
    for (const auto& [name, value] : typed) type(name, QString::fromStdString(value));
    press("Command1");
    EXPECT_TRUE(messages.empty()) << firstMessage();
    for (const auto& [name, value] : typed) EXPECT_EQ(text(name), value) << name << " was changed by the run";
    for (const auto& [name, expected] : kResultsWithHk2000)
        EXPECT_EQ(text(name), expected) << name << " depends on a box that is only shown";
}

// The run writes x1 = D1 / 2 with the user's decimal separator; CTest runs this once more
// under a German locale, where it is a comma.
TEST_F(WindowRun, DecimalSeparatorIsTheUsersOwn)
{
    type("Text21", QStringLiteral("2000"));
    type("Text35", QStringLiteral("3001"));
    press("Command1");
    const QString expected = QStringLiteral("1500") + QLocale::system().decimalPoint() + QStringLiteral("5");
    EXPECT_EQ(box("Text15")->text(), expected) << "x1 in locale " << QLocale::system().name().toStdString();
    EXPECT_EQ(text("Text18"), text("Text15")) << "x2";
}

// --- A failed run ------------------------------------------------------------------------

TEST_F(WindowRun, EmptyHkReportsDivisionByZeroAtThe30DegreeStation)
{
    press("Command1");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(firstMessage().find("除数为零"), std::string::npos) << firstMessage();
    EXPECT_NE(firstMessage().find("a30"), std::string::npos) << firstMessage();
    EXPECT_TRUE(window.isVisible()) << "the window closed after a failed run";
}

TEST_F(WindowRun, FailedRunShowsTheFinishedStepsAndEmptiesTheOtherResults)
{
    type("Text21", QStringLiteral("2000"));
    press("Command1");  // leaves a figure in every result box
    type("Text21", QString());
    press("Command1");
    ASSERT_EQ(messages.size(), 1u);
    for (const auto& [name, unused] : kResultsWithHk2000) {
        const auto reached = kResultsBeforeHk.find(name);
        const std::string expected = reached == kResultsBeforeHk.end() ? "" : reached->second;
        EXPECT_EQ(text(name), expected) << name << " after a run that failed on an empty hk";
    }
}

TEST_F(WindowRun, FailedRunKeepsEveryInputAsTyped)
{
    const Texts typed{{"Text9", " 700 "}, {"Text11", "1300"}, {"Text22", "50°"}, {"Text35", "3000.0"}};
    for (const auto& [name, value] : typed) type(name, QString::fromStdString(value));
    const Texts before = allTexts();
    press("Command1");
    ASSERT_EQ(messages.size(), 1u);
    for (const std::string& name : kInputBoxes) EXPECT_EQ(text(name), before.at(name)) << name;
    for (const std::string& name : kShownOnlyBoxes) EXPECT_EQ(text(name), before.at(name)) << name;
}

TEST_F(WindowRun, DefaultPassageHeightIsEmptiedWhenTheRunStopsBeforeIt)
{
    ASSERT_EQ(text("Text5"), "2700");
    press("Command1");
    EXPECT_EQ(text("Text5"), "");
}

TEST_F(WindowRun, EmptyGuideConeDiameterReportsATypeMismatchInItsBox)
{
    type("Text21", QStringLiteral("2000"));
    type("Text34", QString());
    press("Command1");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(firstMessage().find("类型不匹配"), std::string::npos) << firstMessage();
    EXPECT_NE(firstMessage().find("Text34"), std::string::npos) << firstMessage();
    const Texts shown{{"Text13", "0400"}, {"Text14", "0700"}, {"Text15", "1500"},
                      {"Text16", "700"},  {"Text18", "1500"}, {"Text17", "700"}};
    for (const auto& [name, unused] : kResultsWithHk2000) {
        const auto reached = shown.find(name);
        EXPECT_EQ(text(name), reached == shown.end() ? "" : reached->second) << name;
    }
}

TEST_F(WindowRun, RunAfterAFailureFillsEverythingAgain)
{
    press("Command1");
    type("Text21", QStringLiteral("2000"));
    press("Command1");
    EXPECT_EQ(messages.size(), 1u);
    for (const auto& [name, expected] : kResultsWithHk2000) EXPECT_EQ(text(name), expected) << name;
}

// --- What the form tells the rest of the program -------------------------------------------

TEST_F(WindowRun, CompletedRunHandsOnItsValuesAndTheBoxesItRead)
{
    auto* form = window.findChild<CalculationForm*>();
    ASSERT_NE(form, nullptr);
    std::vector<std::string> heard;
    QObject::connect(form, &CalculationForm::runCompleted, [&](const Calculation& run, const BoxAccess& boxes) {
        heard.push_back("completed B=" + std::to_string(std::lround(run.B)) + " hk=" + boxes.text(Box::Text21));
    });
    QObject::connect(form, &CalculationForm::runFailed,
                     [&](const Failure& failure) { heard.push_back("failed " + render(failure, Language::Chinese)); });
    type("Text21", QStringLiteral("2000"));
    press("Command1");
    EXPECT_EQ(heard, std::vector<std::string>{"completed B=6355 hk=2000"});
}

TEST_F(WindowRun, FailedRunIsToldBeforeItsMessageWaitsForTheEngineer)
{
    auto* form = window.findChild<CalculationForm*>();
    ASSERT_NE(form, nullptr);
    std::vector<std::string> heard;
    QObject::connect(form, &CalculationForm::runCompleted,
                     [&](const Calculation&, const BoxAccess&) { heard.push_back("completed"); });
    QObject::connect(form, &CalculationForm::runFailed,
                     [&](const Failure& failure) { heard.push_back("failed: " + render(failure, Language::Chinese)); });
    window.setFailureReporter(
        [&](QWidget&, const QString& message) { heard.push_back("reported: " + message.toStdString()); });
    press("Command1");
    const std::string failure = "除数为零：计算φ=30°时蜗壳宽度a30时出错";
    EXPECT_EQ(heard, (std::vector<std::string>{"failed: " + failure, "reported: " + failure}));
}

// Without a reporter of its own the window shows a modal message box, and stays open after
// the engineer dismisses it.
TEST(WindowFailureMessage, IsAModalMessageBoxNamingTheFailure)
{
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QString shown;
    bool modal = false;
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            modal = box->isModal();
            box->accept();
        }
    });
    dismiss.start(10);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    dismiss.stop();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(shown.contains(QStringLiteral("除数为零"))) << shown.toStdString();
    EXPECT_TRUE(window.isVisible());
}

// The message box of a fresh window (hk empty) says, beneath the run's message, which box.
TEST(WindowFailureMessage, SaysBeneathTheMessageWhichBoxCausedIt)
{
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QString shown, beneath;
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            beneath = box->informativeText();
            box->accept();
        }
    });
    dismiss.start(10);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    dismiss.stop();
    EXPECT_EQ(shown, QStringLiteral("除数为零：计算φ=30°时蜗壳宽度a30时出错"));
    EXPECT_EQ(beneath, QStringLiteral("蜗壳断面高度hk 为空，按 0 计算"));
}

TEST_F(WindowRun, FailedRunNamesTheBoxBehindIt)
{
    struct Row {
        const char* name;
        const char* box;
        QString typed;
        QString cause;  // a part of the first line beside the message
    };
    const Row rows[] = {
        {"full-width hk", "Text21", QStringLiteral("２０００"), QStringLiteral("hk（Text21）的文本“２０００”按 0 计算：全角数字未读入")},
        {"empty hk", "Text21", QString(), QStringLiteral("蜗壳断面高度hk 为空")},
        {"D0 zero", "Text3", QStringLiteral("0"), QStringLiteral("锥管进口直径D0 为 0")},
        {"a comma in D0", "Text3", QStringLiteral("0,5"), QStringLiteral("D0（Text3）的文本“0,5”按 0 计算：逗号结束了数字")},
    };
    auto* form = window.findChild<CalculationForm*>();
    ASSERT_NE(form, nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        type("Text21", QStringLiteral("2000"));
        type("Text3", QStringLiteral("2200"));
        type(row.box, row.typed);
        messages.clear();
        press("Command1");
        ASSERT_EQ(messages.size(), 1u);
        ASSERT_FALSE(form->failureCauses().isEmpty());
        EXPECT_TRUE(form->failureCauses().front().contains(row.cause)) << form->failureCauses().join(u'|').toStdString();
        // The run's own message stays as it was.
        EXPECT_FALSE(messages.front().contains(row.cause));
    }
    type("Text3", QStringLiteral("2200"));
    type("Text21", QStringLiteral("2000"));
    press("Command1");
    EXPECT_TRUE(form->failureCauses().isEmpty());
}

// --- Keys and the exit button ------------------------------------------------------------

TEST_F(WindowRun, EnterAndEscInABoxPressNeitherButton)
{
    for (const char* name : {"Text21", "Text13", "Text1"}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            box(name)->setFocus();
            QTest::keyClick(box(name), key);
            EXPECT_TRUE(messages.empty()) << "key " << key << " in " << name << " started a run";
            EXPECT_TRUE(window.isVisible()) << "key " << key << " in " << name << " closed the window";
        }
    }
    EXPECT_EQ(text("Text13"), "");
}

TEST_F(WindowRun, AnyTextCanBeTypedIntoAnyBox)
{
    const QString typed = QStringLiteral("αβ 12,5～x");
    for (const QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        type(edit->objectName().toStdString(), typed);
        EXPECT_EQ(edit->text(), typed) << edit->objectName().toStdString();
    }
}

TEST_F(WindowRun, LongPastedTextIsKeptWhole)
{
    const QString pasted(100000, QLatin1Char('7'));
    for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        edit->selectAll();
        edit->insert(pasted);
        EXPECT_EQ(edit->text().size(), pasted.size()) << edit->objectName().toStdString();
    }
}

TEST_F(WindowRun, ExitButtonClosesTheWindow)
{
    press("Command2");
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace inlet::test
