#include "ui/DesignInfoDialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

namespace inlet {

namespace {

bool isDate(const DesignInfoField& f) { return f.field == &DesignInfo::date; }

}  // namespace

DesignInfoDialog::DesignInfoDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("设计信息"));
    auto* form = new QFormLayout;
    for (const DesignInfoField& f : designInfoFields()) {
        const QString caption = QString::fromUtf8(f.caption);
        QWidget* edit = nullptr;
        if (f.multiline) {
            notes_ = new QPlainTextEdit;
            notes_->setTabChangesFocus(true);
            connect(notes_, &QPlainTextEdit::textChanged, this, [this, caption] {
                if (notes_->toPlainText().size() <= kMaxDesignText)
                    return;
                QTextCursor cursor(notes_->document());
                cursor.setPosition(static_cast<int>(kMaxDesignText));
                cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                sayCut(caption);
            });
            edit = notes_;
        } else {
            auto* line = new QLineEdit;
            line->setMinimumWidth(320);
            // As long as a design file may hold it.
            line->setMaxLength(static_cast<int>(kMaxDesignText));
            connect(line, &QLineEdit::inputRejected, this, [this, line, caption] {
                if (line->text().size() >= kMaxDesignText)
                    sayCut(caption);
            });
            lines_.push_back(line);
            edit = line;
        }
        edit->setObjectName(QLatin1String(f.key));
        form->addRow(caption + QStringLiteral("："), edit);
    }
    cut_ = new QLabel;
    cut_->setObjectName(QStringLiteral("cut"));
    cut_->setWordWrap(true);
    cut_->hide();
    message_ = new QLabel;
    message_->setObjectName(QStringLiteral("message"));
    message_->setStyleSheet(QStringLiteral("color: #b00000"));
    message_->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(cut_);
    column->addWidget(message_);
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
    std::size_t line = 0;
    for (const DesignInfoField& f : designInfoFields()) {
        const QString& text = info.*f.field;
        if (f.multiline) {
            notes_->setPlainText(text);
            notes_->document()->setModified(false);
        } else {
            lines_[line++]->setText(isDate(f) && text.isEmpty() ? QDate::currentDate().toString(Qt::ISODate) : text);
        }
    }
}

DesignInfo DesignInfoDialog::info() const
{
    bool edited = notes_->document()->isModified();
    for (const QLineEdit* line : lines_)
        edited = edited || line->isModified();
    if (!edited)
        return given_;
    DesignInfo info = given_;
    std::size_t line = 0;
    for (const DesignInfoField& f : designInfoFields()) {
        if (f.multiline) {
            if (notes_->document()->isModified())
                info.*f.field = notes_->toPlainText();
            continue;
        }
        const QLineEdit* edit = lines_[line++];
        if (edit->isModified() || (isDate(f) && given_.date.isEmpty()))
            info.*f.field = edit->text();
    }
    return info;
}

void DesignInfoDialog::accept()
{
    // What the box shows, edited or not.
    auto* edit = findChild<QLineEdit*>(QStringLiteral("floorElevation"));
    const QString elevation = edit ? edit->text() : info().floorElevation;
    if (!floorElevationOf(elevation).ok) {
        message_->setText(QStringLiteral("底板高程“%1”不是数字：请填写以米计的高程（如 12.500），或留空").arg(elevation.left(40)));
        message_->show();
        if (edit)
            edit->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace inlet
