// Where exports are offered: a file named after the design, the same in the main window and
// the drawing window, in the folder of the last export that was written; and the line that
// names the file written.

#include "tests/ui/DocumentWindow.h"
#include "ui/DrawingExportDialog.h"
#include "ui/DrawingWindow.h"
#include "ui/ExportNote.h"
#include "ui/ExportPlace.h"
#include "tests/ui/MenuTitle.h"

#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace inlet::test {
namespace {

QAction* fileMenuItem(QMainWindow& window, const QString& item)
{
    for (QAction* m : window.menuBar()->actions()) {
        if (menuTitle(*m) != QStringLiteral("文件") || !m->menu())
            continue;
        for (QAction* a : m->menu()->actions())
            if (a->text() == item)
                return a;
    }
    return nullptr;
}

TEST(ExportPlace, NamesFilesAfterTheDesign)
{
    struct Row {
        const char* name;
        QString project, designFile, expected;
    };
    const Row rows[] = {
        {"the project's name", QStringLiteral("示例泵站进水流道"), QStringLiteral("泵站.inlet"), QStringLiteral("示例泵站进水流道")},
        {"the project's name, blanks simplified", QStringLiteral("  一号 \n泵站 "), QString(), QStringLiteral("一号 泵站")},
        {"no project: the design file", QString(), QStringLiteral("泵站.v2.inlet"), QStringLiteral("泵站.v2")},
        {"a blank project: the design file", QStringLiteral("   "), QStringLiteral("泵站.inlet"), QStringLiteral("泵站")},
        {"neither", QString(), QString(), QStringLiteral("进水流道设计")},
        {"characters no file name holds", QStringLiteral("A/B\\C:D*E?F\"G<H>I|J"), QString(), QStringLiteral("A_B_C_D_E_F_G_H_I_J")},
        {"trailing dots", QStringLiteral("泵站..."), QString(), QStringLiteral("泵站")},
        {"dots alone", QStringLiteral(".."), QString(), QStringLiteral("进水流道设计")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DesignInfo info;
        info.project = row.project;
        EXPECT_EQ(ExportPlace::designName(info, row.designFile), row.expected);
    }
    DesignInfo info;
    info.project = QStringLiteral("示例泵站进水流道");
    EXPECT_EQ(ExportPlace::suggested(QStringLiteral("/d"), info, {}, QStringLiteral("计算书"), QStringLiteral("pdf")),
              QStringLiteral("/d/示例泵站进水流道-计算书.pdf"));
}

class ExportPlaceWindow : public DocumentWindow {
protected:
    void SetUp() override
    {
        type(Box::Text21, QStringLiteral("2000"));
        DesignInfo info;
        info.project = QStringLiteral("示例泵站进水流道");
        script.infoAnswers.push_back(info);
        window->editDesignInfo();
    }
};

TEST_F(ExportPlaceWindow, OffersTheDesignsNameInTheLastFolderThatWorked)
{
    const QString good = QFileInfo(folder.path()).absoluteFilePath();
    const QString missing = QDir(good).filePath(QStringLiteral("missing"));

    // Written: its folder is offered next, and a line names the file.
    script.filesToSave.push_back(QDir(good).filePath(QStringLiteral("一.pdf")));
    window->exportRun(QStringLiteral("pdf"));
    ASSERT_TRUE(script.warnings.isEmpty()) << script.warnings.join(u'\n').toStdString();
    EXPECT_EQ(script.offered.last().section(u'/', -1), QStringLiteral("示例泵站进水流道-计算书.pdf"));
    EXPECT_TRUE(ExportNote::text(*window).contains(QStringLiteral("一.pdf"))) << ExportNote::text(*window).toStdString();
    EXPECT_NE(window->findChild<QPushButton*>(QStringLiteral("openExportFolder")), nullptr);

    // Failed for a missing folder: the folder that worked is offered again, not the missing one.
    script.filesToSave.push_back(QDir(missing).filePath(QStringLiteral("二.pdf")));
    window->exportRun(QStringLiteral("pdf"));
    EXPECT_EQ(script.warnings.size(), 1);
    EXPECT_TRUE(ExportNote::text(*window).contains(QStringLiteral("一.pdf"))) << "no line for a file not written";
    script.filesToSave.push_back(QString());
    window->exportRun(QStringLiteral("xlsx"));
    EXPECT_EQ(script.offered.last(), QDir(good).filePath(QStringLiteral("示例泵站进水流道-计算表.xlsx")));

    // The drawing from the main window and from the drawing window: the same name, the same folder.
    script.exportAnswers.push_back(std::nullopt);
    window->exportDrawing();
    EXPECT_EQ(script.offered.last(), QDir(good).filePath(QStringLiteral("示例泵站进水流道-型线图.dxf")));

    window->showDrawingWindow();
    QString offered;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<DrawingExportDialog*>(QApplication::activeModalWidget())) {
            offered = dialog->path();
            dialog->reject();
        }
    });
    answer.start(10);
    QAction* dxf = fileMenuItem(*window->drawingWindow(), QStringLiteral("导出 DXF…"));
    ASSERT_NE(dxf, nullptr);
    dxf->trigger();
    answer.stop();
    EXPECT_EQ(offered, QDir(good).filePath(QStringLiteral("示例泵站进水流道-型线图.dxf")));
}

}  // namespace
}  // namespace inlet::test
