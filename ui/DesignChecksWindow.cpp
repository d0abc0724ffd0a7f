#include "ui/DesignChecksWindow.h"

#include "ui/CloseKeys.h"
#include "ui/DesignCheckList.h"
#include "model/LastRun.h"

#include <QLabel>
#include <QVBoxLayout>

namespace inlet {

DesignChecksWindow::DesignChecksWindow(LastRun& lastRun, QWidget* parent)
    : QWidget(parent, Qt::Window), lastRun_(lastRun)
{
    setWindowTitle(QStringLiteral("设计校核"));
    CloseKeys::install(*this);
    note_ = new QLabel;
    note_->setWordWrap(true);
    checks_ = new DesignCheckList;
    auto* column = new QVBoxLayout(this);
    column->addWidget(note_);
    column->addWidget(checks_);
    connect(&lastRun_, &LastRun::changed, this, &DesignChecksWindow::showLastRun);
    showLastRun();
    resize(520, 600);
}

void DesignChecksWindow::showLastRun()
{
    const std::shared_ptr<const RunRecord> record = lastRun_.record();
    if (record && record->completed()) {
        checks_->showChecks(record->checks);
        showNote({});
    } else if (record) {
        checks_->showChecks({});
        showNote(QStringLiteral("计算未完成：%1，无校核").arg(QString::fromStdString(whyStopped(*record, Language::Chinese))));
    } else {
        checks_->showChecks({});
        showNote(QStringLiteral("尚未计算：按“计算并打印”后在此显示设计校核"));
    }
}

QString DesignChecksWindow::note() const { return note_->text(); }

void DesignChecksWindow::showNote(const QString& note)
{
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

}  // namespace inlet
