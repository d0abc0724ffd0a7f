#include "sheet/OdtPackage.h"

#include <zlib.h>

namespace inlet {

namespace {

void put16(QByteArray& out, unsigned value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void put32(QByteArray& out, unsigned long value)
{
    put16(out, static_cast<unsigned>(value & 0xFFFF));
    put16(out, static_cast<unsigned>((value >> 16) & 0xFFFF));
}

}  // namespace

QByteArray odfPackage(const QByteArray& mimeType, const std::vector<std::pair<QString, QByteArray>>& members)
{
    std::vector<std::pair<QString, QByteArray>> all{{QStringLiteral("mimetype"), mimeType}};
    all.insert(all.end(), members.begin(), members.end());
    QByteArray archive, directory;
    constexpr unsigned kDosDate = (46u << 9) | (1u << 5) | 1u;  // 2026-01-01, 00:00
    for (const auto& [name, bytes] : all) {
        const QByteArray file = name.toUtf8();
        const unsigned long crc =
            crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.constData()), static_cast<uInt>(bytes.size()));
        const unsigned long offset = static_cast<unsigned long>(archive.size());
        const auto header = [&](QByteArray& out, bool central) {
            put32(out, central ? 0x02014b50 : 0x04034b50);
            if (central)
                put16(out, 20);  // made by
            put16(out, 20);      // needed to extract
            put16(out, 0x0800);  // names in UTF-8
            put16(out, 0);       // stored
            put16(out, 0);       // time
            put16(out, kDosDate);
            put32(out, crc);
            put32(out, static_cast<unsigned long>(bytes.size()));
            put32(out, static_cast<unsigned long>(bytes.size()));
            put16(out, static_cast<unsigned>(file.size()));
            put16(out, 0);  // extra
            if (central) {
                put16(out, 0);  // comment
                put16(out, 0);  // disk
                put16(out, 0);  // internal attributes
                put32(out, 0);  // external attributes
                put32(out, offset);
            }
            out.append(file);
        };
        header(archive, false);
        archive.append(bytes);
        header(directory, true);
    }
    const unsigned long start = static_cast<unsigned long>(archive.size());
    archive.append(directory);
    put32(archive, 0x06054b50);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, static_cast<unsigned>(all.size()));
    put16(archive, static_cast<unsigned>(all.size()));
    put32(archive, static_cast<unsigned long>(directory.size()));
    put32(archive, start);
    put16(archive, 0);
    return archive;
}

}  // namespace inlet
