#pragma once

// Long work the window starts (an export, a print), watched for as long as this lives: a
// QProgressDialog appears once the work has run half a second from its first step and is not
// nearly done (never before that step, so never over a dialog the work asks first), and its
// 取消 stops the work at its next step, which then saves nothing (Failure Cancelled).

#include "run/Progress.h"

#include <QProgressDialog>

namespace inlet {

class WorkProgress {
public:
    WorkProgress(QWidget& parent, const QString& label);

private:
    QProgressDialog dialog_;
    ProgressWatch watch_;
};

}  // namespace inlet
