#include "flow/FlowRunner.h"

#include "openfoam/Pipeline.h"

#include <QThread>

namespace inlet {

FlowRunner::FlowRunner(QObject* parent) : QObject(parent) {}

FlowRunner::~FlowRunner()
{
    cancel();
    if (thread_)
        thread_->wait();
}

bool FlowRunner::start(const Calculation& calculation, const Design& design, const FlowOptions& options)
{
    if (thread_)
        return false;
    cancelled_ = false;
    thread_ = QThread::create([this, calculation, design, options] {
        const auto report = [this](FlowProgress progress) {
            QMetaObject::invokeMethod(this, [this, progress] { emit progressed(progress); }, Qt::QueuedConnection);
        };
        cfd::FlowResult result;
        try {
            report({FlowStage::Case, {}, {}});
            const cfd::FlowCase flowCase = writeDesignCase(calculation, design, options);
            cfd::RunControl control;
            control.cancelled = [this] { return cancelled_.load(); };
            control.progress = [&](const cfd::Progress& p) {
                FlowProgress progress{p.stage, {}, {}};
                if (p.iteration)
                    progress.iteration = *p.iteration;
                if (p.figures)
                    progress.figures = *p.figures;
                report(progress);
            };
            result = cfd::runCase(flowCase, options.dir, control);
            result.level = levelText(options);
        } catch (Failure& f) {
            result.status = cfd::RunStatus::Failed;
            if (f.stage == FlowStage::None)
                f.stage = FlowStage::Case;
            result.failure = f;
        } catch (const std::exception& e) {
            result.status = cfd::RunStatus::Failed;
            result.failure = Failure{.kind = Failure::Kind::FlowUnexpected, .detail = e.what(), .stage = FlowStage::Case};
        }
        const QJsonObject record = result.status == cfd::RunStatus::Settled ? flowRecord(result, options, design) : QJsonObject();
        QMetaObject::invokeMethod(
            this,
            [this, result, record] {
                thread_->wait();
                thread_->deleteLater();
                thread_ = nullptr;
                emit finished(result, record);
            },
            Qt::QueuedConnection);
    });
    thread_->start();
    return true;
}

void FlowRunner::cancel()
{
    cancelled_ = true;
}

}  // namespace inlet
