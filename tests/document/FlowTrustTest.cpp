// What a design file's flow record says about how far its figures can be trusted: the mesh
// study read back as written, a record without one (files saved before studies were kept)
// read as none, checkMesh's figures read where the result carries them, and the cells of the
// sheet and the window.

#include "document/FlowTrust.h"

#include <QJsonArray>

#include <gtest/gtest.h>

using namespace inlet;

namespace {

cfd::MeshStudy study(double lossIndex)
{
    cfd::MeshStudy s;
    s.levels = {"fine", "medium", "coarse"};
    s.cells = {667300, 278563, 122152};
    for (const char* figure : {"Vu", "theta", "headLoss"}) {
        cfd::StudyFigure f{.section = "pump_inlet", .figure = figure, .values = {84.0, 83.5, 81.3}, .convergence = {}};
        f.convergence.convergence = cfd::Convergence::Monotone;
        f.convergence.order = f.convergence.bandOrder = 1.5;
        f.convergence.index = std::string(figure) == "headLoss" ? lossIndex : 0.01;
        s.figures.push_back(f);
    }
    return s;
}

QJsonObject record(bool withCheckMesh, double lossIndex)
{
    QJsonObject result{{"status", "settled"},
                       {"flowGiven", 15.0},
                       {"sections", QJsonArray{QJsonObject{{"name", "pump_inlet"}, {"Vu", 84.0}, {"theta", 83.5},
                                                           {"headLoss", 0.044}, {"flow", 15.02}, {"backflowArea", 0.039}}}}};
    if (withCheckMesh)
        result["checkMesh"] = QJsonObject{{"nonOrthogonalityMax", 58.2}, {"skewnessMax", 2.9}};
    return QJsonObject{{"result", result}, {"meshStudy", meshStudyObject(study(lossIndex))}};
}

TEST(FlowTrust, StudyReadsBackAsWritten)
{
    const std::optional<cfd::MeshStudy> read = meshStudyOf(record(false, 0.155));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->cells, (std::array<int, 3>{667300, 278563, 122152}));
    ASSERT_EQ(read->figures.size(), 3u);
    const cfd::StudyFigure* loss = read->figure("pump_inlet", "headLoss");
    ASSERT_TRUE(loss);
    EXPECT_EQ(loss->convergence.convergence, cfd::Convergence::Monotone);
    EXPECT_DOUBLE_EQ(loss->convergence.index, 0.155);
    EXPECT_DOUBLE_EQ(loss->values[2], 81.3);
}

TEST(FlowTrust, RecordWithoutStudyHasNone)
{
    QJsonObject old = record(true, 0.01);
    old.remove("meshStudy");
    EXPECT_FALSE(meshStudyOf(old));
    EXPECT_EQ(figureCell(old, "pump_inlet", "Vu", 84.0, 1), QStringLiteral("84.0"));
    EXPECT_EQ(flowVerdictOf(old).verdict, cfd::Verdict::Refine);
}

TEST(FlowTrust, CheckMeshFiguresReadWhereCarried)
{
    EXPECT_EQ(flowVerdictOf(record(true, 0.01)).verdict, cfd::Verdict::Trusted);
    const cfd::VerdictInput without = verdictInputOf(record(false, 0.01));
    EXPECT_FALSE(without.nonOrthogonality);
    EXPECT_FALSE(without.skewness);
    EXPECT_EQ(flowVerdictOf(record(false, 0.01)).verdict, cfd::Verdict::Refine);
}

TEST(FlowTrust, CellsCarryTheBandAndTheMark)
{
    const QJsonObject r = record(true, 0.155);
    EXPECT_EQ(figureCell(r, "pump_inlet", "Vu", 84.0, 1), QStringLiteral("84.0 ± 0.8"));
    EXPECT_EQ(figureCell(r, "pump_inlet", "headLoss", 0.0440, 4), QStringLiteral("0.0440 ± 0.0068 未收敛"));
    EXPECT_EQ(figureWithBand(r, "pump_inlet", "headLoss", 0.0440, 4),
              QStringLiteral("0.0440 ± 0.0068（GCI 15.5%，三套网格，未收敛）"));
    EXPECT_TRUE(figureNotConverged(r, "pump_inlet", "headLoss"));
    EXPECT_FALSE(figureNotConverged(r, "pump_inlet", "Vu"));
    const auto rows = trustRows(r);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[3].second, QStringLiteral("最大非正交度 58.2（限 60），最大偏斜度 2.90（限 3.5）"));
    EXPECT_TRUE(rows[4].second.startsWith(QStringLiteral("需加密网格：水泵进口断面 水头损失 GCI 15.5%"))) << rows[4].second.toStdString();
}

// A run settled on its means (result.averagedOver) is weighed by the bands its record keeps;
// a record of such a run kept without them has its swing not known; a steady run has none.
struct SwingRow {
    const char* name;
    bool averaged;
    QJsonObject band;
    std::vector<cfd::VerdictReason::Kind> swingReasons;
};

class FlowTrustSwing : public ::testing::TestWithParam<SwingRow> {};

TEST_P(FlowTrustSwing, ReadsTheBandsOfTheMeans)
{
    const SwingRow& row = GetParam();
    QJsonObject r = record(true, 0.01);
    QJsonObject result = r["result"].toObject();
    if (row.averaged)
        result["averagedOver"] = QJsonArray{601, 800};
    QJsonArray sections = result["sections"].toArray();
    QJsonObject pump = sections[0].toObject();
    if (!row.band.isEmpty())
        pump["band"] = row.band;
    sections[0] = pump;
    result["sections"] = sections;
    r["result"] = result;
    const cfd::VerdictInput in = verdictInputOf(r);
    EXPECT_EQ(in.onMeans, row.averaged);
    std::vector<cfd::VerdictReason::Kind> kinds;
    for (const cfd::VerdictReason& reason : flowVerdictOf(r).reasons)
        kinds.push_back(reason.kind);
    EXPECT_EQ(kinds, row.swingReasons);
    EXPECT_EQ(flowVerdictOf(r).verdict, row.swingReasons.empty() ? cfd::Verdict::Trusted : cfd::Verdict::Refine);
}

const QJsonObject kNarrow{{"Vu", QJsonArray{83.0, 85.0}}, {"theta", QJsonArray{83.0, 84.0}}, {"headLoss", QJsonArray{0.043, 0.045}}};
const QJsonObject kWideLoss{{"Vu", QJsonArray{83.0, 85.0}}, {"theta", QJsonArray{83.0, 84.0}}, {"headLoss", QJsonArray{0.040, 0.048}}};

INSTANTIATE_TEST_SUITE_P(
    Rows, FlowTrustSwing,
    ::testing::Values(SwingRow{"Steady", false, {}, {}}, SwingRow{"SteadyBandIgnored", false, kWideLoss, {}},
                      SwingRow{"OnMeansNarrow", true, kNarrow, {}},
                      SwingRow{"OnMeansWide", true, kWideLoss, {cfd::VerdictReason::Kind::SwingAbove}},
                      SwingRow{"OnMeansNoBand", true, {}, {cfd::VerdictReason::Kind::SwingUnknown}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlowTrust, TheConclusionNamesTheSwing)
{
    QJsonObject r = record(true, 0.01);
    QJsonObject result = r["result"].toObject();
    result["averagedOver"] = QJsonArray{601, 800};
    QJsonArray sections = result["sections"].toArray();
    QJsonObject pump = sections[0].toObject();
    pump["band"] = kWideLoss;
    sections[0] = pump;
    result["sections"] = sections;
    r["result"] = result;
    const auto rows = trustRows(r);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[4].second, QStringLiteral("需加密网格：水泵进口断面 水头损失 在均值附近摆动 ±9.1%（限 ±5%），按均值取用"));
}

}  // namespace
