#include "ui/DialogAsker.h"

#include "ui/DesignInfoDialog.h"
#include "ui/DrawingExportDialog.h"
#include "ui/QtTranslation.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace inlet {

QString DialogAsker::fileToOpen(QWidget& parent, const QString& caption, const QString& folder, const QString& filter)
{
    QtTranslation::install();
    return QFileDialog::getOpenFileName(&parent, caption, folder, filter);
}

QString DialogAsker::fileToSave(QWidget& parent, const QString& caption, const QString& suggested,
                                const QString& filter, const QString& suffix)
{
    QtTranslation::install();
    // A dialog of its own rather than getSaveFileName(), so that it adds the suffix itself and
    // asks before replacing the file the name with the suffix names.
    QFileDialog dialog(&parent, caption, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

Asker::UnsavedAnswer DialogAsker::unsavedChanges(QWidget& parent, const QString& design)
{
    QtTranslation::install();
    QMessageBox box(QMessageBox::Warning, parent.window()->windowTitle().remove(QStringLiteral("[*]")),
                    QStringLiteral("%1已修改，是否保存？").arg(design),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &parent);
    box.setInformativeText(QStringLiteral("不保存，所做的修改将丢失。"));
    box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("不保存"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == box.button(QMessageBox::Save))
        return UnsavedAnswer::Save;
    if (clicked == box.button(QMessageBox::Discard))
        return UnsavedAnswer::Discard;
    return UnsavedAnswer::Cancel;
}

std::optional<DesignInfo> DialogAsker::designInfo(QWidget& parent, const DesignInfo& info)
{
    QtTranslation::install();
    DesignInfoDialog dialog(&parent);
    dialog.setInfo(info);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.info();
}

std::optional<Asker::DrawingExportChoice> DialogAsker::drawingExport(QWidget& parent, const QString& suggested,
                                                                    WidthSet widthSet)
{
    QtTranslation::install();
    DrawingExportDialog dialog(&parent);
    dialog.setPath(suggested);
    dialog.setWidthSet(widthSet);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return DrawingExportChoice{dialog.path(), dialog.choices(), dialog.formatKey(), dialog.widthSet()};
}

void DialogAsker::warn(QWidget& parent, const QString& title, const QString& message)
{
    QtTranslation::install();
    QMessageBox::warning(&parent, title, message);
}

}  // namespace inlet
