// Draws the study window into a PNG after a study of hk × aa (hk 1800 to 2600 in 5 steps, aa 45
// to 55 in 3, at the checks' depth) over the design with hk 2000: the table of the 15 variants
// and the Pareto front of B and the largest station velocity, so that it can be seen without a
// desktop: QT_QPA_PLATFORM=offscreen build/tools/inlet-study-shot docs/study.png

#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void vary(QWidget& study, int row, const QString& name, const QString& from, const QString& to, int count)
{
    const QString n = QString::number(row);
    auto* combo = study.findChild<QComboBox*>(QStringLiteral("name") + n);
    combo->setCurrentIndex(combo->findData(name));
    study.findChild<QLineEdit*>(QStringLiteral("from") + n)->setText(from);
    study.findChild<QLineEdit*>(QStringLiteral("to") + n)->setText(to);
    study.findChild<QSpinBox*>(QStringLiteral("count") + n)->setValue(count);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: inlet-study-shot OUTPUT.png\n");
        return 2;
    }
    QTemporaryDir scratch;
    inlet::MainWindow window;
    window.findChild<QLineEdit*>(QStringLiteral("Text21"))->setText(QStringLiteral("2000"));
    window.show();
    window.showStudyWindow();
    QWidget* study = window.studyWindow();
    if (!study) {
        std::fprintf(stderr, "inlet-study-shot: this build has no study window\n");
        return 1;
    }
    vary(*study, 1, QStringLiteral("hk"), QStringLiteral("1800"), QStringLiteral("2600"), 5);
    vary(*study, 2, QStringLiteral("aa"), QStringLiteral("45"), QStringLiteral("55"), 3);
    // A folder the picture does not show as anyone's.
    study->findChild<QLineEdit*>(QStringLiteral("folder"))->setText(scratch.filePath(QStringLiteral("hk-aa")));
    QEventLoop loop;
    QObject::connect(study, SIGNAL(studyEnded()), &loop, SLOT(quit()));
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    study->findChild<QPushButton*>(QStringLiteral("start"))->click();
    loop.exec();
    const QString messages = study->findChild<QPlainTextEdit*>(QStringLiteral("messages"))->toPlainText();
    if (!messages.isEmpty()) {
        std::fprintf(stderr, "inlet-study-shot: %s\n", qPrintable(messages));
        return 1;
    }
    auto* x = study->findChild<QComboBox*>(QStringLiteral("paretoX"));
    auto* y = study->findChild<QComboBox*>(QStringLiteral("paretoY"));
    x->setCurrentIndex(x->findData(QStringLiteral("B")));
    y->setCurrentIndex(y->findData(QStringLiteral("v_max")));
    study->findChild<QTabWidget*>(QStringLiteral("charts"))->setCurrentIndex(1);
    // The folder the picture shows: a design's own, not the scratch one.
    study->findChild<QLineEdit*>(QStringLiteral("folder"))->setText(QStringLiteral("/home/engineer/泵站/hk2000-方案比选"));
    study->resize(1280, 800);
    QApplication::processEvents();
    if (!study->grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "inlet-study-shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
