#pragma once

// The main window's questions asked with its dialogs: Qt's file dialogs, a message box for
// unsaved changes and for what went wrong, the design-information and drawing-export dialogs.
// Each is created when asked, so none costs the window's start anything.

#include "ui/Asker.h"

namespace inlet {

class DialogAsker : public Asker {
public:
    QString fileToOpen(QWidget& parent, const QString& caption, const QString& folder,
                       const QString& filter) override;
    QString fileToSave(QWidget& parent, const QString& caption, const QString& suggested,
                       const QString& filter, const QString& suffix) override;
    UnsavedAnswer unsavedChanges(QWidget& parent, const QString& design) override;
    std::optional<DesignInfo> designInfo(QWidget& parent, const DesignInfo& info) override;
    std::optional<DrawingExportChoice> drawingExport(QWidget& parent, const QString& suggested,
                                                     WidthSet widthSet) override;
    void warn(QWidget& parent, const QString& title, const QString& message) override;
};

}  // namespace inlet
