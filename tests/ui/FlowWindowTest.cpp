// 水力评价: created when 查看 first asks for it, it shows the design's flow only while it was
// computed for the last run's texts; a run goes on away from the window's thread (the window
// answers while OpenFOAM's programs run) and can be cancelled; a run that fails takes the
// figures away, so that nothing stale is shown. OpenFOAM's programs are stood in for by
// scripts on PATH.

#include "ui/FlowWindow.h"
#include "model/LastRun.h"
#include "ui/MainWindow.h"
#include "tests/ui/MenuTitle.h"
#include "ui/MeshTimes.h"
#include "ui/UnsettledFigures.h"
#include "openfoam/ProcessCount.h"
#include "document/DesignFile.h"
#include "sheet/SheetDocument.h"
#include "sheet/SheetInput.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace inlet::test {
namespace {

// A settled flow as a design file keeps it, for the texts the main window holds.
QJsonObject settledFlow(const MainWindow& window)
{
    QJsonObject texts;
    for (const Box box : givenParameterBoxes()) {
        const std::string_view symbol = boxInfo(box).symbol;
        texts[QString::fromUtf8(symbol.data(), qsizetype(symbol.size()))] =
            window.findChild<QLineEdit*>(QString::fromUtf8(boxInfo(box).name.data(), qsizetype(boxInfo(box).name.size())))->text();
    }
    const QJsonArray sections{QJsonObject{{"name", "cone_inlet"}, {"Vu", 88.2}, {"theta", 80.1}, {"headLoss", 0.031}, {"flow", 15.0}},
                              QJsonObject{{"name", "pump_inlet"}, {"Vu", 91.7}, {"theta", 83.6}, {"thetaSwirl", 86.2},
                                          {"headLoss", 0.0532}, {"flow", 15.0}, {"backflowArea", 0.056}, {"backflowFlow", 0.012}}};
    const QJsonObject result{{"status", "settled"}, {"cells", 123456}, {"iterations", 340}, {"sections", sections}};
    return QJsonObject{{"settings", QJsonObject{{"mesh", "coarse"}, {"case", "/nonexistent"}}}, {"texts", texts}, {"result", result}};
}

// The flow of `settledFlow` settled on its means over iterations 601 to 800, each figure with
// the least and most it took there (the cone inlet's record kept no band of theta_s, as a file
// written before it was).
QJsonObject averagedFlow(const MainWindow& window)
{
    QJsonObject flow = settledFlow(window);
    QJsonObject result = flow.value(QStringLiteral("result")).toObject();
    result["averagedOver"] = QJsonArray{601, 800};
    QJsonArray sections = result.value(QStringLiteral("sections")).toArray();
    const QJsonObject bands[] = {
        QJsonObject{{"Vu", QJsonArray{87.04, 89.21}}, {"theta", QJsonArray{79.66, 80.52}}, {"headLoss", QJsonArray{0.02881, 0.03327}}},
        QJsonObject{{"Vu", QJsonArray{89.46, 93.27}},
                    {"theta", QJsonArray{82.94, 84.36}},
                    {"thetaSwirl", QJsonArray{85.52, 86.97}},
                    {"headLoss", QJsonArray{0.05012, 0.05634}}}};
    for (qsizetype i = 0; i < sections.size(); ++i) {
        QJsonObject s = sections[i].toObject();
        s["band"] = bands[i];
        sections[i] = s;
    }
    result["sections"] = sections;
    flow["result"] = result;
    return flow;
}

class FlowWindowUse : public testing::Test {
protected:
    MainWindow window;
    QTemporaryDir programs;  // stand-ins for OpenFOAM's programs
    QTemporaryDir cases;
    QByteArray path = qgetenv("PATH");

    void SetUp() override
    {
        window.setFailureReporter([](QWidget&, const QString&) {});
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void TearDown() override { qputenv("PATH", path); }

    void run(const QString& hk)
    {
        window.findChild<QLineEdit*>(QStringLiteral("Text21"))->setText(hk);
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }

    // OpenFOAM's programs as scripts: blockMesh runs `blockMesh`, the others succeed.
    void standIn(const QByteArray& blockMesh)
    {
        for (const char* name : {"blockMesh", "snappyHexMesh", "simpleFoam"}) {
            QFile script(QDir(programs.path()).filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\n" + (QByteArray(name) == "blockMesh" ? blockMesh : QByteArray("exit 0")) + "\n");
            script.close();
            script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        }
        qputenv("PATH", programs.path().toLocal8Bit() + ":" + path);
    }

    FlowWindow& flowWindow()
    {
        for (QAction* action : window.menuBar()->actions())
            if (menuTitle(*action) == QStringLiteral("查看"))
                for (QAction* item : action->menu()->actions())
                    if (item->text() == QStringLiteral("水力评价…"))
                        item->trigger();
        return *window.flowWindow();
    }

    // The sheet's text of the design the window shows: the boxes' texts and the flow kept with them.
    QString sheetOfTheWindowsDesign()
    {
        Design design = defaultDesign();
        for (const Box box : givenParameterBoxes())
            design.texts[box] = window.findChild<QLineEdit*>(QString::fromUtf8(boxInfo(box).name.data(),
                                                                               qsizetype(boxInfo(box).name.size())))
                                    ->text();
        design.flow = window.lastRun().flow();
        return SheetDocument(sheetInputFor(design, NumberLocale{".", ","}, false)).document().toPlainText();
    }

    void startIn(FlowWindow& flow, const QString& folder)
    {
        FlowOptions options = flow.options();
        options.dir = QDir(cases.path()).filePath(folder).toStdString();
        options.level = cfd::MeshLevel::Tiny;
        flow.setOptions(options);
        ASSERT_TRUE(flow.run());
    }
};

TEST_F(FlowWindowUse, ShowsTheDesignsFlowOnlyWhileTheBoxesHoldItsTexts)
{
    EXPECT_EQ(window.flowWindow(), nullptr) << "created before it was asked for";
    run(QStringLiteral("2000"));
    window.lastRun().setFlow(settledFlow(window));
    FlowWindow& flow = flowWindow();
    ASSERT_EQ(flow.figureRows().size(), 2u);
    // theta both ways and the backflow's shares; a record kept before theta of the swirl alone
    // was (the cone inlet's here) leaves its cell empty.
    EXPECT_EQ(flow.figureRows()[1],
              (QStringList{QStringLiteral("水泵进口断面"), "91.7", "83.6", "86.2", "0.0532", "15.000", "5.6", "1.2"}));
    EXPECT_EQ(flow.figureRows()[0],
              (QStringList{QStringLiteral("喇叭管进口（锥管进口）"), "88.2", "80.1", "", "0.0310", "15.000", "", ""}));
    EXPECT_FALSE(flow.showsContour()) << "a picture from a case folder that is not there";

    // The other widths taken: the flow (computed with the computed ones) is another design's.
    window.chooseWidthSet(WidthSet::AreaTrue);
    EXPECT_TRUE(flow.figureRows().empty());
    EXPECT_TRUE(flow.note().contains(QStringLiteral("蜗壳宽度由“按计算结果”改为“按断面形状（面积一致）”")))
        << flow.note().toStdString();
    window.chooseWidthSet(WidthSet::Computed);
    EXPECT_EQ(flow.figureRows().size(), 2u);

    // A flow of another hk is named as such (it used to read as no flow at all).
    run(QStringLiteral("2100"));
    EXPECT_TRUE(flow.figureRows().empty());
    EXPECT_TRUE(flow.note().contains(QStringLiteral("属于另一组输入参数（hk 由 “2000” 改为 “2100”）")))
        << flow.note().toStdString();
    run(QString());
    EXPECT_TRUE(flow.figureRows().empty());
    EXPECT_TRUE(flow.note().startsWith(QStringLiteral("计算未完成"))) << flow.note().toStdString();
    run(QStringLiteral("2000"));
    EXPECT_EQ(flow.figureRows().size(), 2u);
}

// A flow kept with its mesh study shows each figure with its GCI band, a figure beyond 5 %
// marked 未收敛, and beside them what they rest on with the verdict; without checkMesh's
// figures the mesh quality is not known, and the verdict cannot be 可信.
TEST_F(FlowWindowUse, ShowsTheBandsAndTheVerdict)
{
    run(QStringLiteral("2000"));
    QJsonObject flow = settledFlow(window);
    QJsonObject result = flow.value(QStringLiteral("result")).toObject();
    result["flowGiven"] = 15.0;
    QJsonArray sections = result.value(QStringLiteral("sections")).toArray();
    for (qsizetype i = 0; i < sections.size(); ++i) {
        QJsonObject s = sections[i].toObject();
        s["backflowArea"] = 0.02;
        sections[i] = s;
    }
    result["sections"] = sections;
    flow["result"] = result;
    auto figure = [](const char* section, const char* name, double value, double gci) {
        return QJsonObject{{"section", section}, {"figure", name}, {"values", QJsonArray{value, value, value}},
                           {"convergence", "monotone"}, {"order", 1.5}, {"bandOrder", 1.5}, {"gci", gci}};
    };
    flow["meshStudy"] = QJsonObject{{"levels", QJsonArray{"fine", "medium", "coarse"}},
                                    {"cells", QJsonArray{667300, 278563, 122152}},
                                    {"figures", QJsonArray{figure("pump_inlet", "Vu", 91.7, 0.01),
                                                           figure("pump_inlet", "headLoss", 0.0532, 0.155)}}};
    window.lastRun().setFlow(flow);
    FlowWindow& shown = flowWindow();
    ASSERT_EQ(shown.figureRows().size(), 2u);
    EXPECT_EQ(shown.figureRows()[1],
              (QStringList{QStringLiteral("水泵进口断面"), "91.7 ± 0.9", "83.6", "86.2", QStringLiteral("0.0532 ± 0.0082 未收敛"),
                           "15.000", "2.0", "1.2"}));
    const QString trust = shown.trustText();
    EXPECT_TRUE(trust.contains(QStringLiteral("流量连续性：喇叭管进口（锥管进口） 15.000 m³/s（+0.0%）"))) << trust.toStdString();
    EXPECT_TRUE(trust.contains(QStringLiteral("回流：喇叭管进口（锥管进口） 占面积 2.0%"))) << trust.toStdString();
    EXPECT_TRUE(trust.contains(QStringLiteral("最大 GCI 15.5%（水泵进口断面 水头损失；限 5%）"))) << trust.toStdString();
    EXPECT_TRUE(trust.contains(QStringLiteral("网格质量（checkMesh）：未知"))) << trust.toStdString();
    EXPECT_TRUE(trust.endsWith(QStringLiteral("结论：需加密网格：水泵进口断面 水头损失 GCI 15.5%（限 5%），未收敛；"
                                              "网格质量未知（无 checkMesh 数据）")))
        << trust.toStdString();
}

// A run settled on its means: each figure beside the least and most it took over the iterations
// it is a mean of, and the stop condition it met; a run settled steadily keeps the steady rule.
TEST_F(FlowWindowUse, ShowsTheMeansWithTheirSwingAndTheStopCondition)
{
    run(QStringLiteral("2000"));
    window.lastRun().setFlow(averagedFlow(window));
    FlowWindow& flow = flowWindow();
    const std::vector<QStringList> rows = flow.figureRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (QStringList{QStringLiteral("喇叭管进口（锥管进口）"), "88.2", "80.1", "", "0.0310", "15.000", "", ""}));
    EXPECT_EQ(rows[1], (QStringList{QStringLiteral("波动范围"), QStringLiteral("87.0～89.2"), QStringLiteral("79.7～80.5"), "",
                                    QStringLiteral("0.0288～0.0333"), "", "", ""}));
    EXPECT_EQ(rows[2], (QStringList{QStringLiteral("水泵进口断面"), "91.7", "83.6", "86.2", "0.0532", "15.000", "5.6", "1.2"}));
    EXPECT_EQ(rows[3], (QStringList{QStringLiteral("波动范围"), QStringLiteral("89.5～93.3"), QStringLiteral("82.9～84.4"),
                                    QStringLiteral("85.5～87.0"), QStringLiteral("0.0501～0.0563"), "", "", ""}));
    const QString text = flow.runText();
    EXPECT_TRUE(text.contains(QStringLiteral("迭代 340 次（上限 0）后停止：各断面 Vu、θ̄、水头损失周期性波动：取第 601～800 次迭代的平均值，"
                                             "与其前 200 次迭代的平均值相差均小于 0.5%；")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("表中各值为第 601～800 次迭代的平均值；其间的波动范围："
                                             "喇叭管进口（锥管进口） Vu 87.0～89.2%，θ̄ 79.7～80.5°，水头损失 0.0288～0.0333 m；"
                                             "水泵进口断面 Vu 89.5～93.3%，θ̄ 82.9～84.4°，θ̄ 仅旋流 85.5～87.0°，水头损失 0.0501～0.0563 m。")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("变化均小于 0.1%"))) << "the steady rule this run did not meet";

    // Held steady: the steady rule, no swing.
    window.lastRun().setFlow(settledFlow(window));
    EXPECT_TRUE(flow.runText().contains(QStringLiteral("后停止：各断面 Vu、θ̄、水头损失在 100 次迭代内变化均小于 0.1%；")))
        << flow.runText().toStdString();
    EXPECT_FALSE(flow.runText().contains(QStringLiteral("波动"))) << flow.runText().toStdString();
    ASSERT_EQ(flow.figureRows().size(), 2u) << "no 波动范围 rows";
    EXPECT_EQ(flow.figureRows()[1][0], QStringLiteral("水泵进口断面"));

    // Kept unsettled (means and bands but the iteration limit reached): named, never shown as a result.
    QJsonObject unsettled = averagedFlow(window);
    QJsonObject result = unsettled.value(QStringLiteral("result")).toObject();
    result["status"] = "iteration-limit";
    unsettled["result"] = result;
    window.lastRun().setFlow(unsettled);
    EXPECT_TRUE(flow.figureRows().empty());
    EXPECT_TRUE(flow.runText().isEmpty()) << flow.runText().toStdString();
    EXPECT_TRUE(flow.note().contains(QStringLiteral("未得到收敛的结果"))) << flow.note().toStdString();
}

// The window and the sheet read the swing from the same record: every band the window shows
// is the sheet's, section by section, and the sheet names the same iterations.
TEST_F(FlowWindowUse, TheWindowsSwingIsTheSheets)
{
    run(QStringLiteral("2000"));
    window.lastRun().setFlow(averagedFlow(window));
    FlowWindow& flow = flowWindow();
    const QString sheet = sheetOfTheWindowsDesign();
    ASSERT_TRUE(sheet.contains(QStringLiteral("表中各值为第 601～800 次迭代的平均值"))) << sheet.toStdString();
    // The sheet's swing, a part per section: "NAME Vu low～high%，θ̄ …".
    const qsizetype from = sheet.indexOf(QStringLiteral("其间的波动范围："));
    ASSERT_GE(from, 0) << sheet.toStdString();
    const qsizetype to = sheet.indexOf(QStringLiteral("。"), from);
    const QStringList parts = sheet.mid(from + 8, to - from - 8).split(QStringLiteral("；"));
    const std::vector<QStringList> rows = flow.figureRows();
    ASSERT_EQ(rows.size(), 4u);
    int compared = 0;
    for (std::size_t r = 0; r + 1 < rows.size(); r += 2) {
        const QStringList& section = rows[r];
        const QStringList& swing = rows[r + 1];
        ASSERT_EQ(swing[0], QStringLiteral("波动范围"));
        QString part;
        for (const QString& p : parts)
            if (p.startsWith(section[0] + QStringLiteral(" ")))
                part = p;
        ASSERT_FALSE(part.isEmpty()) << section[0].toStdString() << " not in the sheet's swing";
        const struct {
            int column;
            QString name, unit;
        } figures[] = {{1, QStringLiteral("Vu"), QStringLiteral("%")},
                       {2, QStringLiteral("θ̄"), QStringLiteral("°")},
                       {3, QStringLiteral("θ̄ 仅旋流"), QStringLiteral("°")},
                       {4, QStringLiteral("水头损失"), QStringLiteral(" m")}};
        for (const auto& f : figures) {
            if (swing[f.column].isEmpty())
                continue;
            EXPECT_TRUE(part.contains(f.name + QStringLiteral(" ") + swing[f.column] + f.unit))
                << section[0].toStdString() << " " << f.name.toStdString() << " " << swing[f.column].toStdString()
                << " not in " << part.toStdString();
            ++compared;
        }
    }
    EXPECT_EQ(compared, 7) << "Vu, θ̄ and the loss at both sections and θ̄ of the swirl at the pump inlet";
}

// Means of a swinging solution whose band is wide: the window's 结论 and the sheet's both name
// the figure that swings beyond ±5 % about its mean (the cone inlet's loss 0.0288～0.0333 about
// 0.0310, the pump inlet's 0.0501～0.0563 about 0.0532); the figures within it are not named.
TEST_F(FlowWindowUse, TheVerdictWeighsTheSwingAboutTheMeans)
{
    run(QStringLiteral("2000"));
    window.lastRun().setFlow(averagedFlow(window));
    const QString trust = flowWindow().trustText();
    const QString cone = QStringLiteral("喇叭管进口（锥管进口） 水头损失 在均值附近摆动 ±7.2%（限 ±5%），按均值取用");
    const QString pump = QStringLiteral("水泵进口断面 水头损失 在均值附近摆动 ±5.8%（限 ±5%），按均值取用");
    EXPECT_TRUE(trust.contains(QStringLiteral("结论：不可用："))) << "the cone inlet's backflow is not known: " << trust.toStdString();
    EXPECT_TRUE(trust.contains(cone)) << trust.toStdString();
    EXPECT_TRUE(trust.contains(pump)) << trust.toStdString();
    EXPECT_FALSE(trust.contains(QStringLiteral("Vu 在均值附近摆动"))) << trust.toStdString();

    const QString sheet = sheetOfTheWindowsDesign();
    EXPECT_TRUE(sheet.contains(cone)) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains(pump)) << sheet.toStdString();

    // Held steady, the same figures have no swing to weigh.
    window.lastRun().setFlow(settledFlow(window));
    EXPECT_FALSE(flowWindow().trustText().contains(QStringLiteral("摆动"))) << flowWindow().trustText().toStdString();
}

// Whether `label`'s whole text can be read: the label as large as its text needs at its width
// (taller where it wraps), and all of it within what its window shows, or within the widget of
// a scroll area whose scroll bars reach all of that widget. Empty when it can; what is cut off
// otherwise.
std::string cutOff(const QLabel& label)
{
    const std::string name = label.objectName().toStdString();
    const QSize hint = label.sizeHint();
    const int height = label.hasHeightForWidth() ? label.heightForWidth(label.width()) : hint.height();
    if (height > label.height())
        return name + " needs " + std::to_string(height) + " px in height, has " + std::to_string(label.height());
    if (!label.wordWrap() && hint.width() > label.width())
        return name + " needs " + std::to_string(hint.width()) + " px in width, has " + std::to_string(label.width());
    // Each parent up to the window, or up to a scroll area's widget, shows the label whole.
    QRect shown = label.rect();
    for (const QWidget* w = &label; w->parentWidget() && !w->isWindow(); w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        const auto* area = qobject_cast<const QScrollArea*>(parent->parentWidget());
        if (area && area->widget() == w)
            return w->height() > area->viewport()->height() + area->verticalScrollBar()->maximum()
                           || w->width() > area->viewport()->width() + area->horizontalScrollBar()->maximum()
                       ? name + " lies beyond what " + area->objectName().toStdString() + " scrolls to"
                       : std::string();
        shown.translate(w->pos());
        if (!parent->rect().contains(shown))
            return name + " runs out of " + parent->objectName().toStdString();
    }
    return {};
}

// At the size the engineer first meets it, with the most a record holds (a run settled on its
// means: a 波动范围 row under each section; the GCI bands, wider cells; what the figures rest on,
// a line each): every row of the table without scrolling it, every text whole.
TEST_F(FlowWindowUse, EverythingCanBeReadAtTheFirstSize)
{
    run(QStringLiteral("2000"));
    QJsonObject flow = averagedFlow(window);
    QJsonObject result = flow.value(QStringLiteral("result")).toObject();
    result["flowGiven"] = 15.0;
    result["residuals"] = QJsonObject{{"Ux", 1.2e-5}, {"Uy", 1.1e-5}, {"Uz", 9.8e-6}, {"k", 3.4e-5}, {"omega", 2.1e-5}, {"p", 4.4e-4}};
    result["yPlus"] = QJsonObject{{"min", 19.7}, {"max", 15426.0}, {"mean", 412.3}, {"shareWithin30To300", 0.41}};
    flow["result"] = result;
    auto figure = [](const char* section, const char* name, double value, double gci) {
        return QJsonObject{{"section", section}, {"figure", name}, {"values", QJsonArray{value, value, value}},
                           {"convergence", "monotone"}, {"order", 1.5}, {"bandOrder", 1.5}, {"gci", gci}};
    };
    flow["meshStudy"] = QJsonObject{{"levels", QJsonArray{"fine", "medium", "coarse"}},
                                    {"cells", QJsonArray{667300, 278563, 122152}},
                                    {"figures", QJsonArray{figure("cone_inlet", "Vu", 88.2, 0.02), figure("cone_inlet", "theta", 80.1, 0.01),
                                                           figure("cone_inlet", "headLoss", 0.031, 0.43),
                                                           figure("pump_inlet", "Vu", 91.7, 0.01), figure("pump_inlet", "theta", 83.6, 0.004),
                                                           figure("pump_inlet", "headLoss", 0.0532, 0.155)}}};
    window.lastRun().setFlow(flow);
    FlowWindow& shown = flowWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown));
    QTest::qWait(50);  // the layout settled
    ASSERT_EQ(shown.height(), 780) << "not the height the engineer meets it at";
    ASSERT_EQ(shown.figureRows().size(), 4u);
    ASSERT_FALSE(shown.trustText().isEmpty());

    const auto* table = shown.findChild<QTableWidget*>(QStringLiteral("figures"));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->verticalScrollBar()->maximum(), 0) << "the table scrolls its rows";
    EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0) << "the table scrolls its columns";
    int labels = 0;
    for (const QLabel* label : shown.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&shown) || label->text().isEmpty())
            continue;
        EXPECT_EQ(cutOff(*label), "") << label->text().toStdString();
        ++labels;
    }
    EXPECT_GE(labels, 3) << "the run's and the trust's texts among them";
}

// Tab takes every control the window shows, each once, in the order its form states (the
// figures' area among them: from there the keys scroll the texts under the table).
TEST_F(FlowWindowUse, TabTakesEveryControlInTheFormsOrder)
{
    QFile file(QStringLiteral(INLET_SOURCE_DIR "/ui/FlowWindow.ui"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QXmlStreamReader xml(&file);
    std::vector<std::string> stops;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"tabstop")
            stops.push_back(xml.readElementText().toStdString());
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    ASSERT_FALSE(stops.empty());

    run(QStringLiteral("2000"));
    window.lastRun().setFlow(averagedFlow(window));
    FlowWindow& shown = flowWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown));
    QWidget* first = shown.findChild<QWidget*>(QString::fromStdString(stops.front()));
    ASSERT_NE(first, nullptr) << stops.front();
    // The chain once round; a control that hands its focus on (a tab widget to its tab bar) is
    // named by the control.
    std::vector<std::string> taken;
    QWidget* w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisibleTo(&shown) && w->window() == &shown) {
            const QWidget* parent = w->parentWidget();
            taken.push_back((parent && parent->focusProxy() == w ? parent : w)->objectName().toStdString());
        }
        w = w->nextInFocusChain();
    } while (w != first);
    EXPECT_EQ(taken, stops);
}

TEST_F(FlowWindowUse, AFailedRunTakesTheFiguresAway)
{
    run(QStringLiteral("2000"));
    window.lastRun().setFlow(settledFlow(window));
    FlowWindow& flow = flowWindow();
    standIn("echo 'cannot open blockMeshDict'; exit 1");
    QSignalSpy ended(&flow, &FlowWindow::runEnded);
    startIn(flow, QStringLiteral("failing"));
    ASSERT_TRUE(ended.wait(120000));
    EXPECT_TRUE(flow.figureRows().empty());
    EXPECT_TRUE(window.lastRun().flow().isEmpty());
    // Said in Chinese throughout: the stage and what failed come from the failure's facts.
    EXPECT_TRUE(flow.note().contains(QStringLiteral("水力计算失败：划分网格：blockMesh 失败，退出状态 1")))
        << flow.note().toStdString();
    EXPECT_FALSE(flow.note().contains(QStringLiteral("failed"))) << flow.note().toStdString();
    EXPECT_TRUE(window.hasUnsavedChanges());
}

TEST_F(FlowWindowUse, OffersOnlyTheProcessesTheCoresAndTheMeshBear)
{
    run(QStringLiteral("2000"));
    FlowWindow& flow = flowWindow();
    FlowOptions options = flow.options();
    options.processes = 1000;
    options.level = cfd::MeshLevel::Tiny;
    flow.setOptions(options);
    EXPECT_EQ(flow.options().processes, 1) << "4,000 cells are one process's";
    options.level = cfd::MeshLevel::Coarse;
    flow.setOptions(options);
    EXPECT_EQ(flow.options().processes, std::min(cfd::coresPresent(), 6));
}

TEST_F(FlowWindowUse, RunsAwayFromTheWindowAndCancels)
{
    run(QStringLiteral("2000"));
    window.lastRun().setFlow(settledFlow(window));
    FlowWindow& flow = flowWindow();
    const QString started = QDir(programs.path()).filePath(QStringLiteral("started"));
    standIn("touch '" + started.toLocal8Bit() + "'; sleep 120");
    QSignalSpy ended(&flow, &FlowWindow::runEnded);
    startIn(flow, QStringLiteral("cancelled"));
    // run() has returned while the mesher is yet to start or is running: the window answers.
    EXPECT_TRUE(flow.isRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(started); }, 120000));
    EXPECT_TRUE(flow.isRunning());
    flow.cancel();
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_FALSE(flow.isRunning());
    EXPECT_EQ(flow.figureRows().size(), 2u) << "a cancelled run keeps the design's flow";
}

TEST_F(FlowWindowUse, ProgressStartsEmpty)
{
    run(QStringLiteral("2000"));
    const auto* progress = flowWindow().findChild<QProgressBar*>(QStringLiteral("progress"));
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->value(), progress->minimum());
    EXPECT_GT(progress->maximum(), 0) << "busy before anything runs";
    EXPECT_FALSE(progress->isTextVisible() && !progress->text().isEmpty())
        << "a count before anything is counted: " << progress->text().toStdString();
}

// Each level as the engineer chooses it: its cells and what it costs, measured here or stated
// as an estimate; the first settled run's time is kept, a later one does not replace it.
TEST_F(FlowWindowUse, NamesEachLevelsCellsAndTime)
{
    MeshTimes::measured(cfd::MeshLevel::Tiny, 8123, 75);
    MeshTimes::measured(cfd::MeshLevel::Tiny, 9000, 600);
    MeshTimes::measured(cfd::MeshLevel::Fine, 0, 100);  // not a mesh: not kept
    run(QStringLiteral("2000"));
    const auto* mesh = flowWindow().findChild<QComboBox*>(QStringLiteral("mesh"));
    ASSERT_NE(mesh, nullptr);
    const std::map<cfd::MeshLevel, QString> expected{
        {cfd::MeshLevel::Coarse, QStringLiteral("粗网格：约 12 万个单元，约 5 分钟（估计）")},
        {cfd::MeshLevel::Medium, QStringLiteral("中网格：约 28 万个单元，约 30 分钟（估计）")},
        {cfd::MeshLevel::Fine, QStringLiteral("细网格：约 67 万个单元，约 45 分钟（估计）")},
        {cfd::MeshLevel::Tiny, QStringLiteral("试算网格（只检验流程）：8123 个单元，本机用时 1.3 分钟")},
    };
    ASSERT_EQ(mesh->count(), 4);
    for (int i = 0; i < mesh->count(); ++i)
        EXPECT_EQ(mesh->itemText(i), expected.at(static_cast<cfd::MeshLevel>(mesh->itemData(i).toInt())));
}

// A run stopped at the iteration limit: its last figures are said, marked as no result (the
// window keeps no flow from it), the means with their swing where it averaged them.
TEST(UnsettledFigures, AreMarkedAsNoResult)
{
    cfd::FlowResult averaged;
    averaged.status = cfd::RunStatus::IterationLimit;
    averaged.averagedFrom = 800, averaged.averagedTo = 1000;
    averaged.sections.push_back({"pump_inlet", "", {}, 0.0761});
    cfd::SectionResult& s = averaged.sections.back();
    s.figures.uniformity = 70.12, s.figures.angle = 82.04, s.figures.swirlAngle = 86.47;
    s.uniformityBand = {64.11, 73.42}, s.angleBand = {81.68, 82.44}, s.lossBand = {0.0683, 0.0882};
    s.swirlAngleBand = cfd::Band{85.93, 86.88};
    cfd::FlowResult last = averaged;
    last.averagedFrom = last.averagedTo = 0;
    cfd::FlowResult none = averaged;
    none.sections.clear();
    const struct {
        const char* name;
        cfd::FlowResult result;
        QString text;
    } rows[] = {
        {"meansWithTheirSwing", averaged,
         QStringLiteral("第 801～1000 次迭代的平均值（未稳定，不作结果）：水泵进口断面 Vu 70.1%（波动 64.1～73.4），"
                        "θ̄ 82.0°（波动 81.7～82.4），θ̄ 仅旋流 86.5°（波动 85.9～86.9），水头损失 0.0761 m（波动 0.0683～0.0882）")},
        {"lastEvaluation", last,
         QStringLiteral("最后一次评价的数值（未稳定，不作结果）：水泵进口断面 Vu 70.1%，θ̄ 82.0°，θ̄ 仅旋流 86.5°，水头损失 0.0761 m")},
        {"noFigures", none, QString()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(unsettledFiguresText(row.result), row.text);
    }
}

}  // namespace
}  // namespace inlet::test
