#include "ui/WorkProgress.h"

namespace inlet {

WorkProgress::WorkProgress(QWidget& parent, const QString& label)
    : dialog_(label, QStringLiteral("取消"), 0, 0, &parent),
      watch_([this](int done, int total) {
          dialog_.setMaximum(total);
          dialog_.setValue(done);  // shows the dialog once due; lets 取消 be pressed
          return !dialog_.wasCanceled();
      })
{
    dialog_.setWindowTitle(label);
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(500);
    dialog_.setAutoClose(true);
    // QProgressDialog shows itself a while after it is made even when no step has come (its
    // timer starts in the constructor): over Qt's print dialog, which the print runs before its
    // first page, it locked that dialog. The box is the work's alone: its first step starts
    // the wait again.
    dialog_.reset();
}

}  // namespace inlet
