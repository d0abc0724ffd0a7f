#include "ui/ManualWindow.h"

#include "ui/CloseKeys.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
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
    // The pictures are beside the manual. A link within it ("#型线图") goes to the heading of
    // that name (Qt gives Markdown headings no anchors); a link to another file or a web page
    // opens where the desktop opens it, where that file is installed.
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &ManualWindow::follow);
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

void ManualWindow::follow(const QUrl& link)
{
    if (link.hasFragment() && (link.path().isEmpty() || link.adjusted(QUrl::RemoveFragment) == browser_->document()->baseUrl())) {
        const QString heading = link.fragment(QUrl::FullyDecoded);
        for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() > 0 && block.text().trimmed() == heading) {
                QTextCursor at(block);
                browser_->setTextCursor(at);
                browser_->verticalScrollBar()->setValue(
                    static_cast<int>(browser_->document()->documentLayout()->blockBoundingRect(block).top()));
                return;
            }
        }
        return;
    }
    const QUrl target = browser_->document()->baseUrl().resolved(link);
    if (!target.isLocalFile() || QFileInfo::exists(target.toLocalFile()))
        QDesktopServices::openUrl(target);
}

QString ManualWindow::text() const { return browser_->toPlainText(); }

}  // namespace inlet
