#pragma once

// A design as a file the engineer keeps (.inlet): the design information and the text of
// every box of the given-parameter frame exactly as typed. The texts, not numbers: the run
// reads them leniently, so only the text reproduces the design.
//
// The file is UTF-8 JSON:
//   { "format": "inlet-design", "formatVersion": "1.0", "program": "inlet 1.00",
//     "info": { "project": ..., "stage": ..., "designer": ..., "checker": ..., "date": ...,
//               "notes": ..., "unit": ..., "drawingNumber": ..., "floorElevation": ... },
//     "texts": { "D": "2200", "H": "2700", "H0": "700", ... },
//     "widthSet": "computed",
//     "flow": { "settings": {...}, "texts": {...}, "result": { "status": "settled", ... } } }
// with one text per box of the frame, named by its quantity's symbol. "widthSet" (from format
// version 1.1) names the volute widths the drawing, the exports and the sheet use: "computed"
// or "area-true"; a file without it takes "computed". One text per field of
// designInfoFields() (from format 1.2 on; an older file lacks those 1.2 added, read as
// empty); a floor elevation must be empty or a number. "flow", where present, is the flow
// computed for the design (see FlowRecord.h): an object with the texts it was computed for and
// a result with its status; a new one is saved in place of the old. "study" (format 1.3, the
// version written only where it is present) is the study of variants the design was chosen
// from (StudyRecord.h). A file of a newer minor version may hold more; what this program does
// not know is kept and written back.

#include "boxes/Boxes.h"
#include "document/DesignInfo.h"
#include "drawing/WidthSets.h"

#include <QJsonObject>
#include <QString>

#include <map>
#include <string>

namespace inlet {

struct Design {
    DesignInfo info;
    std::map<Box, QString> texts;  // every box of givenParameterBoxes()
    WidthSet widthSet = WidthSet::Computed;  // the widths the geometry is drawn with
    QJsonObject flow;              // the flow computed for it ("flow"), or empty where none
    QJsonObject study;             // the study it was chosen from ("study"), or empty where none
    QJsonObject kept;              // the file as read, for what this program does not know
    // What this program does not know, as the file wrote it: each member's value by its place,
    // "pump", "info/x", "texts/y". Written back byte for byte.
    std::map<QString, QByteArray> keptText;
};

// The longest text a box or an information field may hold in a file, in characters, and the
// largest file this program reads: enough for every box and field at its longest, written
// with every character escaped (22 texts of 65,536 characters, 6 bytes each).
inline constexpr qsizetype kMaxDesignText = 65536;
inline constexpr qint64 kMaxDesignFileBytes = 16 * 1024 * 1024;

// A fresh window's design: the default texts and no information.
Design defaultDesign();

// Reads a design file; throws a Failure saying what is wrong with it. A pipe (/dev/stdin)
// is read where `pipeWaitSeconds` is above zero, waiting at most that long for each piece;
// folders, devices and FIFOs nothing writes to are refused.
Design readDesignFile(const QString& path, int pipeWaitSeconds = 0);
// The same from the file's bytes; `path` only names the file in messages.
Design parseDesign(const QByteArray& bytes, const QString& path);

// Writes a design file atomically: the old file stays whole unless the new one was written
// completely. Throws a Failure naming the file and the reason.
void writeDesignFile(const QString& path, const Design& design);
// Throws the Failure that saving `design` as `path` would meet in its texts: a text too long,
// a NUL, an invalid character. Saving and opening hold texts to the same rule.
void checkSavable(const Design& design, const QString& path);
// The bytes writeDesignFile writes: indented JSON, compact where indenting would make the file
// larger than a design file may be.
QByteArray designBytes(const Design& design);

}  // namespace inlet
