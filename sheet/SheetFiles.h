#pragma once

// The calculation sheet as files: PDF (A4, fonts embedded) for filing and printing, ODT for
// finishing the sheet in a word processor. Both are made whole in memory and then saved
// atomically, so that a failure leaves no partial file and an older file untouched.

#include "export/ExportFormat.h"
#include "sheet/SheetInput.h"

#include <QByteArray>
#include <QString>


namespace inlet {

class SheetDocument;

// The sheet as the bytes of a PDF file, 300 dpi, with its title and the program as creator.
// Empty where the sheet could not be painted.
QByteArray sheetPdf(const SheetDocument& sheet);
// The sheet as the bytes of an ODT file, the drawings embedded. Empty where it could not be
// written.
QByteArray sheetOdt(const SheetDocument& sheet);

// Each throws a Failure naming the file when the sheet cannot be made or saved.
void writePdf(const SheetInput& input, const QString& path);
void writeOdt(const SheetInput& input, const QString& path);

}  // namespace inlet
