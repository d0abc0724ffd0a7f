#pragma once

// 设计信息: what the calculation sheet's cover and title block show about the design. Every
// field is free text; the date offers today's when the design has none.

#include "DesignFile.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace inlet {

class DesignInfoDialog : public QDialog {
    Q_OBJECT

public:
    explicit DesignInfoDialog(QWidget* parent = nullptr);

    void setInfo(const DesignInfo& info);
    DesignInfo info() const;

private:
    QLineEdit* project_ = nullptr;
    QLineEdit* stage_ = nullptr;
    QLineEdit* designer_ = nullptr;
    QLineEdit* checker_ = nullptr;
    QLineEdit* date_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
};

}  // namespace inlet
