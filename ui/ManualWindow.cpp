#include "ManualWindow.h"

#include "CloseKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace inlet {

QStringList ManualWindow::candidates()
{
    const QString name = QStringLiteral("manual.zh-CN.md");
    QStringList places;
    if (!QCoreApplication::instance())
        return places;
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QDir program(programFolder);
    places << program.filePath(name)
           << QDir::cleanPath(program.filePath(QStringLiteral(INLET_MANUAL_FROM_PROGRAM "/") + name));
    // Never from the build tree for an installed program: that folder may be anyone's now.
    const QString buildTree = QDir::cleanPath(QStringLiteral(INLET_BUILD_TREE)) + QLatin1Char('/');
    if (QDir::cleanPath(programFolder).append(QLatin1Char('/')).startsWith(buildTree))
        places << QStringLiteral(INLET_MANUAL_SOURCE "/") + name;
    return places;
}

QString ManualWindow::installedManual()
{
    for (const QString& place : candidates()) {
        if (QFileInfo(place).isFile())
            return place;
    }
    return {};
}

ManualWindow::ManualWindow(const QString& path, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("用户手册"));
    resize(900, 760);
    browser_ = new QTextBrowser(this);
    // Links to other documents open where the desktop opens them; the pictures are beside
    // the manual.
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QFileInfo(path).absolutePath()});
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        browser_->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
        browser_->setMarkdown(QString::fromUtf8(file.readAll()));
    } else {
        browser_->setPlainText(QStringLiteral("无法打开用户手册 %1：%2")
                                   .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    CloseKeys::install(*this);
}

QString ManualWindow::text() const { return browser_->toPlainText(); }

}  // namespace inlet
