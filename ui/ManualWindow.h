#pragma once

// "用户手册": the user manual (docs/manual.zh-CN.md) shown as formatted text, its pictures
// beside it. Installed with the program: share/doc/inlet on Linux, beside the program on
// Windows; a program run from the build tree shows the source's docs/.

#include <QString>
#include <QStringList>
#include <QWidget>

class QTextBrowser;
class QUrl;

namespace inlet {

class ManualWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own, also when it has a parent; shows the manual at `path`.
    explicit ManualWindow(const QString& path, QWidget* parent = nullptr);

    // Where the manual may be, nearest first.
    static QStringList candidates();
    // The first candidate that exists, else empty.
    static QString installedManual();

    // The manual's text as shown, for tests.
    QString text() const;

    // Follows a link of the manual: a heading within it, else the file or page it names.
    void follow(const QUrl& link);

private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace inlet
