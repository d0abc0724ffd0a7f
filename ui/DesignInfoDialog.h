#pragma once

// 设计信息: what the drawing sheet's title block and the calculation sheet show about the design,
// one row per field of designInfoFields(). Every field is free text, at most as long as a design
// file holds (a longer paste is cut, and the dialog says so), but the floor elevation, which
// must be empty or a number in metres: 确定 refuses anything else with a message. The date
// offers today's when the design has none. Fields the engineer did not edit come back exactly
// as they were given, line ends included; the offered date is taken only along with an edit.

#include "document/DesignFile.h"

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
    void sayCut(const QString& field);

    DesignInfo given_;
    std::vector<QLineEdit*> lines_;  // one per single-line field, in the table's order
    QPlainTextEdit* notes_ = nullptr;
    QLabel* cut_ = nullptr;
    QLabel* message_ = nullptr;
};

}  // namespace inlet
