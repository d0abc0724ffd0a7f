#include "dxf/DxfWriter.h"

#include "dxf/DxfDocument.h"
#include "messages/Failure.h"
#include "files/SaveFile.h"

namespace inlet {

void writeDxf(const Drawing& drawing, const std::string& path, const DxfOptions& options)
{
    try {
        saveFileAtomically(path, dxfText(drawing, options));
    } catch (Failure& f) {
        f.file = path;
        throw;
    }
}

}  // namespace inlet
