// The main window's menus, every entry with its shortcut, and the entries that are not about
// files: the design checks and the drawing export.

#include "ui/DesignChecksWindow.h"
#include "document/DesignFile.h"
#include "tests/ui/DocumentWindow.h"
#include "InletFeatures.h"
#include "ui/ManualWindow.h"
#include "tests/ui/MenuTitle.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

#include <string>

namespace inlet::test {

// The drawing formats this build writes, as 文件 → 导出图形 names them.
const std::string kDrawingExports = std::string("导出图形 DXF/PDF") + (INLET_HAS_SVG ? "/SVG" : "") + "/PNG"
#ifdef INLET_HAVE_SOLID
                                    + "/STEP/STL"
#endif
                                    + "…";

namespace {

QAction* entry(MainWindow& window, const QString& menu, const QString& text)
{
    for (QAction* m : window.menuBar()->actions())
        for (QAction* a : m->menu()->actions())
            if (menuTitle(*m) == menu && a->text() == text)
                return a;
    return nullptr;
}

TEST_F(DocumentWindow, MenusHoldEveryEntryWithItsShortcut)
{
    const struct {
        const char* menu;
        const char* text;
        QKeySequence shortcut;
    } entries[] = {
        {"文件", "新建", Qt::CTRL | Qt::Key_N}, {"文件", "打开…", Qt::CTRL | Qt::Key_O},
        {"文件", "保存", Qt::CTRL | Qt::Key_S}, {"文件", "另存为…", Qt::CTRL | Qt::SHIFT | Qt::Key_S},
        {"文件", "最近打开的设计", {}},          {"文件", "设计信息…", {}},
        {"文件", "断面宽度", {}},
        {"文件", "打印预览…", {}},              {"文件", "打印…", Qt::CTRL | Qt::Key_P},
        {"文件", "导出计算书 PDF…", {}},        {"文件", "导出计算书 ODT…", {}},
        {"文件", kDrawingExports.c_str(), {}},  {"文件", "退出", Qt::CTRL | Qt::Key_Q},
        {"查看", "型线图…", {}},                {"查看", "设计校核…", {}},
        {"帮助", "用户手册", Qt::Key_F1},       {"帮助", "关于", {}},
    };
    for (const auto& [menu, text, shortcut] : entries) {
        const QAction* a = entry(*window, QString::fromUtf8(menu), QString::fromUtf8(text));
        ASSERT_NE(a, nullptr) << "no " << menu << " → " << text;
        EXPECT_EQ(a->shortcut(), shortcut) << menu << " → " << text << ": " << a->shortcut().toString().toStdString();
    }
    EXPECT_NE(entry(*window, QStringLiteral("文件"), QStringLiteral("最近打开的设计"))->menu(), nullptr);
#ifdef INLET_HAVE_SOLID
    EXPECT_NE(entry(*window, QStringLiteral("查看"), QStringLiteral("三维模型…")), nullptr);
#endif
    // The study window where this build has it (Qt Charts), absent where not.
    EXPECT_EQ(entry(*window, QStringLiteral("设计"), QStringLiteral("方案比选…")) != nullptr, bool(INLET_HAS_CHARTS));
}

TEST_F(DocumentWindow, RecentMenuListsTheFilesMostRecentFirstAndOpensThem)
{
    ASSERT_TRUE(write(file("a.inlet"), designBytes(defaultDesign())) && write(file("b.inlet"), designBytes(defaultDesign())));
    ASSERT_TRUE(window->openFile(file("a.inlet")) && window->openFile(file("b.inlet")));
    QAction* file = entry(*window, QStringLiteral("文件"), QStringLiteral("最近打开的设计"));
    emit window->menuBar()->actions()[0]->menu()->aboutToShow();
    const QList<QAction*> recent = file->menu()->actions();
    ASSERT_GE(recent.size(), 2);
    EXPECT_EQ(recent[0]->text(), QStringLiteral("&1 ") + QDir::toNativeSeparators(this->file("b.inlet")));
    EXPECT_EQ(recent[1]->text(), QStringLiteral("&2 ") + QDir::toNativeSeparators(this->file("a.inlet")));
    recent[1]->trigger();
    EXPECT_EQ(window->filePath(), this->file("a.inlet"));
}

TEST_F(DocumentWindow, DesignChecksShowTheLastCompletedRunAndNothingAfterAFailure)
{
    EXPECT_EQ(window->designChecksWindow(), nullptr) << "made before it was asked for";
    type(Box::Text21, QStringLiteral("2000"));
    press("Command1");
    entry(*window, QStringLiteral("查看"), QStringLiteral("设计校核…"))->trigger();
    ASSERT_NE(window->designChecksWindow(), nullptr);
    const auto* list = window->designChecksWindow()->findChild<QListWidget*>();
    int marked = 0;
    for (int i = 0; i < list->count(); ++i)
        marked += list->item(i)->icon().isNull() ? 0 : 1;
    EXPECT_EQ(list->count(), 33);
    EXPECT_EQ(marked, 11) << "the width sets differing, a0, a40 to a87, the jump to a90 and L read as 3.5 × D "
                             "are warnings; the figures are plain";

    type(Box::Text21, QString());
    press("Command1");
    EXPECT_EQ(list->count(), 0) << "the checks of the earlier design are still listed";
    EXPECT_TRUE(window->designChecksWindow()->note().contains(failures.value(0))) << failures.value(0).toStdString();
}

// The manual's first heading, as the source holds it: "# 标题" → "标题".
QString firstHeading(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("# ")))
            return line.mid(2).trimmed();
    }
    return {};
}

TEST_F(DocumentWindow, HelpOpensTheUserManualShowingItsFirstHeading)
{
    const QString heading = firstHeading(QStringLiteral(INLET_SOURCE_DIR "/docs/manual.zh-CN.md"));
    ASSERT_FALSE(heading.isEmpty()) << "docs/manual.zh-CN.md has no first heading";
    EXPECT_EQ(window->findChild<ManualWindow*>(), nullptr) << "made before it was asked for";
    QAction* item = entry(*window, QStringLiteral("帮助"), QStringLiteral("用户手册"));
    ASSERT_NE(item, nullptr) << "no 帮助 → 用户手册";
    item->trigger();
    auto* manual = window->findChild<ManualWindow*>();
    ASSERT_NE(manual, nullptr) << "帮助 → 用户手册 opened no manual; warnings: " << warnings();
    EXPECT_TRUE(manual->isVisible());
    EXPECT_EQ(manual->windowTitle(), QStringLiteral("用户手册"));
    EXPECT_TRUE(manual->text().startsWith(heading)) << manual->text().left(200).toStdString();
    EXPECT_TRUE(manual->text().contains(QStringLiteral("水力评价"))) << "the manual is cut short";

    // Its contents' links lead to their headings: further down for a later one.
    auto* browser = manual->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    manual->follow(QUrl(QStringLiteral("#设计校核")));
    const int checks = browser->verticalScrollBar()->value();
    EXPECT_GT(checks, 0) << "#设计校核 did not move to its heading";
    manual->follow(QUrl(QStringLiteral("#水力评价")));
    EXPECT_GT(browser->verticalScrollBar()->value(), checks) << "#水力评价 lies below 设计校核";
}

TEST_F(DocumentWindow, DrawingOfTheLastCompletedRunIsExported)
{
    window->exportDrawing();
    EXPECT_EQ(script.warnings, QStringList{QStringLiteral("导出图形: 计算未完成，无图形可导出")});
    type(Box::Text21, QStringLiteral("2000"));
    press("Command1");
    script.exportAnswers.push_back(Asker::DrawingExportChoice{file("型线图.dxf"), {{QStringLiteral("dxf-polylines"), QStringLiteral("yes")}}, {}});
    window->exportDrawing();
    QFile dxf(file("型线图.dxf"));
    ASSERT_TRUE(dxf.open(QIODevice::ReadOnly)) << warnings();
    const QByteArray written = dxf.readAll();
    EXPECT_TRUE(written.contains("\nLWPOLYLINE") && !written.contains("\nELLIPSE")) << "ellipses not as polylines";
}

}  // namespace
}  // namespace inlet::test
