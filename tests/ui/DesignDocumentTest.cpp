// The design as a document: saved and opened again whole, bad files refused without a trace,
// the question before unsaved changes are set aside, the title's mark, recent and dropped files.

#include "document/DesignFile.h"
#include "tests/ui/DocumentWindow.h"
#include "model/LastRun.h"
#include "tests/ui/MenuTitle.h"
#include "ui/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QWindow>

#include <functional>

namespace inlet::test {
namespace {

using Answer = Asker::UnsavedAnswer;

// A fresh window's design with hk 2000, whose run completes, after `change` to its JSON.
QByteArray hk2000(const std::function<void(QJsonObject& root, QJsonObject& texts)>& change = {})
{
    Design design = defaultDesign();
    design.texts[Box::Text21] = QStringLiteral("2000");
    QJsonObject root = QJsonDocument::fromJson(designBytes(design)).object();
    QJsonObject texts = root[QStringLiteral("texts")].toObject();
    if (change)
        change(root, texts);
    root[QStringLiteral("texts")] = texts;
    return QJsonDocument(root).toJson();
}

TEST_F(DocumentWindow, SavedDesignOpensInAFreshWindowWithTheSameTextsResultsAndInformation)
{
    const std::map<Box, QString> typed{
        {Box::Text1, QStringLiteral("２２００")}, {Box::Text22, QStringLiteral("50,5")}, {Box::Text9, QStringLiteral(" 700 ")},
        {Box::Text8, QString()}, {Box::Text21, QStringLiteral("2000")}};
    for (const auto& [b, value] : typed)
        type(b, value);
    box(*window, Box::Text12)->selectAll();
    box(*window, Box::Text12)->insert(QString(20000, QChar(u'长')));  // pasted: nobody types that much
    script.infoAnswers.push_back(DesignInfo{.project = QStringLiteral("某泵站"), .notes = QStringLiteral("一\n二")});
    window->editDesignInfo();
    press("Command1");
    script.filesToSave.push_back(file("泵站 一号"));  // the extension is added
    ASSERT_TRUE(window->saveAs()) << warnings();

    auto reopened = newWindow();
    ASSERT_TRUE(reopened->openFile(file("泵站 一号.inlet"))) << warnings();
    EXPECT_EQ(texts(*reopened), texts(*window));
    EXPECT_EQ(box(*reopened, Box::Text6)->text(), QStringLiteral("6355")) << "B: opening did not run the calculation";
    EXPECT_EQ(reopened->designInfo().project, QStringLiteral("某泵站"));
    EXPECT_EQ(reopened->designInfo().notes, QStringLiteral("一\n二"));
    EXPECT_FALSE(reopened->hasUnsavedChanges());
    EXPECT_TRUE(failures.isEmpty()) << failures.join(u'\n').toStdString();
}

TEST_F(DocumentWindow, TheWidthSetChosenIsSavedAndOpensAgain)
{
    type(Box::Text21, QStringLiteral("2000"));
    press("Command1");
    QAction* areaTrue = nullptr;
    for (QAction* menu : window->menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            if (menuTitle(*menu) == QStringLiteral("文件") && item->text() == QStringLiteral("断面宽度") && item->menu())
                for (QAction* choice : item->menu()->actions())
                    if (choice->text() == QStringLiteral("按断面形状（面积一致）"))
                        areaTrue = choice;
    ASSERT_NE(areaTrue, nullptr) << "no 文件 → 断面宽度 → 按断面形状（面积一致）";
    areaTrue->trigger();
    EXPECT_EQ(window->lastRun().widthSet(), WidthSet::AreaTrue);
    script.filesToSave.push_back(file("area-true.inlet"));
    ASSERT_TRUE(window->save()) << warnings();

    const auto fresh = newWindow();
    ASSERT_TRUE(fresh->openFile(file("area-true.inlet"))) << warnings();
    EXPECT_EQ(fresh->lastRun().widthSet(), WidthSet::AreaTrue);
    EXPECT_FALSE(fresh->hasUnsavedChanges());
    ASSERT_TRUE(fresh->lastRun().record());
    EXPECT_EQ(fresh->lastRun().record()->widthSet, WidthSet::AreaTrue) << "the run is drawn with other widths";
    fresh->newDesign();
    EXPECT_EQ(fresh->lastRun().widthSet(), WidthSet::Computed) << "a new design keeps the last one's widths";
}

TEST_F(DocumentWindow, WhatANewerFileAddedIsWrittenBack)
{
    ASSERT_TRUE(write(file("newer.inlet"), hk2000([](QJsonObject& root, QJsonObject&) {
        root[QStringLiteral("formatVersion")] = QStringLiteral("1.3");
        root[QStringLiteral("pump")] = QStringLiteral("1600ZLB-6");
    })));
    ASSERT_TRUE(window->openFile(file("newer.inlet"))) << warnings();
    type(Box::Text21, QStringLiteral("1900"));
    ASSERT_TRUE(window->save()) << warnings();
    const Design saved = readDesignFile(file("newer.inlet"));
    EXPECT_EQ(saved.kept[QStringLiteral("pump")].toString(), QStringLiteral("1600ZLB-6"));
    EXPECT_EQ(saved.texts.at(Box::Text21), QStringLiteral("1900"));
}

// 保存 writes the flow the window holds, not the one the file was opened with (which used to
// be written back over it), and a flow taken away is saved as none.
TEST_F(DocumentWindow, SaveWritesTheNewFlowOverTheOld)
{
    const auto flowWith = [](double vu) {
        return QJsonObject{{"texts", QJsonObject{}}, {"result", QJsonObject{{"status", "settled"}, {"Vu", vu}}}};
    };
    ASSERT_TRUE(write(file("flow.inlet"), hk2000([&](QJsonObject& root, QJsonObject&) {
        root[QStringLiteral("flow")] = flowWith(11.5);
    })));
    ASSERT_TRUE(window->openFile(file("flow.inlet"))) << warnings();
    window->lastRun().setFlow(flowWith(88.5));
    ASSERT_TRUE(window->save()) << warnings();
    EXPECT_EQ(readDesignFile(file("flow.inlet")).flow[QStringLiteral("result")].toObject()[QStringLiteral("Vu")].toDouble(),
              88.5);
    window->lastRun().setFlow({});
    ASSERT_TRUE(window->save()) << warnings();
    EXPECT_TRUE(readDesignFile(file("flow.inlet")).flow.isEmpty());
}

TEST_F(DocumentWindow, SaveKeepsTheStudyTheDesignWasChosenFrom)
{
    const QJsonObject study{{"objective", "B"}, {"columns", QJsonArray{"variant", "hk"}}};
    ASSERT_TRUE(write(file("best.inlet"), hk2000([&](QJsonObject& root, QJsonObject&) {
        root[QStringLiteral("study")] = study;
        root[QStringLiteral("formatVersion")] = QStringLiteral("1.3");
    })));
    ASSERT_TRUE(window->openFile(file("best.inlet"))) << warnings();
    ASSERT_TRUE(window->save()) << warnings();
    EXPECT_EQ(readDesignFile(file("best.inlet")).study, study);
}

TEST_F(DocumentWindow, BoxTextsAreSavedAsTheFileHadThemByteOrderMarkIncluded)
{
    const QString marked = QStringLiteral("\uFEFF2000");
    ASSERT_TRUE(write(file("marked.inlet"), hk2000([&](QJsonObject&, QJsonObject& texts) {
        texts[QStringLiteral("hk")] = marked;
    })));
    ASSERT_TRUE(window->openFile(file("marked.inlet"))) << warnings();
    EXPECT_EQ(box(*window, Box::Text21)->text(), marked);
    ASSERT_TRUE(window->save()) << warnings();
    EXPECT_EQ(readDesignFile(file("marked.inlet")).texts.at(Box::Text21), marked);
}

TEST_F(DocumentWindow, BadFilesAreRefusedNamingTheFileAndChangeNothing)
{
    QByteArray nuls = hk2000(), badUtf8 = hk2000();
    nuls.insert(nuls.indexOf("\"texts\""), QByteArray("\0\0", 2));
    badUtf8.replace("\"2000\"", "\"20\xff" "00\"");
    const auto text = [](const char* symbol, const QJsonValue& value) {
        return hk2000([=](QJsonObject&, QJsonObject& texts) { texts[QLatin1String(symbol)] = value; });
    };
    const auto root = [](const char* key, const QJsonValue& value) {
        return hk2000([=](QJsonObject& root, QJsonObject&) { root[QLatin1String(key)] = value; });
    };
    const struct {
        const char* what;
        QByteArray bytes;  // none: a sparse file of 100 MB
        const char* says;
    } bad[] = {
        {"not JSON", "这不是设计文件", "不是 JSON 格式"},
        {"another format", root("format", QStringLiteral("dxf")), "不是进水流道设计文件"},
        {"a newer major version", root("formatVersion", QStringLiteral("2.0")), "比本程序支持的 1.x 新"},
        {"a missing field", hk2000([](QJsonObject&, QJsonObject& t) { t.remove(QStringLiteral("hk")); }), "缺少字段 texts.hk"},
        {"a mistyped field", text("hk", 2000), "texts.hk 应为文本"},
        {"a text of a megabyte", text("Q", QString(1 << 20, QLatin1Char('9'))), "的文本过长"},
        {"a NUL in a text", text("hk", QStringLiteral("20") + QChar(0)), "含有空字符"},
        {"NUL bytes", nuls, "不是 JSON 格式"},
        {"invalid UTF-8", badUtf8, "不是有效的 UTF-8 文本"},
        {"100 MB", {}, "过大"},
    };
    ASSERT_TRUE(write(file("good.inlet"), hk2000()));
    ASSERT_TRUE(window->openFile(file("good.inlet")));
    type(Box::Text11, QStringLiteral("1 300"));
    const WindowState before = state();

    for (const auto& [what, bytes, says] : bad) {
        const QString path = file(QStringLiteral("%1.inlet").arg(QString::fromUtf8(what)));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_TRUE(bytes.isEmpty() ? out.resize(100 << 20) : out.write(bytes) == bytes.size()) << what;
        out.close();
        script.warnings.clear();
        script.unsavedAnswers.push_back(Answer::Discard);
        EXPECT_FALSE(window->openFile(path)) << what;
        ASSERT_EQ(script.warnings.size(), 1) << what << ": " << warnings();
        const QString& said = script.warnings[0];
        EXPECT_TRUE(said.startsWith(QStringLiteral("无法打开设计文件: "))) << what << ": " << warnings();
        EXPECT_TRUE(said.contains(QDir::toNativeSeparators(path))) << what << ": names no file: " << warnings();
        EXPECT_TRUE(said.contains(QString::fromUtf8(says))) << what << ": does not say " << says << ": " << warnings();
        EXPECT_EQ(state(), before) << "a file with " << what << " changed the window";
    }
    EXPECT_TRUE(failures.isEmpty()) << "a refused file was calculated";
}

TEST_F(DocumentWindow, UnwritableSaveTargetSaysSoAndKeepsTheUnsavedMark)
{
    type(Box::Text21, QStringLiteral("2000"));
    const WindowState before = state();
    script.filesToSave.push_back(file("no such folder/d.inlet"));
    EXPECT_FALSE(window->save());
    ASSERT_EQ(script.warnings.size(), 1);
    EXPECT_TRUE(script.warnings[0].startsWith(QStringLiteral("无法保存设计文件: "))) << warnings();
    EXPECT_TRUE(script.warnings[0].contains(QDir::toNativeSeparators(file("no such folder/d.inlet")))) << warnings();
    EXPECT_EQ(state(), before);
}

// Close, 退 出, 新建 and 打开 with unsaved changes, answered 保存, 不保存 and 取消.
TEST_F(DocumentWindow, UnsavedChangesAreAskedAboutBeforeTheDesignIsSetAside)
{
    Design other = defaultDesign();
    other.texts[Box::Text21] = QStringLiteral("2000");
    other.info.project = QStringLiteral("另一个");
    ASSERT_TRUE(write(file("other.inlet"), designBytes(other)));
    std::map<Box, QString> fresh;
    for (const BoxInfo& info : boxTable())
        fresh[info.box] = QString::fromUtf8(info.defaultText.data(), qsizetype(info.defaultText.size()));
    const std::map<std::string, std::function<void()>> ways{{"close", [this] { window->close(); }},
                                                            {"退 出", [this] { press("Command2"); }},
                                                            {"新建", [this] { window->newDesign(); }},
                                                            {"打开", [this] { window->open(); }}};
    const char* answered[] = {"保存", "不保存", "取消"};  // in the order of Asker::UnsavedAnswer
    for (const auto& [how, setAside] : ways) {
        for (const Answer answer : {Answer::Save, Answer::Discard, Answer::Cancel}) {
            const std::string row = how + " answered " + answered[int(answer)];
            window = newWindow();
            const QString path = file(QStringLiteral("%1 %2.inlet").arg(QString::fromStdString(how)).arg(int(answer)));
            ASSERT_TRUE(write(path, hk2000()));
            ASSERT_TRUE(window->openFile(path)) << warnings();
            type(Box::Text21, QStringLiteral("1234"));
            const WindowState before = state();
            script.questions.clear();
            script.unsavedAnswers.push_back(answer);
            if (how == "打开" && answer != Answer::Cancel)
                script.filesToOpen.push_back(file("other.inlet"));

            setAside();
            EXPECT_EQ(script.questions.join(u' '), QStringLiteral("设计“%1”").arg(QFileInfo(path).fileName())) << row;
            EXPECT_EQ(readDesignFile(path).texts.at(Box::Text21),
                      answer == Answer::Save ? QStringLiteral("1234") : QStringLiteral("2000")) << row;
            if (answer == Answer::Cancel) {
                EXPECT_EQ(state(), before) << row;
                EXPECT_TRUE(window->isVisible()) << row;
            } else if (how == "新建") {
                EXPECT_EQ(state(), (WindowState{fresh, QStringLiteral("Form1[*]"), {}, {}, false})) << row;
            } else if (how == "打开") {
                EXPECT_EQ(window->designInfo().project, QStringLiteral("另一个")) << row << ": " << warnings();
            } else {
                EXPECT_FALSE(window->isVisible()) << row;
            }
        }
    }
}

TEST_F(DocumentWindow, SavingANewDesignGoesThroughSaveAsWhoseCancelCancels)
{
    type(Box::Text21, QStringLiteral("2000"));
    script.unsavedAnswers = {Answer::Save, Answer::Save};
    script.filesToSave = {QString(), file("new.inlet")};
    window->close();
    EXPECT_TRUE(window->isVisible()) << "closed although 另存为 was cancelled";
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(script.questions, (QStringList{QStringLiteral("新设计"), QStringLiteral("新设计")}));
    EXPECT_EQ(readDesignFile(file("new.inlet")).texts.at(Box::Text21), QStringLiteral("2000"));
}

TEST_F(DocumentWindow, TypingInTheFrameMarksTheTitleAndRunsDoNot)
{
    const auto shown = [this] { return window->windowHandle()->title(); };
    press("Command1");  // fails
    box(*window, Box::Text21)->setText(QStringLiteral("2000"));
    press("Command1");
    type(Box::Text13, QStringLiteral("9"));  // a result box outside the frame
    EXPECT_EQ(shown(), QStringLiteral("Form1")) << "after runs, a text set by the program, a result box";
    type(Box::Text21, QStringLiteral("2000"));
    EXPECT_EQ(shown(), QStringLiteral("Form1*"));
    script.filesToSave.push_back(file("marked.inlet"));
    ASSERT_TRUE(window->save());
    for (const Box b : givenParameterBoxes()) {
        type(b, text(b) + QStringLiteral("1"));
        EXPECT_EQ(shown(), QStringLiteral("marked.inlet* - Form1")) << "typing in " << boxName(b);
        ASSERT_TRUE(window->save());
        EXPECT_EQ(shown(), QStringLiteral("marked.inlet - Form1")) << "saved after typing in " << boxName(b);
    }
}

TEST_F(DocumentWindow, RecentFileThatIsGoneSaysSoAndLeavesTheList)
{
    ASSERT_TRUE(write(file("gone.inlet"), hk2000()));
    ASSERT_TRUE(window->openFile(file("gone.inlet")));
    ASSERT_EQ(RecentFiles::paths().value(0), file("gone.inlet"));
    QFile::remove(file("gone.inlet"));
    const WindowState before = state();
    EXPECT_FALSE(window->openFile(file("gone.inlet")));
    EXPECT_EQ(script.warnings.size(), 1);
    EXPECT_FALSE(RecentFiles::paths().contains(file("gone.inlet")));
    EXPECT_EQ(state(), before);
}

// Drags files onto `target` and drops them there; whether the drag was taken.
bool drop(QWidget* target, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    data.setText(paths.join(u'\n'));
    QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(target->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    QApplication::processEvents();
    return true;
}

TEST_F(DocumentWindow, DroppedDesignFileOpensAndOtherFilesDoNot)
{
    ASSERT_TRUE(write(file("d.inlet"), hk2000()) && write(file("notes.txt"), "hk 2000"));
    const WindowState before = state();
    EXPECT_FALSE(drop(window.get(), {file("notes.txt")})) << "a .txt file was taken";
    EXPECT_EQ(state(), before);
    ASSERT_TRUE(drop(window.get(), {file("notes.txt"), file("d.inlet")}));
    EXPECT_EQ(window->filePath(), file("d.inlet"));

    script.unsavedAnswers.push_back(Answer::Discard);
    type(Box::Text21, QString());
    ASSERT_TRUE(drop(box(*window, Box::Text21), {file("d.inlet")})) << "dropped on a box";
    EXPECT_EQ(text(Box::Text21), QStringLiteral("2000")) << "the file's name became the box's text";
}

}  // namespace
}  // namespace inlet::test
