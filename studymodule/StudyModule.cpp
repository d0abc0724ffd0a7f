#include "studymodule/StudyModule.h"

#include "modules/ModuleLoader.h"

namespace inlet {

StudyModule& studyModule()
{
    static const ModuleLoader<StudyModule> loader("inlet-study", "inletStudyModule");
    return loader.module();
}

}  // namespace inlet
