// The module inlet-study: the study window with its charts (Qt Charts).

#include "studymodule/StudyModule.h"

#include "ui/StudyWindow.h"

namespace inlet {

namespace {

class StudyModuleImpl : public StudyModule {
public:
    QWidget* createWindow(StudyHost host, QWidget* parent) override
    {
        return new StudyWindow(std::move(host), parent);
    }
};

}  // namespace

}  // namespace inlet

extern "C" Q_DECL_EXPORT inlet::StudyModule* inletStudyModule()
{
    static inlet::StudyModuleImpl module;
    return &module;
}
