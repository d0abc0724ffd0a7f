#include "DesignInfoDialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
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
    edit->setMaxLength(static_cast<int>(kMaxDesignText));
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
    cut_ = new QLabel;
    cut_->setObjectName(QStringLiteral("cut"));
    cut_->setWordWrap(true);
    cut_->hide();
    const std::pair<QLineEdit*, const char*> lines[] = {
        {project_, "工程名称"}, {stage_, "设计阶段"}, {designer_, "设计"}, {checker_, "校核"}, {date_, "日期"}};
    for (const auto& [line, name] : lines) {
        const QString field = QString::fromUtf8(name);
        connect(line, &QLineEdit::inputRejected, this, [this, line, field] {
            if (line->text().size() >= kMaxDesignText)
                sayCut(field);
        });
    }
    connect(notes_, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = notes_->toPlainText();
        if (text.size() <= kMaxDesignText)
            return;
        QTextCursor cursor(notes_->document());
        cursor.setPosition(static_cast<int>(kMaxDesignText));
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        sayCut(QStringLiteral("备注"));
    });

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
    column->addWidget(cut_);
    column->addWidget(buttons);
}

void DesignInfoDialog::sayCut(const QString& field)
{
    cut_->setText(QStringLiteral("“%1”最多 %2 个字符，多出的部分已删去。").arg(field).arg(kMaxDesignText));
    cut_->show();
}

void DesignInfoDialog::setInfo(const DesignInfo& info)
{
    given_ = info;
    project_->setText(info.project);
    stage_->setText(info.stage);
    designer_->setText(info.designer);
    checker_->setText(info.checker);
    date_->setText(info.date.isEmpty() ? QDate::currentDate().toString(Qt::ISODate) : info.date);
    notes_->setPlainText(info.notes);
    notes_->document()->setModified(false);
}

DesignInfo DesignInfoDialog::info() const
{
    const bool notesEdited = notes_->document()->isModified();
    const bool edited = project_->isModified() || stage_->isModified() || designer_->isModified()
                        || checker_->isModified() || date_->isModified() || notesEdited;
    if (!edited)
        return given_;
    const auto field = [](const QLineEdit* line, const QString& given) { return line->isModified() ? line->text() : given; };
    return {field(project_, given_.project), field(stage_, given_.stage), field(designer_, given_.designer),
            field(checker_, given_.checker), date_->isModified() || given_.date.isEmpty() ? date_->text() : given_.date,
            notesEdited ? notes_->toPlainText() : given_.notes};
}

}  // namespace inlet
