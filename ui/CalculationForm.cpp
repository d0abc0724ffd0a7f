#include "ui/CalculationForm.h"

#include "checks/FailureCauses.h"
#include "ui/startup/FrameCaptionStyle.h"
#include "ui/WindowBoxes.h"
#include "ui/startup/WindowFonts.h"
#include "run/CalculationRun.h"
#include "platform/NumberFormat.h"
#include "ui/QtTranslation.h"
#include "ui_CalculationForm.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>

#include <limits>

namespace inlet {

namespace {

// The run's message, and beneath it the boxes behind it, which the engineer reads at once.
void showFailureMessage(QWidget& window, const QString& message, const QStringList& causes)
{
    QtTranslation::install();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("计算出错"), message, QMessageBox::Ok, &window);
    if (!causes.isEmpty()) {
        box.setTextFormat(Qt::PlainText);
        box.setInformativeText(causes.join(QLatin1Char('\n')));
    }
    box.exec();
}

}  // namespace

CalculationForm::CalculationForm(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::CalculationForm>()), reportFailure_([this](QWidget& window, const QString& message) { showFailureMessage(window, message, causes_); })
{
    // The window's face is set before the controls exist, so that each is laid out once, in
    // its own face.
    setFont(windowTextFont());
    ui_->setupUi(this);

    // The captions of the frames in their own face, drawn by the frames' style; the frames
    // and what they hold keep the window's face.
    auto* frameStyle = new FrameCaptionStyle(frameCaptionFont().resolve(font()));
    frameStyle->setParent(this);
    for (QGroupBox* frame : findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        frame->setStyle(frameStyle);

    // A box holds whatever is typed or pasted into it, however long.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->setMaxLength(std::numeric_limits<int>::max());

    boxes_ = std::make_unique<WindowBoxes>(*this);
    for (const Box box : givenParameterBoxes())
        connect(&boxes_->edit(box), &QLineEdit::textEdited, this, &CalculationForm::givenParameterEdited);
    ui_->Text13->setFocus();

    connect(ui_->Command1, &QPushButton::clicked, this, &CalculationForm::calculate);
    // Closes the main window (or the form itself where it stands alone), which ends the program.
    connect(ui_->Command2, &QPushButton::clicked, this, [this] { window()->close(); });
}

CalculationForm::~CalculationForm() = default;

void CalculationForm::setFailureReporter(FailureReporter reporter) { reportFailure_ = std::move(reporter); }

QString CalculationForm::text(Box box) const { return boxes_->edit(box).text(); }

void CalculationForm::setText(Box box, const QString& text) { boxes_->edit(box).setText(text); }

void CalculationForm::calculate()
{
    boxes_->startRun();
    causes_.clear();
    Calculation run;
    try {
        run = runCalculation(*boxes_, systemNumberLocale());
    } catch (const Failure& failure) {
        // No box may show a figure computed from other inputs than the ones on screen.
        boxes_->emptyResultsNotWritten();
        for (const Bilingual& cause : inlet::failureCauses(failure, *boxes_, systemNumberLocale()))
            causes_ << QString::fromStdString(cause.chinese);
        // Whatever shows this run's results is emptied before the message waits for the
        // engineer.
        emit runFailed(failure);
        reportFailure_(*window(), QString::fromStdString(inlet::render(failure, Language::Chinese)));
        return;
    }
    emit runCompleted(run, *boxes_);
}

}  // namespace inlet
