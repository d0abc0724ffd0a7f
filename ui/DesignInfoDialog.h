#pragma once

// 设计信息: what the drawing sheet's title block and the calculation sheet show about the design,
// one row per field of designInfoFields(). Every field is free text but the floor elevation,
// which must be empty or a number in metres: 确定 refuses anything else with a message. The date
// offers today's when the design has none.

#include "DesignFile.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace inlet {

class DesignInfoDialog : public QDialog {
    Q_OBJECT

public:
    explicit DesignInfoDialog(QWidget* parent = nullptr);

    void setInfo(const DesignInfo& info);
    DesignInfo info() const;

    void accept() override;

private:
    std::vector<QLineEdit*> lines_;  // one per single-line field, in the table's order
    QPlainTextEdit* notes_ = nullptr;
    QLabel* message_ = nullptr;
};

}  // namespace inlet
