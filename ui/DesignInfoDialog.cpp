#include "DesignInfoDialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <limits>

namespace inlet {

DesignInfoDialog::DesignInfoDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("设计信息"));
    auto* form = new QFormLayout;
    for (const DesignInfoField& f : designInfoFields()) {
        QWidget* edit = nullptr;
        if (f.multiline) {
            notes_ = new QPlainTextEdit;
            notes_->setTabChangesFocus(true);
            edit = notes_;
        } else {
            auto* line = new QLineEdit;
            line->setMinimumWidth(320);
            // As long as a design file may hold it.
            line->setMaxLength(std::numeric_limits<int>::max());
            lines_.push_back(line);
            edit = line;
        }
        edit->setObjectName(QLatin1String(f.key));
        form->addRow(QString::fromUtf8(f.caption), edit);
    }
    message_ = new QLabel;
    message_->setObjectName(QStringLiteral("message"));
    message_->setStyleSheet(QStringLiteral("color: #b00000"));
    message_->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(message_);
    column->addWidget(buttons);
}

void DesignInfoDialog::setInfo(const DesignInfo& given)
{
    DesignInfo info = given;
    if (info.date.isEmpty())
        info.date = QDate::currentDate().toString(Qt::ISODate);
    std::size_t line = 0;
    for (const DesignInfoField& f : designInfoFields()) {
        if (f.multiline)
            notes_->setPlainText(info.*f.field);
        else
            lines_[line++]->setText(info.*f.field);
    }
}

DesignInfo DesignInfoDialog::info() const
{
    DesignInfo info;
    std::size_t line = 0;
    for (const DesignInfoField& f : designInfoFields())
        info.*f.field = f.multiline ? notes_->toPlainText() : lines_[line++]->text();
    return info;
}

void DesignInfoDialog::accept()
{
    const QString elevation = info().floorElevation;
    if (!floorElevationOf(elevation).ok) {
        message_->setText(QStringLiteral("底板高程“%1”不是数字：请填写以米计的高程（如 12.500），或留空").arg(elevation.left(40)));
        message_->show();
        if (auto* edit = findChild<QLineEdit*>(QStringLiteral("floorElevation")))
            edit->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace inlet
