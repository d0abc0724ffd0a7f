#pragma once

// 导出图形: the file the drawing is exported to, whose extension chooses among the drawing's
// formats, the volute widths it is drawn with (the design's choice), and the choices that
// format offers (as the format registry lists them).

#include "export/ExportFormat.h"
#include "drawing/WidthSets.h"

#include <QDialog>

#include <map>

class QComboBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace inlet {

class ExportRegistry;

class DrawingExportDialog : public QDialog {
    Q_OBJECT

public:
    explicit DrawingExportDialog(QWidget* parent = nullptr);

    void setPath(const QString& path);
    QString path() const;
    // The format the path's extension names, or empty.
    QString formatKey() const;
    // The choices of that format, as set.
    ExportChoices choices() const;
    // The widths to draw with: the design's choice, which the dialog may change.
    void setWidthSet(WidthSet set);
    WidthSet widthSet() const;

private:
    void browse();
    void pathChanged();

    const ExportRegistry& formats_;
    QLineEdit* path_ = nullptr;
    QComboBox* widthSet_ = nullptr;
    QPushButton* ok_ = nullptr;
    // Each choice of every drawing format, by key: a QCheckBox for a switch, else a QComboBox,
    // shown for the formats that offer it.
    std::map<QString, QWidget*> choices_;
};

}  // namespace inlet
