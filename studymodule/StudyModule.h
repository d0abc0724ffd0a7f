#pragma once

// The study window (设计 → 方案比选…) lives in a module of its own (inlet-study), loaded the
// first time it is opened, so that Qt Charts is never loaded before the main window's first
// frame. The window runs the studies with inlet-calc as a child process; what it needs of the
// main window comes through StudyHost.

#include "document/DesignFile.h"

#include <QString>

#include <functional>

class QWidget;

namespace inlet {

// What the study window asks of the main window.
struct StudyHost {
    // The design as the main window's boxes hold it now: the study's fixed inputs.
    std::function<Design()> design;
    // Opens a design file in the main window through its own open path (the question about
    // unsaved changes first); false when the engineer cancelled or the file was refused.
    std::function<bool(const QString& path)> openDesign;
    // The main window's design file, absolute, or empty: the study's folder is suggested
    // beside it.
    std::function<QString()> designPath;
};

class StudyModule {
public:
    virtual ~StudyModule() = default;

    // A new study window, a window of its own with `parent` as its parent.
    virtual QWidget* createWindow(StudyHost host, QWidget* parent) = 0;
};

// The module, loaded the first time it is asked for (ModuleLoader.h). Throws ModuleMissing
// where it cannot be loaded.
StudyModule& studyModule();

}  // namespace inlet

// The one function the module exports.
extern "C" inlet::StudyModule* inletStudyModule();
