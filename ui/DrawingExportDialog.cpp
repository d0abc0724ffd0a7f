#include "DrawingExportDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace inlet {

namespace {

struct Format {
    const char* suffix;
    const char* filter;
};
constexpr std::array<Format, 3> kFormats{{
    {"dxf", "DXF 图形 (*.dxf)"},
    {"svg", "SVG 图形 (*.svg)"},
    {"png", "PNG 图像 (*.png)"},
}};

QString suffixOf(const QString& path) { return QFileInfo(path).suffix().toLower(); }

}  // namespace

DrawingExportDialog::DrawingExportDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("导出图形"));
    path_ = new QLineEdit;
    path_->setObjectName(QStringLiteral("path"));
    path_->setMinimumWidth(420);
    auto* browse = new QPushButton(QStringLiteral("浏览…"));
    browse->setObjectName(QStringLiteral("browse"));
    ellipsesAsPolylines_ = new QCheckBox(QStringLiteral("DXF 中椭圆写为多段线（用于误读 ELLIPSE 的 CAD 程序）"));
    ellipsesAsPolylines_->setObjectName(QStringLiteral("ellipsesAsPolylines"));

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
    QStringList extensions = drawingExtensions();
    const QString last = extensions.takeLast();
    column->addWidget(new QLabel(QStringLiteral("文件（扩展名 .%1 或 .%2 决定格式）：")
                                     .arg(extensions.join(QStringLiteral("、.")), last)));
    column->addLayout(file);
    column->addWidget(ellipsesAsPolylines_);
    column->addWidget(buttons);
    pathChanged();
}

void DrawingExportDialog::setPath(const QString& path) { path_->setText(path); }

QString DrawingExportDialog::path() const { return path_->text().trimmed(); }

DrawingExportOptions DrawingExportDialog::options() const
{
    return {.dxfEllipsesAsPolylines = ellipsesAsPolylines_->isEnabled() && ellipsesAsPolylines_->isChecked()};
}

void DrawingExportDialog::pathChanged()
{
    const QString suffix = suffixOf(path());
    ellipsesAsPolylines_->setEnabled(suffix == QLatin1String("dxf"));
    ok_->setEnabled(!QFileInfo(path()).fileName().isEmpty() && canExport(suffix));
}

void DrawingExportDialog::browse()
{
    QStringList filters;
    QString selected;
    for (const Format& format : kFormats) {
        if (!canExport(QLatin1String(format.suffix)))
            continue;
        filters << QString::fromUtf8(format.filter);
        if (suffixOf(path()) == QLatin1String(format.suffix))
            selected = filters.back();
    }
    QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("导出图形"), path(),
                                                  filters.join(QStringLiteral(";;")), &selected);
    if (chosen.isEmpty())
        return;  // cancelled
    const QString suffix = suffixOf(chosen);
    if (!canExport(suffix)) {
        for (const Format& format : kFormats)
            if (selected == QString::fromUtf8(format.filter))
                chosen += QLatin1Char('.') + QLatin1String(format.suffix);
    }
    setPath(chosen);
}

}  // namespace inlet
