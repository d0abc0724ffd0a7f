#pragma once

// 设计信息: what the calculation sheet's cover and title block show about the design. Every
// field is free text, at most as long as a design file holds (a longer paste is cut, and the
// dialog says so); the date offers today's when the design has none. Fields the engineer did
// not edit come back exactly as they were given, line ends included; the offered date is
// taken only along with an edit.

#include "DesignFile.h"

#include <QDialog>

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

private:
    void sayCut(const QString& field);

    DesignInfo given_;
    QLabel* cut_ = nullptr;
    QLineEdit* project_ = nullptr;
    QLineEdit* stage_ = nullptr;
    QLineEdit* designer_ = nullptr;
    QLineEdit* checker_ = nullptr;
    QLineEdit* date_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
};

}  // namespace inlet
