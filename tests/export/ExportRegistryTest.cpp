// The one table of formats: a file's extension finds its format whatever its case, a format
// without a writer is not offered, an extension two kinds share is found within each kind, and
// a drawing is not written from a run that failed.

#include "export/ExportRegistry.h"
#include "messages/Failure.h"

#include <QDir>

#include <gtest/gtest.h>

namespace inlet {
namespace {

ExportWriter writesNothing()
{
    return [](const ExportInput&, const QString&, const ExportChoices&) {};
}

TEST(ExportRegistry, FindsTheFormatOfAFileByItsExtension)
{
    ExportRegistry registry = ExportRegistry::described();
    const ExportRegistry described = ExportRegistry::described();
    for (const ExportFormat& format : described.all())
        registry.setWriter(format.key, writesNothing());
    const struct {
        const char* path;
        std::optional<ExportKind> kind;
        const char* key;  // "" for none
    } rows[] = {
        {"/a/泵站.DXF", std::nullopt, "dxf"},
        {"sheet.pdf", std::nullopt, "pdf"},
        {"sheet.pdf", ExportKind::Sheet, "pdf"},
        {"drawing.svg", ExportKind::Sheet, ""},
        {"drawing.tar.png", ExportKind::Drawing, "png"},
        {"drawing", std::nullopt, ""},
        {"drawing.doc", std::nullopt, ""},
    };
    for (const auto& row : rows) {
        const ExportFormat* format = registry.forPath(QString::fromUtf8(row.path), row.kind);
        EXPECT_EQ(format ? format->key.toStdString() : "", row.key) << row.path;
    }
}

TEST(ExportRegistry, OffersOnlyTheFormatsItCanWrite)
{
    ExportRegistry registry = ExportRegistry::described();
    EXPECT_TRUE(registry.formats().empty());
    EXPECT_EQ(registry.forPath(QStringLiteral("a.dxf")), nullptr);
    registry.setWriter(QStringLiteral("dxf"), writesNothing());
    ASSERT_EQ(registry.formats().size(), 1u);
    EXPECT_EQ(registry.byKey(QStringLiteral("svg")), nullptr);
    EXPECT_EQ(registry.extensionList(), QStringLiteral(".dxf"));
    EXPECT_EQ(registry.fileFilter(ExportKind::Drawing), QStringLiteral("DXF 图形 (*.dxf)"));
}

TEST(ExportRegistry, ADrawingIsNotWrittenFromAFailedRun)
{
    ExportRegistry registry = ExportRegistry::described();
    bool called = false;
    registry.setWriter(QStringLiteral("dxf"), [&called](const ExportInput&, const QString&, const ExportChoices&) {
        called = true;
    });
    RunRecord run;
    run.failure = Failure{.kind = Failure::Kind::DivisionByZero};
    ExportInput failed;
    failed.record = std::make_shared<const RunRecord>(run);
    try {
        writeExport(*registry.byKey(QStringLiteral("dxf")), failed, QStringLiteral("/x/a.dxf"));
        ADD_FAILURE() << "written";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind, Failure::Kind::NothingToDraw);
        EXPECT_EQ(f.file, QDir::toNativeSeparators(QStringLiteral("/x/a.dxf")).toStdString());
    }
    EXPECT_FALSE(called);
}

}  // namespace
}  // namespace inlet
