// 设计 → 方案比选…: the study window runs a real study through inlet-calc (hk × aa at the
// checks' depth) and shows what study.csv holds: every variant a row, the Pareto front of two
// figures the line of the front's points; a variant opens in the main window as a file does;
// a study inlet-calc refuses shows its words, not an empty table.

#include "calc/NumberLocale.h"
#include "platform/NumberFormat.h"
#include "study/ParetoFront.h"
#include "study/StudyTable.h"
#include "tests/ui/DocumentWindow.h"
#include "tests/ui/MenuTitle.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineSeries>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>

#include <algorithm>
#include <utility>
#include <vector>

namespace inlet::test {

namespace {

class StudyWindowTest : public DocumentWindow {
protected:
    // Whether `holds` came true within `ms`, events processed meanwhile.
    template <class F>
    static bool within(int ms, F holds)
    {
        QElapsedTimer clock;
        clock.start();
        while (!holds()) {
            if (clock.elapsed() > ms)
                return false;
            QTest::qWait(50);
        }
        return true;
    }
    QWidget* study = nullptr;
    std::vector<std::pair<int, int>> progress;  // the bar's value and maximum as it moved

    void SetUp() override
    {
        QAction* entry = nullptr;
        for (QAction* m : window->menuBar()->actions())
            for (QAction* a : m->menu()->actions())
                if (menuTitle(*m) == QStringLiteral("设计") && a->text() == QStringLiteral("方案比选…"))
                    entry = a;
        ASSERT_NE(entry, nullptr) << "no 设计 → 方案比选…";
        entry->trigger();
        study = window->studyWindow();
        ASSERT_NE(study, nullptr) << warnings();
        ASSERT_TRUE(study->isVisible());
        auto* bar = study->findChild<QProgressBar*>(QStringLiteral("progress"));
        ASSERT_NE(bar, nullptr);
        QObject::connect(bar, &QProgressBar::valueChanged, bar, [this, bar](int value) {
            progress.emplace_back(value, bar->maximum());
        });
    }

    template <class W>
    W* child(const char* name) const
    {
        W* found = study->findChild<W*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void vary(int row, const char* name, const char* from, const char* to, int count)
    {
        const QByteArray n = QByteArray::number(row);
        auto* combo = child<QComboBox>(("name" + n).constData());
        combo->setCurrentIndex(combo->findData(QString::fromLatin1(name)));
        ASSERT_GT(combo->currentIndex(), 0) << name;
        child<QLineEdit>(("from" + n).constData())->setText(QString::fromLatin1(from));
        child<QLineEdit>(("to" + n).constData())->setText(QString::fromLatin1(to));
        child<QSpinBox>(("count" + n).constData())->setValue(count);
    }
    // Starts the study and waits until inlet-calc has ended.
    void runStudy(const QString& folder)
    {
        child<QLineEdit>("folder")->setText(folder);
        auto* depth = child<QComboBox>("depth");
        depth->setCurrentIndex(depth->findData(QStringLiteral("checks")));
        QSignalSpy ended(study, SIGNAL(studyEnded()));
        child<QPushButton>("start")->click();
        ASSERT_TRUE(ended.count() == 1 || ended.wait(120000)) << "the study did not end";
    }
    QString messages() { return child<QPlainTextEdit>("messages")->toPlainText(); }
};

TEST_F(StudyWindowTest, ShowsEveryVariantOfHkByAaAndTheParetoFrontOfStudyCsv)
{
    type(Box::Text21, "2000");
    vary(1, "hk", "1800", "2600", 5);
    vary(2, "aa", "45", "55", 3);
    runStudy(file("s"));
    EXPECT_FALSE(child<QPlainTextEdit>("messages")->isVisibleTo(study)) << messages().toStdString();

    QFile csv(file("s/study.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    const StudyTable expected = readStudyTable(bytes.toStdString(), systemNumberLocale(), "study.csv");
    ASSERT_EQ(expected.rowCount(), 15u);

    // The table: every row and every column of study.csv, in its order until sorted.
    // The bar counted the variants as inlet-calc reported them, up to all 15.
    EXPECT_NE(std::find(progress.begin(), progress.end(), std::pair(15, 15)), progress.end());

    const QAbstractItemModel* table = child<QTableView>("table")->model();
    ASSERT_EQ(table->rowCount(), 15);
    ASSERT_EQ(std::size_t(table->columnCount()), expected.columns().size());
    for (const char* name : {"variant", "hk", "aa", "B", "v_max", "warnings", "error"}) {
        const std::size_t c = *expected.column(name);
        for (std::size_t r = 0; r < expected.rowCount(); ++r)
            EXPECT_EQ(table->index(int(r), int(c)).data().toString().toStdString(), expected.text(r, c))
                << name << " row " << r;
    }
    EXPECT_EQ(table->index(6, int(*expected.column("hk"))).data().toString(), QStringLiteral("2200"));

    // The Pareto front of B and the largest station velocity: the points paretoFront finds in
    // study.csv, by increasing B, as the front's line.
    child<QComboBox>("paretoX")->setCurrentIndex(child<QComboBox>("paretoX")->findData(QStringLiteral("B")));
    child<QComboBox>("paretoY")->setCurrentIndex(child<QComboBox>("paretoY")->findData(QStringLiteral("v_max")));
    std::vector<ParetoPoint> points;
    for (std::size_t r = 0; r < expected.rowCount(); ++r)
        points.push_back({expected.number(r, *expected.column("B")), expected.number(r, *expected.column("v_max"))});
    const std::vector<std::size_t> front = paretoFront(points);
    ASSERT_FALSE(front.empty());
    QChart* pareto = child<QChartView>("pareto")->chart();
    QLineSeries* line = nullptr;
    QScatterSeries* all = nullptr;
    for (QAbstractSeries* series : pareto->series()) {
        if (series->type() == QAbstractSeries::SeriesTypeLine)
            line = static_cast<QLineSeries*>(series);
        else if (series->type() == QAbstractSeries::SeriesTypeScatter)
            all = static_cast<QScatterSeries*>(series);
    }
    ASSERT_NE(line, nullptr);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->count(), 15);
    ASSERT_EQ(std::size_t(line->count()), front.size());
    for (std::size_t i = 0; i < front.size(); ++i) {
        EXPECT_EQ(line->at(int(i)).x(), *points[front[i]].x) << i;
        EXPECT_EQ(line->at(int(i)).y(), *points[front[i]].y) << i;
    }

    // The larger velocity the better (as Vu or θ̄ would be): the front of B and -v_max.
    child<QCheckBox>("paretoYLarger")->setChecked(true);
    std::vector<ParetoPoint> larger = points;
    for (ParetoPoint& p : larger)
        p.y = -*p.y;
    const std::vector<std::size_t> largerFront = paretoFront(larger);
    line = nullptr;
    for (QAbstractSeries* series : child<QChartView>("pareto")->chart()->series())
        if (series->type() == QAbstractSeries::SeriesTypeLine)
            line = static_cast<QLineSeries*>(series);
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(std::size_t(line->count()), largerFront.size());
    EXPECT_NE(largerFront, front);
    for (std::size_t i = 0; i < largerFront.size(); ++i)
        EXPECT_EQ(line->at(int(i)).y(), *points[largerFront[i]].y) << i;
    child<QCheckBox>("paretoYLarger")->setChecked(false);

    // The chart of a figure against a varied input: a point per variant.
    QChart* chart = child<QChartView>("chart")->chart();
    ASSERT_EQ(chart->series().size(), 1);
    EXPECT_EQ(static_cast<QScatterSeries*>(chart->series().front())->count(), 15);

    // 打开此方案: variant 007 (hk 2200, aa 45) in the main window, after the question about the
    // unsaved hk.
    script.unsavedAnswers.push_back(Asker::UnsavedAnswer::Discard);
    child<QTableView>("table")->selectRow(6);
    child<QPushButton>("openVariant")->click();
    EXPECT_EQ(script.questions.size(), 1);
    EXPECT_EQ(QFileInfo(window->filePath()), QFileInfo(file("s/variants/007.inlet")));
    EXPECT_EQ(text(Box::Text21), QStringLiteral("2200"));
    EXPECT_EQ(text(Box::Text22), QStringLiteral("45"));
    EXPECT_FALSE(window->hasUnsavedChanges());
}

TEST_F(StudyWindowTest, FilterKeepsTheRowsHoldingTheTextAndSortingOrdersByNumber)
{
    type(Box::Text21, "2000");
    vary(1, "hk", "1800", "2600", 5);
    vary(2, "aa", "45", "55", 3);
    runStudy(file("s"));
    QAbstractItemModel* table = child<QTableView>("table")->model();
    ASSERT_EQ(table->rowCount(), 15);
    auto* column = child<QComboBox>("filterColumn");
    column->setCurrentIndex(column->findText(QStringLiteral("hk")));
    child<QLineEdit>("filter")->setText(QStringLiteral("2400"));
    EXPECT_EQ(table->rowCount(), 3);
    child<QLineEdit>("filter")->clear();
    const int b = column->findText(QStringLiteral("B (mm)")) - 1;
    ASSERT_GE(b, 0);
    child<QTableView>("table")->sortByColumn(b, Qt::DescendingOrder);
    for (int r = 1; r < table->rowCount(); ++r)
        EXPECT_GE(table->index(r - 1, b).data().toDouble(), table->index(r, b).data().toDouble()) << r;
}

TEST_F(StudyWindowTest, AStudyInletCalcRefusesShowsItsWordsAndNoTable)
{
    vary(1, "aa", "45", "95", 3);  // an angle of 90 or more is no box's
    runStudy(file("s"));
    EXPECT_TRUE(child<QPlainTextEdit>("messages")->isVisibleTo(study));
    EXPECT_TRUE(messages().contains(QStringLiteral("退出状态 2"))) << messages().toStdString();
    EXPECT_TRUE(messages().contains(QStringLiteral("aa"))) << messages().toStdString();
    EXPECT_EQ(child<QTableView>("table")->model()->rowCount(), 0);
}

// Variants that fail (D1 from 100 mm) stay rows of their own, tinted, their failure in Chinese
// as the window speaks it, and are never points of the charts.
TEST_F(StudyWindowTest, KeepsFailedVariantsAsRowsWithTheirFailureInChinese)
{
    type(Box::Text21, "2000");
    vary(1, "D1", "100", "3000", 4);
    runStudy(file("s"));
    QFile csv(file("s/study.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const StudyTable expected = readStudyTable(csv.readAll().toStdString(), systemNumberLocale(), "study.csv");
    const QAbstractItemModel* table = child<QTableView>("table")->model();
    ASSERT_EQ(table->rowCount(), 4);
    const int error = int(*expected.column("error"));
    std::size_t failed = 0;
    for (int r = 0; r < 4; ++r) {
        const std::string failure = expected.failure(std::size_t(r));
        EXPECT_EQ(table->index(r, error).data().toString().toStdString(), failure);
        EXPECT_EQ(table->index(r, 0).data(Qt::BackgroundRole).isValid(), !failure.empty()) << r;
        if (!failure.empty()) {
            ++failed;
            EXPECT_NE(failure.find("计算"), std::string::npos) << failure;
        }
    }
    ASSERT_GT(failed, 0u);
    ASSERT_LT(failed, 4u);
    EXPECT_TRUE(child<QLabel>("status")->text().contains(QStringLiteral("%1 个失败").arg(failed)))
        << child<QLabel>("status")->text().toStdString();
    QChart* pareto = child<QChartView>("pareto")->chart();
    ASSERT_FALSE(pareto->series().isEmpty());
    EXPECT_EQ(static_cast<QScatterSeries*>(pareto->series().front())->count(), int(4 - failed));
}

// 取消 kills inlet-calc mid-study (a solid study, half a second a variant): no table, the
// message says so; 开始 again runs the same study to its end.
TEST_F(StudyWindowTest, CancelStopsTheStudyAndStartRunsItAgain)
{
    auto* depth = child<QComboBox>("depth");
    if (depth->findData(QStringLiteral("solid")) < 0)
        GTEST_SKIP() << "this build has no solid";
    type(Box::Text21, "2000");
    vary(1, "hk", "1800", "2600", 3);
    vary(2, "aa", "45", "55", 2);
    child<QLineEdit>("folder")->setText(file("s"));
    depth->setCurrentIndex(depth->findData(QStringLiteral("solid")));
    QSignalSpy ended(study, SIGNAL(studyEnded()));
    child<QPushButton>("start")->click();
    auto* bar = child<QProgressBar>("progress");
    // Cancelled once the first variant is done: the others are still computing.
    ASSERT_TRUE(within(60000, [&] { return bar->maximum() == 6 && bar->value() >= 1; }))
        << bar->value() << " of " << bar->maximum();
    ASSERT_TRUE(child<QPushButton>("cancel")->isEnabled());
    child<QPushButton>("cancel")->click();
    ASSERT_TRUE(ended.count() == 1 || ended.wait(10000));
    EXPECT_TRUE(messages().contains(QStringLiteral("已取消"))) << messages().toStdString();
    EXPECT_EQ(child<QTableView>("table")->model()->rowCount(), 0);
    EXPECT_FALSE(child<QPushButton>("cancel")->isEnabled());

    child<QPushButton>("start")->click();
    ASSERT_TRUE(ended.count() == 2 || ended.wait(120000));
    EXPECT_FALSE(child<QPlainTextEdit>("messages")->isVisibleTo(study)) << messages().toStdString();
    const QAbstractItemModel* table = child<QTableView>("table")->model();
    ASSERT_EQ(table->rowCount(), 6);
    const int volume = child<QComboBox>("filterColumn")->findText(QStringLiteral("体积 (m³)")) - 1;
    ASSERT_GE(volume, 0);
    for (int r = 0; r < 6; ++r)
        EXPECT_GT(table->index(r, volume).data().toDouble(), 0.0) << r;
}

// The flow's depth with OpenFOAM stood in for by scripts on PATH (as files.flow-study does),
// put there before the study window takes its environment, so that no real run starts: the
// meshers succeed; simpleFoam notes its id in marks/ and fails at once where the file `fail`
// stands beside it, else runs until the file `stop` stands in its case (as simpleFoam's abort
// function object stops it). PATH restored after.
class FlowStudyWindowTest : public StudyWindowTest {
protected:
    QByteArray path = qgetenv("PATH");

    void SetUp() override
    {
        const QString fake = file("fake");
        QDir().mkpath(fake);
        QDir().mkpath(file("marks"));
        const auto write = [&](const char* name, const QByteArray& script) {
            QFile out(QDir(fake).filePath(QLatin1String(name)));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write("#!/bin/sh\n" + script) > 0) << name;
            out.setPermissions(out.permissions() | QFileDevice::ExeOwner);
        };
        for (const char* name : {"blockMesh", "surfaceFeatureExtract", "snappyHexMesh", "topoSet", "decomposePar",
                                 "reconstructPar", "mpirun"})
            write(name, "exit 0\n");
        write("checkMesh", "echo '    cells:            4137'\necho '    Mesh non-orthogonality Max: 41.2 average: 8.1'\n"
                           "echo '    Max skewness = 1.3 OK.'\necho 'Mesh OK.'\n");
        const QByteArray here = QFile::encodeName(fake), marks = QFile::encodeName(file("marks"));
        write("simpleFoam", "echo $$ > '" + marks + "'/\"$(/usr/bin/basename \"$PWD\")\"\n"
                            "if [ -e '" + here + "/fail' ]; then echo 'FOAM FATAL ERROR: a stand-in'; exit 1; fi\n"
                            "while [ ! -e stop ]; do /bin/sleep 0.2; done\n");
        qputenv("PATH", here + ":/usr/bin:/bin");
        StudyWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        if (child<QComboBox>("depth")->findData(QStringLiteral("flow")) < 0)
            GTEST_SKIP() << "this inlet-calc has no flow depth";
    }
    void TearDown() override { qputenv("PATH", path); }

    // Two variants at the flow's depth, run here on the tiny mesh.
    void startFlowStudy()
    {
        type(Box::Text21, "2000");
        vary(1, "hk", "1800", "2600", 2);
        child<QLineEdit>("folder")->setText(file("s"));
        auto* depth = child<QComboBox>("depth");
        depth->setCurrentIndex(depth->findData(QStringLiteral("flow")));
        auto* place = child<QComboBox>("place");
        place->setCurrentIndex(place->findData(QStringLiteral("--local")));
        auto* mesh = child<QComboBox>("mesh");
        mesh->setCurrentIndex(mesh->findData(QStringLiteral("tiny")));
        child<QPushButton>("start")->click();
    }
    QStringList solverIds()
    {
        QStringList ids;
        for (const QString& name : QDir(file("marks")).entryList(QDir::Files)) {
            QFile mark(QDir(file("marks")).filePath(name));
            if (mark.open(QIODevice::ReadOnly))
                ids << QString::fromLatin1(mark.readAll().trimmed());
        }
        return ids;
    }
};

// The flow's depth: the bar counts every stage, not the checks alone: each variant's checks,
// its case written (its solid) and its run, 3 × 2 steps for two variants, reaching the
// checks' end (2), the cases' (4) and the runs' (6) in turn.
TEST_F(FlowStudyWindowTest, TheBarCountsTheChecksTheCasesAndTheRuns)
{
    ASSERT_TRUE(write(file("fake/fail"), "")) << "the solver's failure";
    QSignalSpy ended(study, SIGNAL(studyEnded()));
    startFlowStudy();
    ASSERT_TRUE(ended.count() == 1 || ended.wait(120000)) << "the study did not end";
    EXPECT_EQ(child<QTableView>("table")->model()->rowCount(), 2) << messages().toStdString();
    EXPECT_EQ(solverIds().size(), 2) << "the stand-in solver did not run";
    // Every count of the three stages, in order, out of 6 (the bar's own 0 to 1 before
    // inlet-calc names its count, and its end, left aside).
    std::vector<int> counted;
    for (const auto& [value, maximum] : progress)
        if (maximum == 6)
            counted.push_back(value);
    EXPECT_TRUE(std::is_sorted(counted.begin(), counted.end()));
    for (const int stageEnd : {2, 4, 6})
        EXPECT_NE(std::find(counted.begin(), counted.end(), stageEnd), counted.end()) << stageEnd;
    for (const auto& [value, maximum] : progress)
        EXPECT_TRUE(maximum == 6 || maximum <= 1) << value << " of " << maximum;
}

// 取消 while the variants' runs go on: the study ends at once, the bar having counted past the
// checks and the cases; no run of it is left going.
TEST_F(FlowStudyWindowTest, CancelStopsTheRunsToo)
{
    QSignalSpy ended(study, SIGNAL(studyEnded()));
    startFlowStudy();
    auto* bar = child<QProgressBar>("progress");
    // Both cases written (4 of 6) and a solver running.
    ASSERT_TRUE(within(90000, [&] { return bar->maximum() == 6 && bar->value() >= 4 && !solverIds().isEmpty(); }))
        << "no solver ran: " << bar->value() << " of " << bar->maximum() << " " << messages().toStdString();
    const QStringList solvers = solverIds();
    QElapsedTimer clock;
    clock.start();
    child<QPushButton>("cancel")->click();
    ASSERT_TRUE(ended.count() == 1 || ended.wait(10000));
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(messages().contains(QStringLiteral("已取消"))) << messages().toStdString();
    // Each solver that started is gone (or a zombie) within seconds of the study.
    for (const QString& id : solvers) {
        const auto gone = [&] {
            QFile status(QStringLiteral("/proc/%1/status").arg(id));
            if (!status.open(QIODevice::ReadOnly))
                return true;
            return status.readAll().contains("State:\tZ");
        };
        EXPECT_TRUE(within(15000, gone)) << "solver " << id.toStdString() << " outlived the study";
    }
}

// 优化…: the optimiser over the study, its best design named and opened in the main window.
TEST_F(StudyWindowTest, OptimiseNamesTheBestDesignAndOpensIt)
{
    auto* objective = child<QComboBox>("objective");
    if (objective->findData(QStringLiteral("min-B")) < 0)
        GTEST_SKIP() << "this inlet-calc has no optimiser";
    objective->setCurrentIndex(objective->findData(QStringLiteral("min-B")));
    child<QLineEdit>("require")->setText(QStringLiteral("v_max<=1.4"));
    type(Box::Text21, "2000");
    vary(1, "hk", "1800", "2600", 5);
    vary(2, "aa", "45", "55", 3);
    child<QLineEdit>("folder")->setText(file("s"));
    QSignalSpy ended(study, SIGNAL(studyEnded()));
    child<QPushButton>("optimise")->click();
    ASSERT_TRUE(ended.count() == 1 || ended.wait(120000));
    EXPECT_FALSE(child<QPlainTextEdit>("messages")->isVisibleTo(study)) << messages().toStdString();
    EXPECT_EQ(child<QTableView>("table")->model()->rowCount(), 15);
    const QString best = child<QLabel>("best")->text();
    EXPECT_TRUE(best.contains(QStringLiteral("hk = ")) && best.contains(QStringLiteral("B = "))) << best.toStdString();
    ASSERT_TRUE(child<QPushButton>("openBest")->isEnabled());
    script.unsavedAnswers.push_back(Asker::UnsavedAnswer::Discard);
    child<QPushButton>("openBest")->click();
    EXPECT_EQ(QFileInfo(window->filePath()), QFileInfo(file("s/best.inlet")));
}

}  // namespace

}  // namespace inlet::test
