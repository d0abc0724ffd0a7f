#include "ui/ExportNote.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>

namespace inlet {

namespace {

const QString kLabel = QStringLiteral("exportNote");
const QString kButton = QStringLiteral("openExportFolder");

}  // namespace

void ExportNote::show(QMainWindow& window, const QString& path)
{
    auto* label = window.findChild<QLabel*>(kLabel);
    auto* button = window.findChild<QPushButton*>(kButton);
    if (!label) {
        const bool made = !window.findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
        QStatusBar* bar = window.statusBar();
        label = new QLabel(bar);
        label->setObjectName(kLabel);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        button = new QPushButton(QStringLiteral("打开所在文件夹"), bar);
        button->setObjectName(kButton);
        bar->addWidget(label, 1);
        bar->addPermanentWidget(button);
        if (made && window.isVisible() && !window.isMaximized() && !window.isFullScreen())
            window.resize(window.width(), window.height() + bar->sizeHint().height());
    }
    const QString file = QFileInfo(path).absoluteFilePath();
    label->setText(QStringLiteral("已导出：%1").arg(QDir::toNativeSeparators(file)));
    button->disconnect();
    QObject::connect(button, &QPushButton::clicked, button, [folder = QFileInfo(file).absolutePath()] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    });
}

QString ExportNote::text(const QMainWindow& window)
{
    const auto* label = window.findChild<QLabel*>(kLabel);
    return label ? label->text() : QString();
}

}  // namespace inlet
