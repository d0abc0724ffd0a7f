// The drawing window: opened from 查看 → 型线图… and created only then, it shows the last
// run's drawing and checks, nothing after a failed run, and exports the drawing.

#include "ui/DrawingExportDialog.h"
#include "ui/DrawingView.h"
#include "messages/Failure.h"
#include "ui/DrawingWindow.h"
#include "InletFeatures.h"
#include "ui/MainWindow.h"
#include "tests/ui/MenuTitle.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace inlet::test {
namespace {

QAction* menuItem(QMainWindow& window, const QString& menu, const QString& item)
{
    for (QAction* m : window.menuBar()->actions()) {
        if (menuTitle(*m) != menu || !m->menu())
            continue;
        for (QAction* a : m->menu()->actions())
            if (a->text() == item)
                return a;
    }
    return nullptr;
}

class DrawingWindowUse : public testing::Test {
protected:
    MainWindow window;
    std::vector<QString> failures;

    void SetUp() override
    {
        window.setFailureReporter([this](QWidget&, const QString& message) { failures.push_back(message); });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void run(const QString& hk)
    {
        window.findChild<QLineEdit*>(QStringLiteral("Text21"))->setText(hk);
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }

    DrawingWindow* open()
    {
        QAction* item = menuItem(window, QStringLiteral("查看"), QStringLiteral("型线图…"));
        EXPECT_NE(item, nullptr) << "no 查看 → 型线图…";
        if (item)
            item->trigger();
        return window.drawingWindow();
    }

    const DrawingView& view() const { return *window.drawingWindow()->findChild<DrawingView*>(); }
    QStringList checks() const
    {
        QStringList lines;
        const auto* list = window.drawingWindow()->findChild<QListWidget*>(QStringLiteral("checks"));
        for (int i = 0; list && i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }
    bool exportsEnabled()
    {
        QAction* png = menuItem(*window.drawingWindow(), QStringLiteral("文件"), QStringLiteral("导出 PNG…"));
        QAction* dxf = menuItem(*window.drawingWindow(), QStringLiteral("文件"), QStringLiteral("导出 DXF…"));
        EXPECT_TRUE(png && dxf) << "no 文件 → 导出 PNG… and 导出 DXF…";
        // SVG where the build has Qt Svg; elsewhere no entry at all, not a dead one.
        QAction* svg = menuItem(*window.drawingWindow(), QStringLiteral("文件"), QStringLiteral("导出 SVG…"));
        EXPECT_EQ(svg != nullptr, INLET_HAS_SVG == 1) << "文件 → 导出 SVG…";
        return png && dxf && png->isEnabled() && dxf->isEnabled() && (!svg || svg->isEnabled());
    }
    std::vector<std::string> viewTitles() const
    {
        std::vector<std::string> titles;
        for (const View& v : view().drawing().views)
            if (v.name != "SHEET")  // the frame and title block around the views
                titles.push_back(v.title);
        return titles;
    }
};

TEST_F(DrawingWindowUse, IsCreatedOnlyWhenFirstOpenedFromTheViewMenu)
{
    EXPECT_EQ(window.drawingWindow(), nullptr);
    EXPECT_EQ(window.findChild<DrawingWindow*>(), nullptr) << "the drawing window exists before it is asked for";
    run(QStringLiteral("2000"));
    EXPECT_EQ(window.findChild<DrawingWindow*>(), nullptr) << "a run created the drawing window";
    DrawingWindow* drawing = open();
    ASSERT_NE(drawing, nullptr);
    EXPECT_TRUE(drawing->isVisible());
    EXPECT_TRUE(drawing->isWindow());
    EXPECT_EQ(drawing->windowTitle(), QStringLiteral("型线图"));
    drawing->close();
    EXPECT_EQ(open(), drawing) << "opened again, it is the same window";
    EXPECT_TRUE(drawing->isVisible());
}

TEST_F(DrawingWindowUse, ShowsTheViewsAndChecksOfARunBeforeItWasOpened)
{
    run(QStringLiteral("2000"));
    open();
    const std::vector<std::string> titles{"A—A 断面", "平面图", "φ=0°断面", "φ=10°断面", "φ=20°断面",
                                          "φ=30°断面", "φ=40°断面", "φ=50°断面", "φ=60°断面", "φ=70°断面",
                                          "φ=80°断面", "φ=84°断面", "φ=87°断面", "φ=90°断面", "断面面积说明"};
    EXPECT_EQ(viewTitles(), titles);
    const QStringList lines = checks();
    const QStringList a40 = lines.filter(QStringLiteral("a40按二次式"));
    ASSERT_EQ(a40.size(), 1) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(a40[0].contains(QStringLiteral("2134 mm"))) << a40[0].toStdString();
    EXPECT_TRUE(exportsEnabled());
}

TEST_F(DrawingWindowUse, MarksTheWarningsAndLeavesTheFiguresPlain)
{
    run(QStringLiteral("2000"));
    open();
    const auto* list = window.drawingWindow()->findChild<QListWidget*>(QStringLiteral("checks"));
    ASSERT_NE(list, nullptr);
    int marked = 0, plain = 0;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        const bool velocity = item->text().contains(QStringLiteral("流速"));
        if (item->icon().isNull()) {
            ++plain;
        } else {
            ++marked;
            EXPECT_FALSE(velocity) << "a figure marked as a warning: " << item->text().toStdString();
        }
    }
    // The default L box "3.5～5.0" is read as 3.5·D in a box that says mm: a warning too.
    EXPECT_EQ(marked, 11) << "the width sets differing, a0, a40 to a87, the jump to a90 and L read as 3.5 × D";
    EXPECT_EQ(plain, 22) << "H2/D1, the cone's top against Ds, five proportions to D, the clearance, three "
                            "velocities and one through each station but 0 degrees";
}

TEST_F(DrawingWindowUse, OpenedBeforeAnyRunSaysThereIsNothingYet)
{
    open();
    EXPECT_TRUE(view().drawing().views.empty());
    EXPECT_TRUE(view().message().contains(QStringLiteral("尚未计算"))) << view().message().toStdString();
    EXPECT_TRUE(checks().isEmpty());
    EXPECT_FALSE(exportsEnabled());
}

TEST_F(DrawingWindowUse, FailedRunEmptiesItAndTheNextRunFillsItAgain)
{
    open();
    run(QStringLiteral("2000"));
    ASSERT_EQ(view().drawing().views.size(), 16u);  // fourteen views, the note on the areas and the sheet

    run(QString());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_TRUE(view().drawing().views.empty()) << "a drawing of the earlier design is still shown";
    const QString message = view().message();
    EXPECT_TRUE(message.startsWith(QStringLiteral("计算未完成："))) << message.toStdString();
    EXPECT_TRUE(message.contains(failures[0])) << message.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral("，无图形"))) << message.toStdString();
    EXPECT_TRUE(checks().isEmpty()) << checks().join(u'\n').toStdString();
    EXPECT_FALSE(exportsEnabled());

    run(QStringLiteral("2000"));
    EXPECT_EQ(view().drawing().views.size(), 16u);
    EXPECT_FALSE(checks().filter(QStringLiteral("a40")).isEmpty());
    EXPECT_TRUE(exportsEnabled());
}

TEST_F(DrawingWindowUse, FailureBeforeItWasOpenedIsShownWhenItOpens)
{
    run(QStringLiteral("2000"));
    run(QString());
    open();
    EXPECT_TRUE(view().drawing().views.empty());
    EXPECT_TRUE(view().message().contains(QStringLiteral("a30"))) << view().message().toStdString();
}

TEST_F(DrawingWindowUse, ShowsTheSheetWithItsTitleBlockFilledFromTheDesignInformation)
{
    DrawingWindow* drawing = open();
    run(QStringLiteral("2000"));
    const auto sheetTexts = [this] {
        std::vector<std::string> texts;
        for (const View& v : view().drawing().views)
            if (v.name == "SHEET")
                for (const Shape& s : v.shapes)
                    if (const auto* label = std::get_if<Label>(&s.geometry))
                        texts.push_back(label->text);
        return texts;
    };
    const auto holds = [](const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    EXPECT_TRUE(holds(sheetTexts(), "进水流道型线图"));
    DesignInfo info;
    info.project = QStringLiteral("某泵站更新改造工程");
    drawing->setDesignInfo(info, QString());
    EXPECT_TRUE(holds(sheetTexts(), "某泵站更新改造工程")) << "the title block is not filled again";
}

TEST_F(DrawingWindowUse, RedrawsAfterEveryRun)
{
    open();
    const auto dimensionTexts = [this] {
        std::vector<std::string> texts;
        for (const Shape& s : view().drawing().views.front().shapes)
            if (const auto* d = std::get_if<Dimension>(&s.geometry))
                texts.push_back(d->text);
        return texts;
    };
    const auto holds = [](const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    run(QStringLiteral("2000"));
    EXPECT_TRUE(holds(dimensionTexts(), "hk=2000"));
    run(QStringLiteral("1000"));
    EXPECT_TRUE(holds(dimensionTexts(), "hk=1000"));
    EXPECT_FALSE(holds(dimensionTexts(), "hk=2000"));
}

TEST_F(DrawingWindowUse, SaysWhereTheWidthSetsDifferAndSwitchesThemInOneClick)
{
    run(QStringLiteral("2000"));
    const auto boxTexts = [this] {
        QStringList texts;
        for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
            texts << edit->objectName() + QLatin1Char('=') + edit->text();
        return texts;
    };
    const QStringList boxes = boxTexts();
    DrawingWindow* drawing = open();
    const auto widthAt40 = [this] {
        for (const View& v : view().drawing().views)
            if (v.name == "STATION_40")
                for (const Shape& s : v.shapes)
                    if (const auto* d = std::get_if<Dimension>(&s.geometry); d && d->text.starts_with("a40="))
                        return d->text;
        return std::string();
    };
    EXPECT_TRUE(drawing->widthNote().contains(QStringLiteral("a40、a50、a60、a70、a80、a84、a87")))
        << drawing->widthNote().toStdString();
    EXPECT_TRUE(drawing->widthNote().startsWith(QStringLiteral("红字：所绘断面面积与 F 相差超过 0.5 %")))
        << drawing->widthNote().toStdString();
    EXPECT_TRUE(drawing->widthNote().contains(QStringLiteral("11—11"))) << drawing->widthNote().toStdString();
    EXPECT_EQ(widthAt40(), "a40=823");

    drawing->findChild<QPushButton*>(QStringLiteral("switchWidths"))->click();
    EXPECT_EQ(window.lastRun().widthSet(), WidthSet::AreaTrue);
    EXPECT_EQ(widthAt40(), "a40=827") << "the drawing is not drawn with the area-true widths";
    EXPECT_EQ(boxTexts(), boxes) << "the area-true widths reached the boxes";
    EXPECT_TRUE(window.hasUnsavedChanges()) << "the choice is part of the design";

    run(QStringLiteral("1000"));
    EXPECT_TRUE(drawing->widthNote().isEmpty()) << drawing->widthNote().toStdString();
    EXPECT_EQ(viewTitles(), (std::vector<std::string>{"A—A 断面", "平面图"})) << "a station section without a shape";
    EXPECT_TRUE(checks().filter(QStringLiteral("宽度为")).isEmpty()) << "another width is offered";
}

TEST_F(DrawingWindowUse, ExportsTheDrawingAndNamesTheFileItCannotWrite)
{
    run(QStringLiteral("2000"));
    DrawingWindow* drawing = open();
    QTemporaryDir folder;
    const QString dxf = folder.filePath(QStringLiteral("型线图.dxf"));
    EXPECT_NO_THROW(drawing->exportTo(dxf));
    EXPECT_GT(QFile(dxf).size(), 10000);

    const QString missing = folder.filePath(QStringLiteral("missing/型线图.png"));
    try {
        drawing->exportTo(missing);
        ADD_FAILURE() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.file, QDir::toNativeSeparators(missing).toStdString());
    }
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(DrawingWindowUse, ExportEntriesAskWithTheExportDialog)
{
    run(QStringLiteral("2000"));
    QTemporaryDir folder;
    QString offered;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<DrawingExportDialog*>(QApplication::activeModalWidget())) {
            offered = dialog->path();
            dialog->setPath(folder.filePath(QStringLiteral("型线图.dxf")));
            dialog->accept();
        }
    });
    answer.start(10);
    menuItem(*open(), QStringLiteral("文件"), QStringLiteral("导出 DXF…"))->trigger();
    EXPECT_TRUE(offered.endsWith(QStringLiteral("型线图.dxf"))) << offered.toStdString();
    EXPECT_GT(QFile(folder.filePath(QStringLiteral("型线图.dxf"))).size(), 1000);
}

}  // namespace
}  // namespace inlet::test
