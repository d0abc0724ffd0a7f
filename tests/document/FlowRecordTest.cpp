// The flow a design file keeps: saved new over old, read back, belonging to the design while
// the boxes the flow is computed from hold the texts it was computed for (whatever the result
// boxes hold), named as another's when they do not; and a file's unknown members kept byte for
// byte whether or not it starts with a byte order mark.

#include "document/DesignFile.h"
#include "document/FlowRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace inlet;

namespace {

QString symbolOf(Box box)
{
    return QString::fromUtf8(boxInfo(box).symbol.data(), static_cast<qsizetype>(boxInfo(box).symbol.size()));
}

// A settled record computed for `design`'s texts, its pump inlet's Vu `vu`.
QJsonObject recordFor(const Design& design, double vu, const char* status = "settled")
{
    QJsonObject texts;
    for (const auto& [box, text] : design.texts)
        texts[symbolOf(box)] = text;
    const QJsonObject section{{"name", "pump_inlet"}, {"Vu", vu}, {"theta", 83.6}, {"headLoss", 0.0532}, {"flow", 15.0}};
    return QJsonObject{{"settings", QJsonObject{{"mesh", "tiny"}}},
                       {"texts", texts},
                       {"result", QJsonObject{{"status", status}, {"sections", QJsonArray{section}}}}};
}

double pumpInletVu(const QJsonObject& record)
{
    return record["result"].toObject()["sections"].toArray().at(0).toObject()["Vu"].toDouble();
}

}  // namespace

TEST(DesignFileFlow, ANewFlowIsSavedOverTheOldAndReadBack)
{
    Design design = defaultDesign();
    design.texts[Box::Text21] = QStringLiteral("2000");
    design.flow = recordFor(design, 91.25);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.inlet"));
    writeDesignFile(path, design);

    Design opened = readDesignFile(path);
    EXPECT_DOUBLE_EQ(pumpInletVu(opened.flow), 91.25);
    EXPECT_EQ(opened.keptText.count(QStringLiteral("flow")), 0u) << "the flow is kept as an unknown member";
    opened.flow = recordFor(opened, 77.5);
    const QString next = dir.filePath(QStringLiteral("new.inlet"));
    writeDesignFile(next, opened);
    EXPECT_DOUBLE_EQ(pumpInletVu(readDesignFile(next).flow), 77.5);
    EXPECT_DOUBLE_EQ(pumpInletVu(QJsonDocument::fromJson(designBytes(opened)).object()["flow"].toObject()), 77.5);
}

TEST(DesignFileFlow, FilesWithAndWithoutAFlowOpenAsBefore)
{
    struct Row {
        const char* name;
        bool withFlow;
    };
    for (const Row row : {Row{"without a flow", false}, Row{"with a flow", true}}) {
        SCOPED_TRACE(row.name);
        Design design = defaultDesign();
        QJsonObject root = QJsonDocument::fromJson(designBytes(design)).object();
        root[QStringLiteral("formatVersion")] = QStringLiteral("1.2");
        if (row.withFlow)
            root[QStringLiteral("flow")] = recordFor(design, 88);
        const Design opened = parseDesign(QJsonDocument(root).toJson(), QStringLiteral("earlier.inlet"));
        EXPECT_EQ(opened.flow.isEmpty(), !row.withFlow);
        const QJsonObject saved = QJsonDocument::fromJson(designBytes(opened)).object();
        EXPECT_EQ(saved.contains(QStringLiteral("flow")), row.withFlow);
    }
    // A flow taken away (the window's failed run) is saved as none, not as the one opened.
    Design design = defaultDesign();
    design.flow = recordFor(design, 88);
    Design opened = parseDesign(designBytes(design), QStringLiteral("d.inlet"));
    opened.flow = {};
    EXPECT_FALSE(QJsonDocument::fromJson(designBytes(opened)).object().contains(QStringLiteral("flow")));
}

TEST(FlowStanding, BelongsToTheDesignByTheTextsTheFlowIsComputedFrom)
{
    const Design computed = [] {
        Design d = defaultDesign();
        d.texts[Box::Text21] = QStringLiteral("2000");
        return d;
    }();
    struct Row {
        const char* name;
        std::vector<std::pair<Box, const char*>> typed;  // typed over the texts it was computed for
        const char* status;
        FlowStanding standing;
        std::vector<Box> changed;
        WidthSet now = WidthSet::Computed;    // the widths the design takes
        const char* recorded = nullptr;       // the widths the record names (none: computed)
    };
    const Row rows[] = {
        {"the same texts", {}, "settled", FlowStanding::ThisDesign, {}},
        {"B filled by a run since", {{Box::Text6, "6355"}}, "settled", FlowStanding::ThisDesign, {}},
        {"H filled by a run since", {{Box::Text5, "3200"}}, "settled", FlowStanding::ThisDesign, {}},
        {"Ds, only checked", {{Box::Text2, "2300"}}, "settled", FlowStanding::ThisDesign, {}},
        {"hk changed", {{Box::Text21, "2100"}}, "settled", FlowStanding::OtherInputs, {Box::Text21}},
        {"Q changed", {{Box::Text12, "16"}}, "settled", FlowStanding::OtherInputs, {Box::Text12}},
        {"L changed", {{Box::Text7, "4"}}, "settled", FlowStanding::OtherInputs, {Box::Text7}},
        {"D0 and aa changed", {{Box::Text22, "45"}, {Box::Text3, "2100"}}, "settled", FlowStanding::OtherInputs,
         {Box::Text3, Box::Text22}},
        {"the same texts, not settled", {}, "iteration-limit", FlowStanding::NotSettled, {}},
        {"the area-true widths taken since", {}, "settled", FlowStanding::OtherInputs, {}, WidthSet::AreaTrue},
        {"computed with the area-true widths, taken still", {}, "settled", FlowStanding::ThisDesign, {},
         WidthSet::AreaTrue, "area-true"},
        {"computed with the area-true widths, the computed taken since", {}, "settled", FlowStanding::OtherInputs, {},
         WidthSet::Computed, "area-true"},
        {"computed with the computed widths, named so", {}, "settled", FlowStanding::ThisDesign, {},
         WidthSet::Computed, "computed"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QJsonObject record = recordFor(computed, 90, row.status);
        if (row.recorded) {
            QJsonObject settings = record[QStringLiteral("settings")].toObject();
            settings[QLatin1String(kFlowWidthSetKey)] = QString::fromUtf8(row.recorded);
            record[QStringLiteral("settings")] = settings;
        }
        std::map<Box, QString> now = computed.texts;
        for (const auto& [box, text] : row.typed)
            now[box] = QString::fromUtf8(text);
        EXPECT_EQ(flowStanding(record, now, row.now), row.standing);
        EXPECT_EQ(flowInputsChanged(record, now), row.changed);
        const QString said = flowNotShownText(record, now, row.now);
        EXPECT_EQ(said.isEmpty(), row.standing == FlowStanding::ThisDesign) << said.toStdString();
        // Widths other than the flow's are named with the set then and now.
        const WidthSet then = row.recorded ? *widthSetNamed(row.recorded) : WidthSet::Computed;
        if (then != row.now)
            EXPECT_TRUE(said.contains(QStringLiteral("蜗壳宽度由“%1”改为“%2”")
                                          .arg(QString::fromUtf8(widthSetChinese(then).data()),
                                               QString::fromUtf8(widthSetChinese(row.now).data()))))
                << said.toStdString();
        // Each box changed is named with its text then and now.
        for (const auto& [box, text] : row.typed)
            if (row.standing == FlowStanding::OtherInputs)
                EXPECT_TRUE(said.contains(symbolOf(box) + QStringLiteral(" 由 “") + computed.texts.at(box)
                                          + QStringLiteral("” 改为 “") + QString::fromUtf8(text)))
                    << said.toStdString();
    }
    EXPECT_EQ(flowStanding({}, computed.texts, WidthSet::Computed), FlowStanding::None);
    EXPECT_TRUE(flowNotShownText({}, computed.texts, WidthSet::AreaTrue).isEmpty());
}

// The case's own inputs a record names: what it keeps, or, for a record of an earlier version
// without them, what that version ran (its outlet one D0 up, smooth walls, no hub).
TEST(FlowCaseInputs, AreNamedAsTheRecordKeepsThem)
{
    struct Row {
        const char* name;
        QJsonObject settings;
        const char* text;
    };
    const Row rows[] = {
        {"earlier version", QJsonObject{{"mesh", "tiny"}},
         "出口在水泵进口断面以上 1 倍管径 D0 处；壁面光滑（Ks = 0）；轮毂：无"},
        {"defaults", QJsonObject{{"outletExtensionDiameters", 2}, {"roughness", 0}, {"hubDiameter", QJsonValue()}},
         "出口在水泵进口断面以上 2 倍管径 D0 处；壁面光滑（Ks = 0）；轮毂：无"},
        {"given outlet, concrete, hub",
         QJsonObject{{"outletExtension", 3000.5}, {"roughness", 1.5}, {"hubDiameter", 800}},
         "出口在水泵进口断面以上 3000.5 mm 处；壁面当量砂粒粗糙度 Ks = 1.5 mm（粗糙壁面函数）；"
         "轮毂：直径 800 mm，自水泵进口断面向上至出口的圆柱（平端面），作为壁面"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(flowCaseInputsText(QJsonObject{{"settings", row.settings}}).toStdString(), row.text) << row.name;
}

TEST(DesignFileByteOrderMark, UnknownMembersKeepTheirExactTextWithTheMarkAsWithout)
{
    QByteArray plain = designBytes(defaultDesign());
    plain.replace("\"formatVersion\": \"1.2\"",
                  "\"formatVersion\": \"1.3\", \"x13\": 1.000000000000000000001, \"big\": 12345678901234567890");
    plain.replace("\"notes\": \"\"", "\"notes\": \"\", \"ratio\": 0.10");
    ASSERT_TRUE(plain.contains("\"x13\"") && plain.contains("\"ratio\""));
    struct Row {
        const char* name;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"without a mark", plain},
        {"with a mark", QByteArray("\xEF\xBB\xBF") + plain},
    };
    QByteArray savedWithout;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray saved = designBytes(parseDesign(row.bytes, QStringLiteral("marked.inlet")));
        for (const char* kept : {"\"x13\": 1.000000000000000000001", "\"big\": 12345678901234567890", "\"ratio\": 0.10"})
            EXPECT_TRUE(saved.contains(kept)) << kept << " not in " << saved.toStdString();
        if (savedWithout.isEmpty())
            savedWithout = saved;
        EXPECT_EQ(saved, savedWithout) << "the mark changes what is saved";
    }
}
