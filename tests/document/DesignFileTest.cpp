// Design files: every text kept byte for byte, what a newer version adds kept on save, every
// bad file refused with a message naming it and what is wrong, and a failed save that leaves
// the old file whole.

#include "document/DesignFile.h"
#include "messages/Failure.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <string>
#ifndef _WIN32
#include <sys/resource.h>
#endif

using namespace inlet;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// A valid file's JSON with one part replaced.
QByteArray withReplaced(const std::string& from, const std::string& to)
{
    QByteArray bytes = designBytes(defaultDesign());
    const qsizetype at = bytes.indexOf(QByteArray::fromStdString(from));
    EXPECT_GE(at, 0) << from << " is not in " << bytes.toStdString();
    return bytes.replace(at, qsizetype(from.size()), QByteArray::fromStdString(to));
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

}  // namespace

QString zh(const Failure& f) { return QString::fromStdString(render(f, Language::Chinese)); }
QString en(const Failure& f) { return QString::fromStdString(render(f, Language::English)); }

TEST(DesignFileRoundTrip, KeepsEveryTextByteForByte)
{
    Design design = defaultDesign();
    const std::string odd[] = {
        "",
        " 700 ",
        "3.5\xEF\xBD\x9E" "5.0",
        "\xEF\xBC\x91\xEF\xBC\x93\xEF\xBC\x90\xEF\xBC\x90",  // full-width 1300
        "50,5",
        "\t\x01\x1F",
        "\"quoted\" \\back\\slash",
        "\xF0\x9F\x98\x80 emoji",
        "line\xE2\x80\xA8separator",
        std::string(60000, '7'),
    };
    std::size_t i = 0;
    for (const Box box : givenParameterBoxes())
        design.texts[box] = q(odd[i++ % std::size(odd)]);
    design.info = {"泵站 A", "初步设计", "张三", "李四", "2026-12-07", "备注\n两行"};

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("odd.inlet"));
    writeDesignFile(path, design);
    const Design back = readDesignFile(path);
    for (const Box box : givenParameterBoxes())
        EXPECT_EQ(back.texts.at(box).toStdString(), design.texts.at(box).toStdString()) << boxName(box);
    EXPECT_EQ(back.info.project, design.info.project);
    EXPECT_EQ(back.info.notes, design.info.notes);
    EXPECT_EQ(designBytes(back), designBytes(design)) << "saving again changes the file";
}

TEST(DesignFileRoundTrip, KeepsTheWidthSetChosen)
{
    Design design = defaultDesign();
    design.widthSet = WidthSet::AreaTrue;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("area-true.inlet"));
    writeDesignFile(path, design);
    EXPECT_EQ(readDesignFile(path).widthSet, WidthSet::AreaTrue);

    // A file from before the choice was kept opens with the computed widths.
    QJsonObject root = QJsonDocument::fromJson(designBytes(design)).object();
    root.remove(QStringLiteral("widthSet"));
    root[QStringLiteral("formatVersion")] = QStringLiteral("1.0");
    EXPECT_EQ(parseDesign(QJsonDocument(root).toJson(), QStringLiteral("old.inlet")).widthSet, WidthSet::Computed);
}

TEST(DesignFileRoundTrip, KeepsTheStudyItWasChosenFromAsVersion13)
{
    Design design = defaultDesign();
    design.study = QJsonObject{{QStringLiteral("objective"), QStringLiteral("B")},
                               {QStringLiteral("columns"), QJsonArray{QStringLiteral("variant"), QStringLiteral("hk")}}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("best.inlet"));
    writeDesignFile(path, design);
    const Design read = readDesignFile(path);
    EXPECT_EQ(read.study, design.study);
    EXPECT_TRUE(readAll(path).contains("\"formatVersion\": \"1.3\""));
    // A design without one is written as it always was.
    design.study = {};
    EXPECT_EQ(designBytes(design), designBytes(defaultDesign()));
    EXPECT_TRUE(designBytes(design).contains("\"formatVersion\": \"1.2\""));
    // A study that is not an object is refused, named.
    try {
        parseDesign(withReplaced("\"widthSet\"", "\"study\": 7, \"widthSet\""), QStringLiteral("bad.inlet"));
        ADD_FAILURE() << "a study of 7 read";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind, Failure::Kind::FieldNotObject);
        EXPECT_TRUE(en(f).contains(QStringLiteral("study"))) << en(f).toStdString();
    }
}

TEST(DesignFileRoundTrip, KeepsWhatANewerMinorVersionAddsOnTheNextSave)
{
    QByteArray bytes = withReplaced("\"formatVersion\": \"1.2\"",
                                    "\"formatVersion\": \"1.3\", \"view\": {\"zoom\": 2}");
    bytes = QJsonDocument::fromJson(bytes).toJson();  // still valid JSON
    QJsonObject root = QJsonDocument::fromJson(bytes).object();
    QJsonObject info = root[QStringLiteral("info")].toObject();
    info[QStringLiteral("phone")] = QStringLiteral("123");
    root[QStringLiteral("info")] = info;
    QJsonObject texts = root[QStringLiteral("texts")].toObject();
    texts[QStringLiteral("Qmax")] = QStringLiteral("18");
    root[QStringLiteral("texts")] = texts;

    Design design = parseDesign(QJsonDocument(root).toJson(), QStringLiteral("newer.inlet"));
    design.texts[Box::Text21] = QStringLiteral("2000");
    const QJsonObject saved = QJsonDocument::fromJson(designBytes(design)).object();
    EXPECT_EQ(saved[QStringLiteral("formatVersion")].toString(), QStringLiteral("1.3"));
    EXPECT_EQ(saved[QStringLiteral("view")].toObject()[QStringLiteral("zoom")].toInt(), 2);
    EXPECT_EQ(saved[QStringLiteral("info")].toObject()[QStringLiteral("phone")].toString(), QStringLiteral("123"));
    EXPECT_EQ(saved[QStringLiteral("texts")].toObject()[QStringLiteral("Qmax")].toString(), QStringLiteral("18"));
    EXPECT_EQ(saved[QStringLiteral("texts")].toObject()[QStringLiteral("hk")].toString(), QStringLiteral("2000"));
}

TEST(BadDesignFiles, AreRefusedWithAMessageNamingTheFileAndTheFault)
{
    struct Row {
        const char* name;
        QByteArray bytes;
        const char* chinese;  // what the message must say
    };
    const Row rows[] = {
        {"not JSON", "this is not json", "不是 JSON 格式"},
        {"JSON nested 100,000 deep", withReplaced("\"texts\"", "\"deep\": " + std::string(100000, '[') + std::string(100000, ']') + ", \"texts\""),
         "嵌套超过 1024 层"},
        {"a number beyond a double", withReplaced("\"texts\"", "\"x\": 1e400, \"texts\""), "中的数 1e400 超出可表示的范围"},
        {"a number below a double's least", withReplaced("\"texts\"", "\"x\": -1e-400, \"texts\""), "中的数 -1e-400 超出"},
        {"a malformed number", withReplaced("\"texts\"", "\"x\": 1e, \"texts\""), "不是 JSON 格式"},
        {"JSON but not an object", "[1, 2]", "不是进水流道设计文件"},
        {"another format", withReplaced("inlet-design", "other-design"), "不是进水流道设计文件"},
        {"a newer major version", withReplaced("\"1.2\"", "\"2.0\""), "比本程序支持的 1.x 新"},
        {"an unreadable version", withReplaced("\"1.2\"", "\"one\""), "无法识别"},
        {"a floor elevation that is not a number", withReplaced("\"floorElevation\": \"\"", "\"floorElevation\": \"12m\""),
         "底板高程“12m”不是数字"},
        {"a version that is a number", withReplaced("\"1.2\"", "1.2"), "formatVersion 应为文本"},
        {"no texts", withReplaced("\"texts\"", "\"textz\""), "缺少字段 texts"},
        {"a missing box", withReplaced("\"hk\"", "\"hx\""), "缺少字段 texts.hk"},
        {"a box text that is a number", withReplaced("\"D0\": \"2200\"", "\"D0\": 2200"), "texts.D0 应为文本"},
        {"information that is a list", withReplaced("\"info\": {", "\"info\": [], \"x\": {"), "info 应为对象"},
        {"a megabyte of text", withReplaced("\"D0\": \"2200\"", "\"D0\": \"" + std::string(1 << 20, '7') + "\""), "文本过长"},
        {"a NUL in a text", withReplaced("\"D0\": \"2200\"", "\"D0\": \"22\\u000000\""), "空字符"},
        {"a lone surrogate", withReplaced("\"D0\": \"2200\"", "\"D0\": \"\\ud800\""), "无效字符"},
        {"a width set this program does not know", withReplaced("\"computed\"", "\"smoothed\""), "widthSet 应为"},
        {"a width set that is a number", withReplaced("\"computed\"", "1"), "widthSet 应为文本"},
        {"bytes that are not UTF-8", withReplaced("\"D0\": \"2200\"", "\"D0\": \"\xFF\xFE\""), "不是有效的 UTF-8"},
        {"a version with a sign", withReplaced("\"1.2\"", "\"1.+1\""), "无法识别"},
        {"a version with a minus", withReplaced("\"1.2\"", "\"1.-0\""), "无法识别"},
        {"a major version beyond any integer", withReplaced("\"1.2\"", "\"99999999999.0\""), "比本程序支持的 1.x 新"},
        // A flow record that cannot be read is named, not dropped unseen.
        {"a flow record that is a number", withReplaced("\"widthSet\"", "\"flow\": 3, \"widthSet\""), "flow 应为对象"},
        {"a flow record without texts", withReplaced("\"widthSet\"", "\"flow\": {\"result\": {\"status\": \"settled\"}}, \"widthSet\""),
         "缺少字段 flow.texts"},
        {"a flow record without a result", withReplaced("\"widthSet\"", "\"flow\": {\"texts\": {}}, \"widthSet\""),
         "缺少字段 flow.result"},
        {"a flow result that is a list", withReplaced("\"widthSet\"", "\"flow\": {\"texts\": {}, \"result\": []}, \"widthSet\""),
         "flow.result 应为对象"},
        {"a flow result without a status", withReplaced("\"widthSet\"", "\"flow\": {\"texts\": {}, \"result\": {}}, \"widthSet\""),
         "缺少字段 flow.result.status"},
        {"a flow status that is a number", withReplaced("\"widthSet\"", "\"flow\": {\"texts\": {}, \"result\": {\"status\": 1}}, \"widthSet\""),
         "flow.result.status 应为文本"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            parseDesign(row.bytes, QStringLiteral("/designs/bad.inlet"));
            ADD_FAILURE() << "accepted";
        } catch (const Failure& e) {
            const QString shown = QDir::toNativeSeparators(QStringLiteral("/designs/bad.inlet"));
            EXPECT_TRUE(zh(e).contains(shown)) << zh(e).toStdString();
            EXPECT_TRUE(zh(e).contains(QString::fromUtf8(row.chinese))) << zh(e).toStdString();
            EXPECT_TRUE(en(e).contains(shown)) << en(e).toStdString();
        }
    }
}

TEST(BadDesignFiles, AHundredMegabyteFileIsRefusedWithoutReadingItWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.inlet"));
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(100LL * 1024 * 1024));  // sparse: no 100 MB written
    huge.close();
    try {
        readDesignFile(path);
        ADD_FAILURE() << "accepted";
    } catch (const Failure& e) {
        EXPECT_TRUE(zh(e).contains(QStringLiteral("过大"))) << zh(e).toStdString();
        EXPECT_TRUE(zh(e).contains(QStringLiteral("104857600"))) << zh(e).toStdString();
    }
    EXPECT_THROW(readDesignFile(dir.filePath(QStringLiteral("missing.inlet"))), Failure);
    EXPECT_THROW(readDesignFile(dir.path()), Failure) << "a folder";
}

// A file size limit makes the write fail part-way; Windows has no such limit.
#ifndef _WIN32
TEST(DesignFileSave, ASaveThatFailsPartWayLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.inlet"));
    writeDesignFile(path, defaultDesign());
    const QByteArray before = readAll(path);

    // Let no file grow beyond 64 bytes, so that writing the new design fails part-way.
    Design changed = defaultDesign();
    changed.texts[Box::Text21] = QStringLiteral("2000");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &tight);
    bool refused = false;
    try {
        writeDesignFile(path, changed);
    } catch (const Failure& e) {
        refused = zh(e).contains(QStringLiteral("无法保存设计文件")) && e.error == EFBIG;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(refused);
    EXPECT_EQ(readAll(path), before) << "the old file was damaged";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "a partial file was left behind";
}
#endif

TEST(DesignFileSave, RefusesATextTooLongToOpenAgainAndNamesTheBox)
{
    QTemporaryDir dir;
    Design design = defaultDesign();
    design.texts[Box::Text34] = QString(kMaxDesignText + 1, QLatin1Char('7'));
    try {
        writeDesignFile(dir.filePath(QStringLiteral("long.inlet")), design);
        ADD_FAILURE() << "saved";
    } catch (const Failure& e) {
        EXPECT_TRUE(zh(e).contains(QStringLiteral("dd0"))) << zh(e).toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("long.inlet"))));
    EXPECT_THROW(writeDesignFile(dir.filePath(QStringLiteral("no/such/folder/x.inlet")), defaultDesign()),
                 Failure);
}

// What the engineer can put in the window is saved only where it opens again: a save that would
// write a file this program refuses is refused before anything is written.
TEST(DesignFileSave, SavesOnlyWhatOpensAgain)
{
    struct Row {
        const char* name;
        void (*change)(Design&);
        Failure::Kind refused;
        const char* where;
    };
    const Row rows[] = {
        {"notes of 70,000 characters", [](Design& d) { d.info.notes = QString(70000, u'注'); },
         Failure::Kind::SaveTextTooLong, "info.notes"},
        {"a NUL pasted into hk", [](Design& d) { d.texts[Box::Text21] = QString::fromUtf8("AB\0CD", 5); },
         Failure::Kind::SaveTextHasNul, "hk"},
        {"half a surrogate pair in the project", [](Design& d) { d.info.project = QString(QChar(0xD800)); },
         Failure::Kind::SaveTextHasInvalidChar, "info.project"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.inlet"));
    writeDesignFile(path, defaultDesign());
    const QByteArray before = readAll(path);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Design design = defaultDesign();
        row.change(design);
        try {
            writeDesignFile(path, design);
            ADD_FAILURE() << "saved";
        } catch (const Failure& f) {
            EXPECT_EQ(f.kind, row.refused) << en(f).toStdString();
            EXPECT_EQ(f.item, row.where);
        }
        EXPECT_EQ(readAll(path), before);
    }
}

TEST(DesignFileSave, TheLargestDesignTheWindowHoldsOpensAgain)
{
    // Every box and every field as long as it may be, of the character that takes the most
    // bytes in JSON (\u0001).
    Design design = defaultDesign();
    const QString longest(kMaxDesignText, QChar(1));
    for (auto& [box, text] : design.texts)
        text = longest;
    for (const DesignInfoField& f : designInfoFields())
        design.info.*f.field = longest;
    design.info.floorElevation = QStringLiteral("0.") + QString(kMaxDesignText - 2, u'0');  // a number
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("largest.inlet"));
    ASSERT_NO_THROW(writeDesignFile(path, design));
    const Design opened = readDesignFile(path);
    EXPECT_EQ(opened.texts, design.texts);
    EXPECT_EQ(opened.info.notes, longest);
    EXPECT_EQ(opened.info.ratifyDate, longest);
}

TEST(DesignFileSave, ANewerFileGrownByIndentingIsWrittenCompact)
{
    // 1.6 million zeros a newer program wrote compactly: indented, one per line, the file
    // would be larger than a design file may be.
    QByteArray bytes = designBytes(defaultDesign());
    bytes.replace("\"formatVersion\": \"1.2\"", "\"formatVersion\": \"1.4\", \"samples\": [0" + QByteArray(",0").repeated(1600000) + "]");
    ASSERT_TRUE(bytes.contains("\"samples\""));
    const Design newer = parseDesign(bytes, QStringLiteral("grow.inlet"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grow.inlet"));
    ASSERT_NO_THROW(writeDesignFile(path, newer));
    EXPECT_NO_THROW(readDesignFile(path));
}

TEST(DesignFileRoundTrip, KeepsWhatANewerFileWroteAsItWroteIt)
{
    QByteArray bytes = designBytes(defaultDesign());
    bytes.replace("\"formatVersion\": \"1.2\"",
                  "\"formatVersion\": \"1.3\", \"serial\": 12345678901234567890, \"ratio\": 1.10");
    ASSERT_TRUE(bytes.contains("\"serial\""));
    bytes.replace("\"notes\": \"\"", "\"notes\": \"\", \"sheets\": [1e2, {\"a\": 0.30}]");
    bytes.replace("\"hk\": \"\"", "\"hk\": \"\\ufeff2000\"");
    Design newer = parseDesign(bytes, QStringLiteral("newer.inlet"));
    EXPECT_EQ(newer.texts.at(Box::Text21), QStringLiteral("\uFEFF2000"));
    newer.widthSet = WidthSet::AreaTrue;  // what this program knows is written as it is now
    const QByteArray saved = designBytes(newer);
    for (const char* kept : {"\"serial\": 12345678901234567890", "\"ratio\": 1.10", "\"sheets\": [1e2, {\"a\": 0.30}]",
                             "\"formatVersion\": \"1.3\"", "\"hk\": \"\\ufeff2000\"",
                             "\"widthSet\": \"area-true\""})
        EXPECT_TRUE(saved.contains(kept)) << kept << " not in " << saved.toStdString();
    EXPECT_EQ(parseDesign(saved, QStringLiteral("newer.inlet")).texts.at(Box::Text21), QStringLiteral("\uFEFF2000"));
}
