#pragma once

// The design checks of a run as a list: warnings marked with the warning sign, figures plain,
// every character in one face (checkTextFont). Shown beside the drawing and in the
// design-check window.

#include "checks/DesignChecks.h"

#include <QListWidget>

#include <vector>

namespace inlet {

class DesignCheckList : public QListWidget {
    Q_OBJECT

public:
    explicit DesignCheckList(QWidget* parent = nullptr);

    // Replaces the list; an empty vector empties it.
    void showChecks(const std::vector<DesignCheck>& checks);
};

}  // namespace inlet
