#include "export/WorkbookFile.h"

#include "document/AtomicSave.h"
#include "messages/Failure.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace inlet {

namespace {

const QString kWorkbookName = QStringLiteral("workbook.xlsx");

// Closes the workbook without the English lines libxlsxwriter prints on standard error when
// it fails (naming its temporary file): the failure is reported as the program's own, in the
// program's language. The system's errno is kept.
lxw_error closeQuietly(lxw_workbook* book)
{
#ifdef _WIN32
    return workbook_close(book);
#else
    std::fflush(stderr);
    const int saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0)
        ::dup2(null, STDERR_FILENO);
    const lxw_error error = workbook_close(book);
    const int closeErrno = errno;
    std::fflush(stderr);
    if (saved >= 0 && null >= 0)
        ::dup2(saved, STDERR_FILENO);
    if (null >= 0)
        ::close(null);
    if (saved >= 0)
        ::close(saved);
    errno = closeErrno;
    return error;
#endif
}

}  // namespace

WorkbookFile::WorkbookFile(const QString& path, bool constantMemory) : path_(path)
{
    if (!folder_.isValid())
        throw Failure{.kind = Failure::Kind::CannotMake, .file = shownPath(path_), .item = "XLSX"};
    working_ = QFile::encodeName(folder_.path());
    // libxlsxwriter keeps its flags in uint8_t: clang refuses the enum narrowed in braces.
    const auto flag = [](bool on) { return static_cast<uint8_t>(on ? LXW_TRUE : LXW_FALSE); };
    lxw_workbook_options options{.constant_memory = flag(constantMemory),
                                 .tmpdir = working_.data(),
                                 // A batch's sheet data may pass 4 GB before it is packed.
                                 .use_zip64 = flag(constantMemory)};
    book_ = workbook_new_opt(QFile::encodeName(folder_.filePath(kWorkbookName)).constData(), &options);
    if (!book_)
        fail("workbook_new_opt");
    bold_ = workbook_add_format(book_);
    if (!bold_)
        fail("workbook_add_format");
    format_set_bold(bold_);
}

WorkbookFile::~WorkbookFile()
{
    if (book_)
        lxw_workbook_free(book_);  // not saved: dropped with its folder
}

void WorkbookFile::save()
{
    // libxlsxwriter writes the rows of a constant-memory sheet to its working file without
    // looking whether the writes succeed (a full disk): look here, before they are packed.
    // Packing does not look at its writes either: it copies each sheet's rows into a second
    // working file and compresses that. Refuse where the disk has not the room for it.
    long long largest = 0;
    long long total = 0;
    lxw_worksheet* sheet = nullptr;
    LXW_FOREACH_WORKSHEET(sheet, book_)
    {
        if (!sheet->optimize_tmpfile)
            continue;
        errno = 0;
        if (std::fflush(sheet->optimize_tmpfile) != 0 || std::ferror(sheet->optimize_tmpfile))
            throw systemFailure(Failure::Kind::CannotWrite, shownPath(path_), errno ? errno : EIO);
        const long long size = std::ftell(sheet->optimize_tmpfile);
        largest = std::max(largest, size);
        total += std::max(size, 0LL);
    }
#ifndef _WIN32
    struct statvfs room;
    // The copy of the largest sheet and the compressed workbook (well under a quarter).
    if (total > 0 && ::statvfs(working_.constData(), &room) == 0
        && static_cast<long long>(room.f_bavail) * static_cast<long long>(room.f_frsize) < largest + total / 4)
        throw systemFailure(Failure::Kind::CannotWrite, shownPath(path_), ENOSPC);
#endif
    lxw_workbook* book = book_;
    book_ = nullptr;  // workbook_close frees it, whatever it returns
    errno = 0;
    const lxw_error error = closeQuietly(book);
    if (error != LXW_NO_ERROR && errno != 0)
        throw systemFailure(Failure::Kind::CannotWrite, shownPath(path_), errno);  // a full disk
    if (error != LXW_NO_ERROR)
        fail("workbook_close", error);

    QFile made(folder_.filePath(kWorkbookName));
    if (!made.open(QIODevice::ReadOnly))
        fail("open");
    saveAtomically(path_, [this, &made](const std::function<void(std::string_view)>& put) {
        QByteArray piece(1 << 20, Qt::Uninitialized);
        for (;;) {
            const qint64 read = made.read(piece.data(), piece.size());
            if (read < 0)
                fail("read");
            if (read == 0)
                return;
            put(std::string_view(piece.constData(), static_cast<std::size_t>(read)));
        }
    });
}

Failure WorkbookFile::named(Failure failure) const
{
    if (failure.file.empty())
        failure.file = shownPath(path_);
    return failure;
}

void WorkbookFile::fail(const char* what, lxw_error error) const
{
    std::string detail = what;
    if (error != LXW_NO_ERROR)
        detail += std::string(": ") + lxw_strerror(error);
    throw Failure{.kind = Failure::Kind::WorkbookNotMade, .file = shownPath(path_), .detail = detail};
}

}  // namespace inlet
