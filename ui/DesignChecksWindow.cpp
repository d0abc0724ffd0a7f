#include "DesignChecksWindow.h"

#include "DesignCheckList.h"
#include "NumberFormat.h"

#include <QLabel>
#include <QVBoxLayout>

namespace inlet {

DesignChecksWindow::DesignChecksWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("设计校核"));
    note_ = new QLabel;
    note_->setWordWrap(true);
    checks_ = new DesignCheckList;
    auto* column = new QVBoxLayout(this);
    column->addWidget(note_);
    column->addWidget(checks_);
    showNoRun();
    resize(520, 600);
}

void DesignChecksWindow::showRun(const Calculation& run, const BoxAccess& boxes)
{
    checks_->showChecks(designChecks(run, boxes, systemNumberLocale()));
    showNote({});
}

void DesignChecksWindow::showFailure(const QString& failure)
{
    checks_->showChecks({});
    showNote(QStringLiteral("计算未完成：%1，无校核").arg(failure));
}

void DesignChecksWindow::showNoRun()
{
    checks_->showChecks({});
    showNote(QStringLiteral("尚未计算：按“计算并打印”后在此显示设计校核"));
}

QString DesignChecksWindow::note() const { return note_->text(); }

void DesignChecksWindow::showNote(const QString& note)
{
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

}  // namespace inlet
