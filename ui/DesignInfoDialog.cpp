#include "DesignInfoDialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <limits>

namespace inlet {

namespace {

QLineEdit* lineEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(320);
    // As long as a design file may hold it.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

}  // namespace

DesignInfoDialog::DesignInfoDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("设计信息"));
    project_ = lineEdit("project");
    stage_ = lineEdit("stage");
    designer_ = lineEdit("designer");
    checker_ = lineEdit("checker");
    date_ = lineEdit("date");
    notes_ = new QPlainTextEdit;
    notes_->setObjectName(QStringLiteral("notes"));
    notes_->setTabChangesFocus(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("工程名称"), project_);
    form->addRow(QStringLiteral("设计阶段"), stage_);
    form->addRow(QStringLiteral("设计"), designer_);
    form->addRow(QStringLiteral("校核"), checker_);
    form->addRow(QStringLiteral("日期"), date_);
    form->addRow(QStringLiteral("备注"), notes_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
}

void DesignInfoDialog::setInfo(const DesignInfo& info)
{
    project_->setText(info.project);
    stage_->setText(info.stage);
    designer_->setText(info.designer);
    checker_->setText(info.checker);
    date_->setText(info.date.isEmpty() ? QDate::currentDate().toString(Qt::ISODate) : info.date);
    notes_->setPlainText(info.notes);
}

DesignInfo DesignInfoDialog::info() const
{
    return {project_->text(), stage_->text(), designer_->text(), checker_->text(), date_->text(),
            notes_->toPlainText()};
}

}  // namespace inlet
