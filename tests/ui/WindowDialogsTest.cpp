// The window's real dialogs, driven as the engineer drives them: Qt's standard buttons in
// Chinese once the window is on the screen, and the failure message.

#include "MainWindow.h"
#include "QtTranslation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
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

}  // namespace
}  // namespace inlet::test
