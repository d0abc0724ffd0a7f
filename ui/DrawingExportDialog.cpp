#include "ui/DrawingExportDialog.h"

#include "outputmodule/OutputModule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace inlet {

namespace {

QString suffixOf(const QString& path) { return QFileInfo(path).suffix().toLower(); }

}  // namespace

DrawingExportDialog::DrawingExportDialog(QWidget* parent) : QDialog(parent), formats_(outputFormats())
{
    setWindowTitle(QStringLiteral("导出图形"));
    path_ = new QLineEdit;
    path_->setObjectName(QStringLiteral("path"));
    path_->setMinimumWidth(420);
    auto* browse = new QPushButton(QStringLiteral("浏览…"));
    browse->setObjectName(QStringLiteral("browse"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &DrawingExportDialog::browse);
    connect(path_, &QLineEdit::textChanged, this, &DrawingExportDialog::pathChanged);

    auto* file = new QHBoxLayout;
    file->addWidget(path_, 1);
    file->addWidget(browse);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("文件（扩展名 %1 决定格式）：").arg(formats_.extensionList(ExportKind::Drawing))));
    column->addLayout(file);
    auto* form = new QFormLayout;
    widthSet_ = new QComboBox;
    widthSet_->setObjectName(QStringLiteral("widthSet"));
    for (const WidthSet set : {WidthSet::Computed, WidthSet::AreaTrue}) {
        const std::string_view name = widthSetChinese(set);
        widthSet_->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())), static_cast<int>(set));
    }
    form->addRow(QStringLiteral("断面宽度："), widthSet_);
    for (const ExportFormat* format : formats_.formats(ExportKind::Drawing)) {
        for (const ExportOption& option : format->options) {
            if (choices_.count(option.key) || option.label.isEmpty())
                continue;
            QWidget* widget = nullptr;
            if (option.values.isEmpty()) {
                widget = new QCheckBox(option.label);
                form->addRow(widget);
            } else {
                // Shown in Chinese, given back as the command line spells it.
                auto* combo = new QComboBox;
                for (qsizetype i = 0; i < option.values.size(); ++i)
                    combo->addItem(i < option.shown.size() ? option.shown[i] : option.values[i], option.values[i]);
                widget = combo;
                form->addRow(option.label + QStringLiteral("："), widget);
            }
            widget->setObjectName(option.key);
            choices_[option.key] = widget;
        }
    }
    column->addLayout(form);
    column->addWidget(buttons);
    pathChanged();
}

void DrawingExportDialog::setPath(const QString& path) { path_->setText(path); }

QString DrawingExportDialog::path() const { return path_->text().trimmed(); }

QString DrawingExportDialog::formatKey() const
{
    const ExportFormat* format = formats_.forPath(path(), ExportKind::Drawing);
    return format ? format->key : QString();
}

ExportChoices DrawingExportDialog::choices() const
{
    ExportChoices chosen;
    for (const auto& [key, widget] : choices_) {
        if (!widget->isEnabled())
            continue;
        if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
            if (box->isChecked())
                chosen[key] = QStringLiteral("yes");
        } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            chosen[key] = combo->currentData().toString();
        }
    }
    return chosen;
}

void DrawingExportDialog::setWidthSet(WidthSet set)
{
    widthSet_->setCurrentIndex(widthSet_->findData(static_cast<int>(set)));
}

WidthSet DrawingExportDialog::widthSet() const { return static_cast<WidthSet>(widthSet_->currentData().toInt()); }

void DrawingExportDialog::pathChanged()
{
    const ExportFormat* format = formats_.forPath(path(), ExportKind::Drawing);
    for (const auto& [key, widget] : choices_) {
        bool offered = false;
        if (format) {
            for (const ExportOption& option : format->options)
                offered = offered || option.key == key;
        }
        widget->setEnabled(offered);
    }
    ok_->setEnabled(!QFileInfo(path()).fileName().isEmpty() && format);
}

void DrawingExportDialog::browse()
{
    QStringList filters;
    QString selected;
    const auto drawingFormats = formats_.formats(ExportKind::Drawing);
    for (const ExportFormat* format : drawingFormats) {
        filters << QStringLiteral("%1 (*.%2)").arg(format->name, format->extension);
        if (suffixOf(path()) == format->extension)
            selected = filters.back();
    }
    QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("导出图形"), path(),
                                                  filters.join(QStringLiteral(";;")), &selected);
    if (chosen.isEmpty())
        return;  // cancelled
    if (!formats_.forPath(chosen, ExportKind::Drawing)) {
        for (qsizetype i = 0; i < filters.size(); ++i)
            if (selected == filters[i])
                chosen += QLatin1Char('.') + drawingFormats[std::size_t(i)]->extension;
    }
    setPath(chosen);
}

}  // namespace inlet
