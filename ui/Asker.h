#pragma once

// What the main window asks the engineer and tells them: which file to open or to write, what
// to do with unsaved changes, the design information, where to export the drawing, and what
// went wrong. DialogAsker asks with the window's dialogs; the tests answer in their place.

#include "document/DesignFile.h"
#include "export/ExportFormat.h"
#include "drawing/WidthSets.h"

#include <QString>

#include <optional>

class QWidget;

namespace inlet {

class Asker {
public:
    enum class UnsavedAnswer { Save, Discard, Cancel };

    struct DrawingExportChoice {
        QString path;
        ExportChoices choices;
        QString format;  // the format's key where the extension alone does not say; else empty
        WidthSet widthSet = WidthSet::Computed;  // the design's choice, as the dialog left it
    };

    virtual ~Asker() = default;

    // A file to read, starting in `folder`; empty when cancelled.
    virtual QString fileToOpen(QWidget& parent, const QString& caption, const QString& folder,
                               const QString& filter) = 0;
    // A file to write, `suggested` offered; `suffix` ("inlet") is added to a name without one.
    // Empty when cancelled.
    virtual QString fileToSave(QWidget& parent, const QString& caption, const QString& suggested,
                               const QString& filter, const QString& suffix) = 0;
    // Whether to save the design named `design` before it is set aside (保存 / 不保存 / 取消).
    virtual UnsavedAnswer unsavedChanges(QWidget& parent, const QString& design) = 0;
    // The design information as edited; none when cancelled.
    virtual std::optional<DesignInfo> designInfo(QWidget& parent, const DesignInfo& info) = 0;
    // Where and how to export the drawing, `suggested` offered and the widths `widthSet`
    // chosen to begin with; none when cancelled.
    virtual std::optional<DrawingExportChoice> drawingExport(QWidget& parent, const QString& suggested,
                                                             WidthSet widthSet) = 0;
    // Tells the engineer what went wrong; waits until they have read it.
    virtual void warn(QWidget& parent, const QString& title, const QString& message) = 0;
};

}  // namespace inlet
