#pragma once

// dxflib's writer, collecting the file's text in memory instead of writing each line
// through to the disk: dxflib flushes the file after almost every line, which costs more
// than making the whole drawing. The text goes to the file in one piece afterwards.

#include <dl_writer_ascii.h>

#include <string>

namespace inlet {

class DxfTextWriter : public DL_WriterA {
public:
    DxfTextWriter();

    // The DXF text written so far.
    const std::string& text() const { return text_; }

    // Each group code right-aligned in three characters, on its own line, the value on the
    // next: reals with the fewest digits that read back as the same double (and at least
    // one decimal), hexadecimal in capitals.
    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;

private:
    void groupCode(int gc) const;

    mutable std::string text_;
};

}  // namespace inlet
