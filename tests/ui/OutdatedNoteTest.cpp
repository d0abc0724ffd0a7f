// Stale means marked: after a run, a change of a given parameter puts one line at the top of
// every secondary window saying that what it shows is the run before the change, and its
// button runs the calculation again; typing the run's text back, or the new run, takes it away.

#include "ui/DesignChecksWindow.h"
#include "tests/ui/DocumentWindow.h"
#include "ui/DrawingWindow.h"
#include "ui/FlowWindow.h"
#include "model/LastRun.h"
#include "ui/OutdatedNote.h"
#ifdef INLET_HAVE_SOLID
#include "ui/SolidWindow.h"
#endif

#include <functional>
#include <string>

namespace inlet::test {
namespace {

struct Secondary {
    const char* name;
    std::function<QWidget*(MainWindow&)> open;
};

const Secondary kSecondaries[] = {
    {"DrawingWindow", [](MainWindow& w) -> QWidget* { w.showDrawingWindow(); return w.drawingWindow(); }},
    {"DesignChecksWindow", [](MainWindow& w) -> QWidget* { w.showDesignChecks(); return w.designChecksWindow(); }},
    {"FlowWindow", [](MainWindow& w) -> QWidget* { w.showFlowWindow(); return w.flowWindow(); }},
#ifdef INLET_HAVE_SOLID
    {"SolidWindow", [](MainWindow& w) -> QWidget* { w.showSolidWindow(); return w.solidWindow(); }},
#endif
};

class Outdated : public DocumentWindow, public testing::WithParamInterface<Secondary> {
protected:
    QWidget* secondary = nullptr;
    OutdatedNote* note = nullptr;

    void SetUp() override
    {
        type(Box::Text21, QStringLiteral("2000"));
        press("Command1");
        secondary = GetParam().open(*window);
        ASSERT_NE(secondary, nullptr);
        const QList<OutdatedNote*> notes = secondary->findChildren<OutdatedNote*>();
        ASSERT_EQ(notes.size(), 1) << "one line, not " << notes.size();
        note = notes[0];
    }
    bool marked() const { return note->isVisibleTo(secondary); }
};

TEST_P(Outdated, AChangeOfHkIsMarkedUntilTypedBack)
{
    EXPECT_FALSE(marked()) << "marked although the run is the boxes' own";
    type(Box::Text21, QStringLiteral("1800"));
    EXPECT_TRUE(marked()) << "hk changed after the run and nothing says so";
    EXPECT_TRUE(note->text().contains(QStringLiteral("输入已改动"))) << note->text().toStdString();
    type(Box::Text21, QStringLiteral("2000"));
    EXPECT_FALSE(marked()) << "hk typed back as the run read it";
}

TEST_P(Outdated, ItsButtonRunsAgain)
{
    type(Box::Text21, QStringLiteral("1800"));
    ASSERT_TRUE(marked());
    auto* again = note->findChild<QPushButton*>(QStringLiteral("runAgain"));
    ASSERT_NE(again, nullptr);
    again->click();
    EXPECT_FALSE(marked());
    ASSERT_NE(window->lastRun().record(), nullptr);
    EXPECT_EQ(window->lastRun().record()->boxes.text(Box::Text21), "1800") << "the run is not of the boxes";
    EXPECT_NE(text(Box::Text6), QStringLiteral("6355")) << "the results are still hk 2000's";
}

TEST_P(Outdated, ANewDesignIsNotMarked)
{
    type(Box::Text21, QStringLiteral("1800"));
    ASSERT_TRUE(marked());
    script.unsavedAnswers.push_back(Asker::UnsavedAnswer::Discard);
    window->newDesign();
    EXPECT_FALSE(marked());
}

// 文件 → 导出图形 in the main window writes the boxes' design, not the outdated run's.
TEST_F(DocumentWindow, DrawingExportAfterAChangeIsOfTheChangedDesign)
{
    type(Box::Text21, QStringLiteral("2000"));
    press("Command1");
    type(Box::Text21, QStringLiteral("1800"));
    ASSERT_TRUE(window->lastRun().outdated());
    script.exportAnswers.push_back(Asker::DrawingExportChoice{file("型线图.dxf"), {}, {}});
    window->exportDrawing();
    EXPECT_TRUE(script.warnings.isEmpty()) << warnings();
    EXPECT_FALSE(window->lastRun().outdated());
    EXPECT_EQ(window->lastRun().record()->boxes.text(Box::Text21), "1800");
}

INSTANTIATE_TEST_SUITE_P(EverySecondaryWindow, Outdated, testing::ValuesIn(kSecondaries),
                         [](const testing::TestParamInfo<Secondary>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace inlet::test
