#pragma once

// A main window whose questions a script answers, in a folder of its own: what the tests of
// the design as a document, the menus and the sheet from the window start from. A question
// the script has no answer for fails the test and is answered as cancelled.

#include "boxes/Boxes.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>

namespace inlet::test {

struct Script {
    std::deque<QString> filesToOpen, filesToSave;
    std::deque<Asker::UnsavedAnswer> unsavedAnswers;
    std::deque<std::optional<DesignInfo>> infoAnswers;
    std::deque<std::optional<Asker::DrawingExportChoice>> exportAnswers;
    QStringList warnings;   // "title: message"
    QStringList questions;  // the design each unsaved-changes question named
    QStringList offered;    // the file each question for a file to write or export offered
};

class ScriptedAsker : public Asker {
public:
    explicit ScriptedAsker(Script& script) : s_(script) {}
    QString fileToOpen(QWidget&, const QString&, const QString&, const QString&) override
    {
        return next(s_.filesToOpen, "a file to open").value_or(QString());
    }
    QString fileToSave(QWidget&, const QString&, const QString& suggested, const QString&, const QString&) override
    {
        s_.offered << suggested;
        return next(s_.filesToSave, "a file to save").value_or(QString());
    }
    UnsavedAnswer unsavedChanges(QWidget&, const QString& design) override
    {
        s_.questions << design;
        return next(s_.unsavedAnswers, "unsaved changes").value_or(UnsavedAnswer::Cancel);
    }
    std::optional<DesignInfo> designInfo(QWidget&, const DesignInfo&) override
    {
        return next(s_.infoAnswers, "design information").value_or(std::nullopt);
    }
    std::optional<DrawingExportChoice> drawingExport(QWidget&, const QString& suggested, WidthSet) override
    {
        s_.offered << suggested;
        return next(s_.exportAnswers, "a drawing export").value_or(std::nullopt);
    }
    void warn(QWidget&, const QString& title, const QString& message) override { s_.warnings << title + ": " + message; }

private:
    template <typename T>
    static std::optional<T> next(std::deque<T>& answers, const char* question)
    {
        if (answers.empty()) {
            ADD_FAILURE() << "the window asked for " << question << " and the test has no answer";
            return std::nullopt;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
    Script& s_;
};

// What a refused file or a cancelled question must leave exactly as it was.
struct WindowState {
    std::map<Box, QString> texts;
    QString title, path, project;
    bool unsaved = false;
    bool operator==(const WindowState&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const WindowState& s)
{
    out << "title '" << s.title.toStdString() << "', path '" << s.path.toStdString() << "', "
        << (s.unsaved ? "unsaved" : "saved") << ", project '" << s.project.toStdString() << "'";
    for (const auto& [b, text] : s.texts)
        out << ", " << boxName(b) << " '" << text.left(20).toStdString() << "'";
    return out;
}

class DocumentWindow : public testing::Test {
protected:
    Script script;
    QStringList failures;  // the failure messages of runs
    QTemporaryDir folder;
    std::unique_ptr<MainWindow> window = newWindow();

    std::unique_ptr<MainWindow> newWindow()
    {
        auto made = std::make_unique<MainWindow>();
        made->setAsker(std::make_unique<ScriptedAsker>(script));
        made->setFailureReporter([this](QWidget&, const QString& message) { failures << message; });
        made->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(made.get()));
        return made;
    }

    QString file(const QString& name) const { return folder.filePath(name); }
    QString file(const char* name) const { return file(QString::fromUtf8(name)); }
    bool write(const QString& path, const QByteArray& bytes) const
    {
        QFile out(path);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    }

    static QLineEdit* box(const MainWindow& w, Box b)
    {
        const std::string_view name = boxName(b);
        return w.findChild<QLineEdit*>(QString::fromUtf8(name.data(), qsizetype(name.size())));
    }
    QString text(Box b) const { return box(*window, b)->text(); }

    // Replaces a box's text as the engineer does: select all, delete, then one key event per
    // character, carrying its text, as a keyboard or an input method sends them.
    void type(Box b, const QString& typed)
    {
        QLineEdit* edit = box(*window, b);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        for (QChar ch : typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(edit, &press);
        }
    }
    void press(const char* button) { window->findChild<QPushButton*>(QLatin1String(button))->click(); }

    static std::map<Box, QString> texts(const MainWindow& w)
    {
        std::map<Box, QString> all;
        for (const BoxInfo& info : boxTable())
            all[info.box] = box(w, info.box)->text();
        return all;
    }
    WindowState state() const
    {
        return {texts(*window), window->windowTitle(), window->filePath(), window->designInfo().project,
                window->hasUnsavedChanges()};
    }
    std::string warnings() const { return script.warnings.join(u'\n').toStdString(); }
};

}  // namespace inlet::test
