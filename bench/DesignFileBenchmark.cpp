// How long saving and opening a design file take.

#include "document/DesignFile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace inlet;

namespace {

Design aDesign()
{
    Design design = defaultDesign();
    design.texts[Box::Text21] = QStringLiteral("2000");
    design.info = {QStringLiteral("示例泵站进水流道"), QStringLiteral("初步设计"), QStringLiteral("张三"),
                   QStringLiteral("李四"), QStringLiteral("2026-12-07"), QStringLiteral("")};
    return design;
}

void saveDesign(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.inlet"));
    const Design design = aDesign();
    for (auto _ : state)
        writeDesignFile(path, design);
}
BENCHMARK(saveDesign)->Unit(benchmark::kMicrosecond);

void openDesign(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.inlet"));
    writeDesignFile(path, aDesign());
    for (auto _ : state) {
        Design design = readDesignFile(path);
        benchmark::DoNotOptimize(design.texts.size());
    }
}
BENCHMARK(openDesign)->Unit(benchmark::kMicrosecond);

}  // namespace
