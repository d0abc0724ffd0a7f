#include "WorkProgress.h"

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
}

}  // namespace inlet
