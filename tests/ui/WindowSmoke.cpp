// Every menu item of every window, once, on a real display (tests/ui/window-smoke.sh runs it
// under Xvfb): what an item opens must appear and close again within a few seconds, a modal
// dialog closed as the engineer would cancel it. Each window and dialog is photographed into
// the folder given, for review. Nothing that starts long work is started: the flow's run is a
// button, not a menu item, and the print dialog is cancelled before anything prints.
//
// Usage: window_smoke OUTPUT-FOLDER. Exit status 0 when every item behaved; each fault is a
// line on standard output, and standard error stays for what Qt or the program say.

#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

// How long what an item opens may take to appear, be photographed and close.
constexpr int kItemMilliseconds = 8000;
// How long a window or dialog is left to paint before it is photographed.
constexpr int kPaintMilliseconds = 300;
// How long a print dialog is left open: longer than a progress box waits before it shows.
constexpr int kPrintDialogMilliseconds = 4500;

class Smoke {
public:
    explicit Smoke(const QString& folder) : out_(folder) { out_.mkpath(QStringLiteral(".")); }

    // Each item of each menu of `window`, with submenus; `opened` receives each top-level
    // window an item opened (and leaves it open), everything else is closed again.
    void menusOf(QMainWindow& window, const QString& name, QList<QPointer<QWidget>>* opened = nullptr)
    {
        photograph(window, name);
        for (QAction* menu : window.menuBar()->actions()) {
            if (menu->menu())
                items(window, *menu->menu(), name + QLatin1Char('-') + plain(menu->text()), opened);
        }
    }

    // Called before each item: what the items need to find, made again.
    void setPrepare(std::function<void()> prepare) { prepare_ = std::move(prepare); }

    bool failed() const { return failures_ > 0; }
    int count() const { return count_; }

    void fail(const QString& what)
    {
        ++failures_;
        std::printf("FAIL %s\n", qPrintable(what));
        std::fflush(stdout);
    }

private:
    static QString plain(QString text)
    {
        static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)|&|…"));
        return text.remove(mnemonic).trimmed();
    }

    void items(QMainWindow& window, QMenu& menu, const QString& path, QList<QPointer<QWidget>>* opened)
    {
        // The recent files fill the menu as it opens.
        emit menu.aboutToShow();
        for (QAction* action : menu.actions()) {
            if (action->isSeparator())
                continue;
            const QString name = path + QLatin1Char('-') + plain(action->text());
            if (action->menu()) {
                items(window, *action->menu(), name, opened);
                continue;
            }
            // 退出 and 关闭 end the window: the caller closes it that way last.
            if (action->text().startsWith(QStringLiteral("退出")) || action->text().startsWith(QStringLiteral("关闭")))
                continue;
            if (!action->isEnabled()) {
                std::printf("skip %s (disabled)\n", qPrintable(name));
                continue;
            }
            tryItem(window, *action, name, action->text().endsWith(QStringLiteral("…")) || action->text() == QStringLiteral("关于")
                                                   || action->text() == QStringLiteral("用户手册"),
                    opened);
        }
        emit menu.aboutToHide();
    }

    // Triggers `action` of the window `owner`; what it opens is photographed and closed, a window kept in `opened`
    // where given. `mustOpen`: an item whose text promises a window or dialog.
    void tryItem(QWidget& owner, QAction& action, const QString& name, bool mustOpen, QList<QPointer<QWidget>>* opened)
    {
        ++count_;
        if (prepare_)
            prepare_();
        const QWidgetList before = visibleWindows();
        QElapsedTimer clock;
        clock.start();
        int dialogs = 0;
        bool stacked = false;
        QPointer<QWidget> seen;
        QElapsedTimer seenFor;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            // A modal box over a dialog the engineer is using locks that dialog (as a progress
            // box over the print dialog once did).
            int modals = 0;
            for (QWidget* w : visibleWindows())
                modals += w->isModal() || w->windowModality() != Qt::NonModal;
            if (modals > 1 && !stacked) {
                stacked = true;
                fail(QStringLiteral("%1: %2 modal windows at once").arg(name).arg(modals));
            }
            if (modal != seen) {
                seen = modal;
                seenFor.start();
                return;
            }
            // Qt's print dialogs are held past the time a progress box shows itself unasked
            // (QProgressDialog's 4 s), so that a box made before the dialog ran is caught.
            const bool print = modal->inherits("QAbstractPrintDialog") || modal->inherits("QPrintPreviewDialog");
            if (seenFor.elapsed() < (print ? kPrintDialogMilliseconds : kPaintMilliseconds))
                return;
            photograph(*modal, name + (dialogs ? QStringLiteral("-%1").arg(dialogs + 1) : QString()));
            ++dialogs;
            seen = nullptr;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        });
        watch.start(50);
        action.trigger();
        // A dialog opened without waiting for it, or a window: given the time to appear.
        while (clock.elapsed() < kItemMilliseconds && QApplication::activeModalWidget())
            QTest::qWait(50);
        QTest::qWait(kPaintMilliseconds);
        watch.stop();
        if (QApplication::activeModalWidget()) {
            fail(QStringLiteral("%1: a dialog still open after %2 ms").arg(name).arg(clock.elapsed()));
            QApplication::activeModalWidget()->close();
        }

        int windows = 0;
        for (QWidget* w : visibleWindows()) {
            if (before.contains(w))
                continue;
            ++windows;
            photograph(*w, name);
            if (opened)
                opened->append(w);
            else
                w->close();
        }
        // An item that changes the window it is in (a view, a zoom): the window as it now is.
        if (!dialogs && !windows && owner.isVisible())
            photograph(owner, name);
        const qint64 took = clock.elapsed();
        std::printf("%-40s %s, %lld ms\n", qPrintable(name),
                    dialogs || windows ? qPrintable(QStringLiteral("%1 dialog(s), %2 window(s)").arg(dialogs).arg(windows))
                                       : "nothing opened",
                    static_cast<long long>(took));
        std::fflush(stdout);
        if (mustOpen && !dialogs && !windows)
            fail(name + QStringLiteral(": nothing appeared"));
        if (took > kItemMilliseconds)
            fail(QStringLiteral("%1: took %2 ms").arg(name).arg(took));
    }

    static QWidgetList visibleWindows()
    {
        QWidgetList list;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->isWindow() && !qobject_cast<QMenu*>(w))
                list << w;
        return list;
    }

    void photograph(QWidget& w, const QString& name)
    {
        QString file = name;
        file.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>| ]")), QStringLiteral("_"));
        const QString path = out_.filePath(QStringLiteral("%1-%2.png").arg(++shots_, 3, 10, QLatin1Char('0')).arg(file));
        if (!w.grab().save(path))
            fail(QStringLiteral("%1: cannot save %2").arg(name, path));
    }

    QDir out_;
    std::function<void()> prepare_;
    int shots_ = 0;
    int count_ = 0;
    int failures_ = 0;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_smoke OUTPUT-FOLDER\n");
        return 2;
    }
    Smoke smoke(QString::fromLocal8Bit(argv[1]));
    QElapsedTimer clock;
    clock.start();

    inlet::MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        smoke.fail(QStringLiteral("the main window never appeared"));
        return 1;
    }
    // A completed run before each item (新建 empties hk), so that the drawing's exports are
    // offered; unsaved changes given up, so that 新建 and 打开 ask nothing.
    smoke.setPrepare([&window] {
        auto* hk = window.findChild<QLineEdit*>(QStringLiteral("Text21"));
        if (hk->text() != QStringLiteral("2000")) {
            hk->setText(QStringLiteral("2000"));
            window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        }
        window.setWindowModified(false);
    });

    // The main window's items; the windows of 查看 are kept open, then each of theirs.
    QList<QPointer<QWidget>> opened;
    smoke.menusOf(window, QStringLiteral("主窗口"), &opened);
    for (const QPointer<QWidget>& w : opened) {
        if (!w)
            continue;
        auto* tool = qobject_cast<QMainWindow*>(w.data());
        if (tool && tool->menuBar() && !tool->menuBar()->actions().isEmpty())
            smoke.menusOf(*tool, tool->windowTitle());
        // Closed with its 关闭 where it has one, as the engineer would.
        QAction* close = nullptr;
        if (tool) {
            for (QAction* menu : tool->menuBar()->actions())
                if (menu->menu())
                    for (QAction* a : menu->menu()->actions())
                        if (a->text().startsWith(QStringLiteral("关闭")))
                            close = a;
        }
        if (close)
            close->trigger();
        else
            w->close();
        QTest::qWait(50);
        if (w && w->isVisible())
            smoke.fail(w->windowTitle() + QStringLiteral(": still open after 关闭"));
    }
    // Unsaved changes are given up, not asked about.
    window.setWindowModified(false);
    window.close();
    std::printf("%d items in %lld ms\n", smoke.count(), static_cast<long long>(clock.elapsed()));
    return smoke.failed() ? 1 : 0;
}
