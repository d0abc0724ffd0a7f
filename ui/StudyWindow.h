#pragma once

// 方案比选: the study of a design's variants. The engineer chooses up to three of the inputs
// (D1, H1, H2, dd0, aa, hk, the width set) with their ranges, a grid or Latin-hypercube
// samples, the depth (with the flow's mesh where inlet-calc offers the flow) and the folder;
// 开始 runs `inlet-calc --study` as a child process over the main window's design (saved aside
// for it), 取消 kills it, and a rerun of the same study computes only what is missing (the
// study is restartable); the bar counts the steps done where inlet-calc reports them
// (--progress: every stage of the depth, the flow's cases and runs too). The table of variants (study.csv, every column inlet-calc writes, failed
// variants kept as rows) sorts and filters; the charts show a figure against a varied input
// and the Pareto front of two figures; 打开此方案 opens a variant's design file in the main
// window, 优化… runs the optimiser and offers its best design. A child that fails shows its
// own words, never an empty table.

#include "studymodule/StudyModule.h"
#include "ui/StudyProgram.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <memory>

class QSortFilterProxyModel;

namespace Ui {
class StudyWindow;
}

namespace inlet {

class StudyTableModel;

class StudyWindow : public QWidget {
    Q_OBJECT

public:
    explicit StudyWindow(StudyHost host, QWidget* parent = nullptr);
    ~StudyWindow() override;

    // The options the form gives inlet-calc after the design file and before --optimise;
    // empty, saying why in the messages, where the form is not complete.
    QStringList studyArguments();
    bool isRunning() const { return process_.state() != QProcess::NotRunning; }

public slots:
    // 开始 and 优化…: false, saying why, when the study cannot start.
    bool start();
    bool optimise();
    void cancel();
    // 打开此方案: the variant selected in the table, in the main window.
    void openVariant();
    void openBest();

signals:
    // The child has ended, whatever its outcome, and the table is shown.
    void studyEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool run(const QStringList& extra);
    void finished(int status, QProcess::ExitStatus how);
    // The child's standard error as it comes: its progress lines move the bar, the rest is
    // kept to be shown.
    void readErrors();
    void loadTable();
    void showCharts();
    void showPareto();
    void setRunning(bool running);
    void showMessage(const QString& text);
    void suggestRange(int row);
    QString studyFolder() const;
    bool flowDepth() const;

    std::unique_ptr<Ui::StudyWindow> ui_;
    StudyHost host_;
    QString program_;
    StudyProgram::Offers offers_;
    QProcess process_;
    QTemporaryDir scratch_;
    QElapsedTimer clock_;
    QTimer tick_;
    QByteArray errors_;  // the child's standard error less its progress lines
    QByteArray partLine_;
    bool optimising_ = false;
    bool cancelled_ = false;
    StudyTableModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
};

}  // namespace inlet
