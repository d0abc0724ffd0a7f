// The keyboard in every window: each menu bar's menus open with Alt and their mnemonic, Esc
// and Ctrl+W close each tool window (wherever its focus is), and every shortcut a menu lists
// reaches its entry in that window, no other action holding the same key.

#include "ui/DesignChecksWindow.h"
#include "tests/ui/DocumentWindow.h"
#include "ui/DrawingWindow.h"
#include "ui/FlowWindow.h"
#include "tests/ui/MenuTitle.h"
#ifdef INLET_HAVE_SOLID
#include "ui/SolidWindow.h"
#endif

#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>

#include <string>

namespace inlet::test {
namespace {

// The window 查看 → `item` opens.
QWidget* openTool(MainWindow& window, const QString& item)
{
    for (QAction* menu : window.menuBar()->actions())
        for (QAction* entry : menu->menu()->actions())
            if (menuTitle(*menu) == QStringLiteral("查看") && entry->text() == item)
                entry->trigger();
    if (item == QStringLiteral("设计校核…"))
        return window.designChecksWindow();
    if (item == QStringLiteral("型线图…"))
        return window.drawingWindow();
    if (item == QStringLiteral("水力评价…"))
        return window.flowWindow();
#ifdef INLET_HAVE_SOLID
    if (item == QStringLiteral("三维模型…"))
        return window.solidWindow();
#endif
    return nullptr;
}

// The window's menus, the main window's for an empty `tool`.
QWidget* windowOf(MainWindow& window, const QString& tool)
{
    QWidget* shown = tool.isEmpty() ? &window : openTool(window, tool);
    if (shown) {
        // As a window manager makes the window shown the active one (the offscreen platform
        // leaves it to the application).
        QApplication::setActiveWindow(shown);
        EXPECT_TRUE(QTest::qWaitForWindowActive(shown));
        EXPECT_EQ(QApplication::activeWindow(), shown);
    }
    return shown;
}

struct CloseCase {
    const char* name;
    const char* tool;   // the 查看 entry
    const char* focus;  // the object focused first, none for the window
    QKeySequence key;
};

class ToolWindowCloses : public DocumentWindow, public testing::WithParamInterface<CloseCase> {};

TEST_P(ToolWindowCloses, WithTheKey)
{
    const CloseCase& c = GetParam();
    type(Box::Text21, QStringLiteral("2000"));
    press("Command1");
    QWidget* tool = windowOf(*window, QString::fromUtf8(c.tool));
    ASSERT_NE(tool, nullptr) << "查看 → " << c.tool << " opened nothing";
    ASSERT_TRUE(tool->isVisible());
    QWidget* target = tool;
    if (c.focus) {
        target = tool->findChild<QWidget*>(QString::fromUtf8(c.focus));
        ASSERT_NE(target, nullptr) << c.focus;
        // The chart is on a tab of its own: shown as the engineer shows it.
        for (QWidget* p = target->parentWidget(); p; p = p->parentWidget())
            if (auto* tabs = qobject_cast<QTabWidget*>(p))
                tabs->setCurrentWidget(target);
        target->setFocus();
    }
    QTest::keySequence(target, c.key);
    EXPECT_FALSE(tool->isVisible()) << c.tool << " stays open after " << c.key.toString().toStdString();
    EXPECT_TRUE(window->isVisible()) << "the main window closed too";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ToolWindowCloses,
    testing::Values(CloseCase{"DesignChecksEsc", "设计校核…", nullptr, QKeySequence(Qt::Key_Escape)},
                    CloseCase{"DesignChecksCtrlW", "设计校核…", nullptr, QKeySequence(Qt::CTRL | Qt::Key_W)},
                    CloseCase{"DrawingEsc", "型线图…", "drawing", QKeySequence(Qt::Key_Escape)},
                    CloseCase{"DrawingCtrlW", "型线图…", "drawing", QKeySequence(Qt::CTRL | Qt::Key_W)},
                    CloseCase{"ChartEsc", "型线图…", "chart", QKeySequence(Qt::Key_Escape)},
                    CloseCase{"ChartCtrlW", "型线图…", "chart", QKeySequence(Qt::CTRL | Qt::Key_W)},
                    CloseCase{"FlowEsc", "水力评价…", nullptr, QKeySequence(Qt::Key_Escape)},
                    CloseCase{"FlowCtrlW", "水力评价…", nullptr, QKeySequence(Qt::CTRL | Qt::Key_W)},
                    CloseCase{"FlowFolderBoxEsc", "水力评价…", "folder", QKeySequence(Qt::Key_Escape)},
                    CloseCase{"FlowProcessesBoxCtrlW", "水力评价…", "processes", QKeySequence(Qt::CTRL | Qt::Key_W)}
#ifdef INLET_HAVE_SOLID
                    ,
                    CloseCase{"SolidEsc", "三维模型…", nullptr, QKeySequence(Qt::Key_Escape)},
                    CloseCase{"SolidCtrlW", "三维模型…", nullptr, QKeySequence(Qt::CTRL | Qt::Key_W)}
#endif
                    ),
    [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(DocumentWindow, EscapeLeavesTheMainWindowOpen)
{
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
}

struct WindowCase {
    const char* name;
    const char* tool;  // the 查看 entry, empty for the main window
};

const WindowCase kWindows[] = {
    {"Main", ""},
    {"Drawing", "型线图…"},
#ifdef INLET_HAVE_SOLID
    {"Solid", "三维模型…"},
#endif
};

class MenuKeys : public DocumentWindow, public testing::WithParamInterface<WindowCase> {
protected:
    QMenuBar* bar(QWidget& shown) { return shown.findChild<QMenuBar*>(); }
};

// Each menu of the menu bar has a mnemonic of its own, and Alt with it opens the menu.
TEST_P(MenuKeys, EveryMenuOpensWithAltAndItsMnemonic)
{
    QWidget* shown = windowOf(*window, QString::fromUtf8(GetParam().tool));
    ASSERT_NE(shown, nullptr);
    QSet<QKeySequence> used;
    for (QAction* title : bar(*shown)->actions()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(title->text());
        ASSERT_FALSE(mnemonic.isEmpty()) << "menu " << title->text().toStdString() << " has no mnemonic";
        EXPECT_FALSE(used.contains(mnemonic)) << mnemonic.toString().toStdString() << " twice";
        used.insert(mnemonic);
        QTest::keySequence(shown, mnemonic);
        EXPECT_TRUE(title->menu()->isVisible()) << mnemonic.toString().toStdString() << " did not open "
                                                << title->text().toStdString();
        title->menu()->hide();
    }
}

// A shortcut that a menu lists reaches its entry when pressed in that window, and only it:
// the entry is told and stops the event, so that nothing is done.
class ShortcutCatcher : public QObject {
public:
    QStringList reached;  // the entries, "text key"
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Shortcut)
            return false;
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (!shortcut->isAmbiguous())
            reached << static_cast<QAction*>(watched)->text() + u' ' + shortcut->key().toString();
        return true;
    }
};

TEST_P(MenuKeys, EveryListedShortcutReachesItsEntry)
{
    QWidget* shown = windowOf(*window, QString::fromUtf8(GetParam().tool));
    ASSERT_NE(shown, nullptr);
    std::vector<QAction*> entries;
    for (QAction* title : bar(*shown)->actions())
        for (QAction* entry : title->menu()->actions())
            if (!entry->shortcut().isEmpty())
                entries.push_back(entry);
    ASSERT_FALSE(entries.empty());
    ShortcutCatcher catcher;
    for (QAction* entry : entries)
        entry->installEventFilter(&catcher);
    // Where the engineer types: in the main window, a box of the form.
    QWidget* target = shown;
    if (shown == window.get()) {
        target = box(*window, Box::Text21);
        target->setFocus();
    }
    for (QAction* entry : entries) {
        catcher.reached.clear();
        QTest::keySequence(target, entry->shortcut());
        EXPECT_EQ(catcher.reached, QStringList{entry->text() + u' ' + entry->shortcut().toString()})
            << entry->text().toStdString() << " " << entry->shortcut().toString().toStdString();
    }
    for (QAction* entry : entries)
        entry->removeEventFilter(&catcher);
}

INSTANTIATE_TEST_SUITE_P(Windows, MenuKeys, testing::ValuesIn(kWindows),
                         [](const testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace inlet::test
