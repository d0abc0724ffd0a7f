#pragma once

// A workbook on its way to its file: libxlsxwriter makes it in a temporary folder of its own
// (its working files too), and it takes the file's name whole, through the one atomic save,
// only once complete. Until then, and after any failure, the file named is as it was.

#include <xlsxwriter.h>

#include <QString>
#include <QTemporaryDir>

namespace inlet {

struct Failure;

class WorkbookFile {
public:
    // With `constantMemory`, each sheet's rows go to a working file as they are written
    // (libxlsxwriter's constant-memory mode: rows strictly in order). Throws a Failure naming
    // `path`.
    WorkbookFile(const QString& path, bool constantMemory);
    ~WorkbookFile();
    WorkbookFile(const WorkbookFile&) = delete;
    WorkbookFile& operator=(const WorkbookFile&) = delete;

    lxw_workbook* book() const { return book_; }
    // A bold format for headers.
    lxw_format* bold() const { return bold_; }

    // Completes the workbook and saves it as the file. Throws a Failure naming the file.
    void save();

    // `failure` with the file named, where it names none yet.
    Failure named(Failure failure) const;

private:
    [[noreturn]] void fail(const char* what, lxw_error error = LXW_NO_ERROR) const;

    QString path_;
    QTemporaryDir folder_;
    QByteArray working_;  // libxlsxwriter's working folder, as the file system spells it
    lxw_workbook* book_ = nullptr;
    lxw_format* bold_ = nullptr;
};

}  // namespace inlet
