// The window's real dialogs, driven as the engineer drives them: Qt's standard buttons in
// Chinese once the window is on the screen, the unsaved-changes question, the failure
// message, the design information and the drawing export.

#include "ui/DesignInfoDialog.h"
#include "ui/DialogAsker.h"
#include "ui/DrawingExportDialog.h"
#include "InletFeatures.h"
#include "ui/MainWindow.h"
#include "ui/QtTranslation.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace inlet::test {
namespace {

// Calls `act` on the modal dialog of type T that `opening` shows.
template <typename T>
void whenShown(const std::function<void()>& opening, const std::function<void(T&)>& act)
{
    bool shown = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()); dialog && !shown) {
            shown = true;
            act(*dialog);
        }
    });
    timer.start(10);
    opening();
    EXPECT_TRUE(shown) << "no " << T::staticMetaObject.className() << " was shown";
}

QStringList buttonTexts(const QMessageBox& box)
{
    QStringList texts;
    for (const QAbstractButton* button : box.buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

QString okText()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    return box.button(QMessageBox::Ok)->text();
}

TEST(QtTranslation, StandardButtonsReadChineseOnceTheWindowIsOnTheScreen)
{
    MainWindow window;
    if (!QtTranslation::installed()) {  // as in a program's own process
        EXPECT_NE(okText(), QStringLiteral("确定")) << "the translation was loaded before the first frame";
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(QTest::qWaitFor([] { return okText() == QStringLiteral("确定"); })) << okText().toStdString();
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));

    QStringList failureButtons;
    whenShown<QMessageBox>([&] { window.findChild<QPushButton*>(QStringLiteral("Command1"))->click(); },
                           [&](QMessageBox& box) {
                               failureButtons = buttonTexts(box);
                               box.accept();
                           });
    EXPECT_EQ(failureButtons, QStringList{QStringLiteral("确定")}) << "the failure message's button";
}

// The file dialogs' columns, and the type of a folder in them, which Qt's catalogue lacks.
TEST(QtTranslation, FileDialogsNameTheirColumnsAndAFolderInChinese)
{
    QtTranslation::install();
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("子文件夹")));
    EXPECT_EQ(QFileIconProvider().type(QFileInfo(folder.filePath(QStringLiteral("子文件夹")))), QStringLiteral("文件夹"));
    QFileSystemModel model;
    const QStringList english{QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Type"), QStringLiteral("Date Modified")};
    for (int column = 0; column < english.size(); ++column)
        EXPECT_NE(model.headerData(column, Qt::Horizontal).toString(), english[column]) << column;
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("类型"));
}

TEST(DialogAsker, UnsavedChangesQuestionOffersSaveDiscardAndCancel)
{
    QWidget parent;
    parent.setWindowTitle(QStringLiteral("泵站.inlet[*] - Form1"));
    DialogAsker asker;
    const struct {
        const char* press;  // a button's text, or Esc
        Asker::UnsavedAnswer expected;
    } rows[] = {{"保存", Asker::UnsavedAnswer::Save},
                {"不保存", Asker::UnsavedAnswer::Discard},
                {"取消", Asker::UnsavedAnswer::Cancel},
                {"Esc", Asker::UnsavedAnswer::Cancel}};
    for (const auto& [press, expected] : rows) {
        QStringList seen;
        Asker::UnsavedAnswer answer{};
        whenShown<QMessageBox>([&] { answer = asker.unsavedChanges(parent, QStringLiteral("设计“泵站.inlet”")); },
                               [&](QMessageBox& box) {
                                   seen = buttonTexts(box) << box.defaultButton()->text() << box.windowTitle() << box.text();
                                   if (QString::fromUtf8(press) == QStringLiteral("Esc"))
                                       QTest::keyClick(&box, Qt::Key_Escape);
                                   for (QAbstractButton* button : box.buttons())
                                       if (button->text() == QString::fromUtf8(press))
                                           button->click();
                               });
        EXPECT_EQ(answer, expected) << press;
        EXPECT_EQ(seen.join(u'|'), QStringLiteral("不保存|保存|取消|保存|泵站.inlet - Form1|设计“泵站.inlet”已修改，是否保存？"));
    }
}

TEST(DesignInfoDialog, OffersTodayWhenTheDesignHasNoDateAndReturnsEveryField)
{
    DesignInfoDialog dialog;
    dialog.setInfo({});
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("date"))->text(), today);
    EXPECT_EQ(dialog.info().date, QString()) << "nothing edited, nothing changed";
    QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("project")), QStringLiteral("X"));
    EXPECT_EQ(dialog.info().date, today) << "the date offered goes with an edit";
    const DesignInfo info{QStringLiteral("某泵站"), QStringLiteral("初步设计"), QStringLiteral("张三"),
                          QStringLiteral("李四"), QStringLiteral("2026年12月"), QStringLiteral("一\n二")};
    dialog.setInfo(info);
    const DesignInfo shown = dialog.info();
    EXPECT_EQ(QStringList({shown.project, shown.stage, shown.designer, shown.checker, shown.date, shown.notes}),
              QStringList({info.project, info.stage, info.designer, info.checker, info.date, info.notes}));
}

TEST(DesignInfoDialog, RefusesAFloorElevationThatIsNotANumber)
{
    const struct {
        const char* text;
        bool accepted;
    } rows[] = {{"", true}, {"12.500", true}, {"-3", true}, {" 102.3 ", true}, {"12,5", false}, {"高程12", false},
                {"12m", false}, {"1e3", false}};
    for (const auto& [text, accepted] : rows) {
        DesignInfoDialog dialog;
        dialog.setInfo({});
        dialog.findChild<QLineEdit*>(QStringLiteral("floorElevation"))->setText(QString::fromUtf8(text));
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, accepted) << "'" << text << "'";
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("message"))->text().contains(QStringLiteral("不是数字")),
                  !accepted)
            << "'" << text << "'";
    }
}

TEST(DrawingExportDialog, TheExtensionChoosesTheFormatAndTheDxfCurves)
{
    const struct {
        const char* path;
        bool ok;
        bool dxfOption;
    } rows[] = {{"/tmp/型线图.dxf", true, true},  {"/tmp/型线图.DXF", true, true},   {"/tmp/型线图.svg", INLET_HAS_SVG == 1, false},
                {"/tmp/型线图.png", true, false}, {"/tmp/型线图.pdf", true, false}, {"/tmp/型线图.doc", false, false}, {"/tmp/型线图", false, false},
                {"", false, false},              {"/tmp/", false, false}};
    DrawingExportDialog dialog;
    auto* option = dialog.findChild<QComboBox*>(QStringLiteral("dxf-curves"));
    ASSERT_NE(option, nullptr);
    const QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    option->setCurrentText(QStringLiteral("多段线"));
    for (const auto& [path, okEnabled, dxfOption] : rows) {
        dialog.setPath(QString::fromUtf8(path));
        EXPECT_EQ(ok->isEnabled(), okEnabled) << "'" << path << "'";
        EXPECT_EQ(option->isEnabled(), dxfOption) << "'" << path << "'";
        const ExportChoices chosen = dialog.choices();
        const auto curves = chosen.find(QStringLiteral("dxf-curves"));
        EXPECT_EQ(curves != chosen.end() && curves->second == QStringLiteral("polyline"), dxfOption) << "'" << path << "'";
        EXPECT_EQ(chosen.count(QStringLiteral("dxf-polylines")), 0U) << "the command line's spelling offered again";
    }
}

TEST(DesignInfoDialog, GivesBackWhatItWasGivenUnlessEditedAndCutsWhatAFileCannotHold)
{
    DesignInfoDialog dialog;
    const DesignInfo given{QStringLiteral("某泵站"), {}, {}, {}, {}, QStringLiteral("l1\r\nl2\rl3")};
    dialog.setInfo(given);
    EXPECT_EQ(dialog.info().notes, given.notes) << "line ends rewritten without an edit";
    EXPECT_EQ(dialog.info().date, QString());

    auto* notes = dialog.findChild<QPlainTextEdit*>(QStringLiteral("notes"));
    notes->selectAll();
    notes->insertPlainText(QString(70000, u'注'));  // pasted
    EXPECT_EQ(dialog.info().notes.size(), kMaxDesignText);
    EXPECT_FALSE(dialog.findChild<QLabel*>(QStringLiteral("cut"))->isHidden());
    auto* project = dialog.findChild<QLineEdit*>(QStringLiteral("project"));
    project->selectAll();
    project->insert(QString(70000, u'工'));
    EXPECT_EQ(dialog.info().project.size(), kMaxDesignText);
}

}  // namespace
}  // namespace inlet::test
