// The 3D view: created when 查看 → 三维模型… first asks for it, it shows the solid of the last
// complete run with its figures, and at once nothing (saying why) after a failed run or a
// design without a solid, never the solid of an earlier run.

#include "ui/MainWindow.h"
#include "ui/SolidWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace inlet::test {
namespace {

class SolidWindowUse : public testing::Test {
protected:
    MainWindow window;

    void SetUp() override
    {
        window.setFailureReporter([](QWidget&, const QString&) {});
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void run(const QString& hk)
    {
        window.findChild<QLineEdit*>(QStringLiteral("Text21"))->setText(hk);
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }

    void waitForSolid(SolidWindow& solid)
    {
        QSignalSpy built(&solid, &SolidWindow::built);
        if (solid.isBuilding())
            ASSERT_TRUE(built.wait(60000));
    }
};

TEST_F(SolidWindowUse, ShowsTheLastCompleteRunAndNothingStaleAfterOneWithout)
{
    EXPECT_EQ(window.solidWindow(), nullptr) << "created before it was asked for";
    run(QStringLiteral("2000"));
    window.showSolidWindow();
    SolidWindow& solid = *window.solidWindow();
    waitForSolid(solid);
    EXPECT_TRUE(solid.hasSolid());
    EXPECT_TRUE(solid.statusText().contains(QStringLiteral("水体体积 111.05 m³"))) << solid.statusText().toStdString();

    window.chooseWidthSet(WidthSet::AreaTrue);  // the solid is built anew with the widths chosen
    EXPECT_TRUE(solid.isBuilding());
    waitForSolid(solid);
    EXPECT_TRUE(solid.hasSolid());
    EXPECT_FALSE(solid.statusText().contains(QStringLiteral("水体体积 111.05 m³"))) << solid.statusText().toStdString();
    window.chooseWidthSet(WidthSet::Computed);
    waitForSolid(solid);

    run(QStringLiteral("1300"));  // below the tangent point: no section, no solid
    EXPECT_FALSE(solid.hasSolid());
    EXPECT_TRUE(solid.statusText().contains(QStringLiteral("hk = 1300 mm"))) << solid.statusText().toStdString();

    run(QStringLiteral("2600"));
    run(QString());  // fails: nothing may be left of the run before, nor of the one being built
    EXPECT_FALSE(solid.hasSolid());
    EXPECT_TRUE(solid.statusText().startsWith(QStringLiteral("计算未完成"))) << solid.statusText().toStdString();
    waitForSolid(solid);
    EXPECT_FALSE(solid.hasSolid()) << "a solid built for an earlier run was shown";
    EXPECT_TRUE(solid.statusText().startsWith(QStringLiteral("计算未完成"))) << solid.statusText().toStdString();
}

}  // namespace
}  // namespace inlet::test
