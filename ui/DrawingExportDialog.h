#pragma once

// 导出图形: the file the drawing is exported to, whose extension chooses the format (.dxf,
// .svg, .png), the volute widths it is drawn with (the design's choice), and for DXF whether
// ellipses are written as polylines.

#include "DrawingExport.h"
#include "WidthSets.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace inlet {

class DrawingExportDialog : public QDialog {
    Q_OBJECT

public:
    explicit DrawingExportDialog(QWidget* parent = nullptr);

    void setPath(const QString& path);
    QString path() const;
    DrawingExportOptions options() const;
    void setWidthSet(WidthSet set);
    WidthSet widthSet() const;

private:
    void browse();
    void pathChanged();

    QLineEdit* path_ = nullptr;
    QComboBox* widthSet_ = nullptr;
    QCheckBox* ellipsesAsPolylines_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace inlet
