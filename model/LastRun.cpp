#include "model/LastRun.h"

#include "platform/NumberFormat.h"

namespace inlet {

LastRun::LastRun(QObject* parent) : QObject(parent) {}

void LastRun::recordCompleted(const Calculation& run, const BoxAccess& boxes, const std::vector<Box>& written)
{
    RunRecord record = recordRun(boxes, written, run, {}, widthSet_, systemNumberLocale());
    record.run = ++runs_;
    record_ = std::make_shared<const RunRecord>(std::move(record));
    setOutdated(false);
    emit changed();
}

void LastRun::recordFailed(const Failure& failure, const BoxAccess& boxes, const std::vector<Box>& written)
{
    RunRecord record = recordRun(boxes, written, std::nullopt, failure, widthSet_, systemNumberLocale());
    record.run = ++runs_;
    record_ = std::make_shared<const RunRecord>(std::move(record));
    setOutdated(false);
    emit changed();
}

void LastRun::clear()
{
    record_.reset();
    setOutdated(false);
    emit changed();
}

void LastRun::setOutdated(bool outdated)
{
    if (outdated == outdated_)
        return;
    outdated_ = outdated;
    emit outdatedChanged(outdated);
}

void LastRun::setWidthSet(WidthSet set)
{
    if (set == widthSet_)
        return;
    widthSet_ = set;
    if (record_) {
        RunRecord redrawn = *record_;
        chooseWidthSet(redrawn, set);
        record_ = std::make_shared<const RunRecord>(std::move(redrawn));
    }
    emit widthSetChanged(set);
    emit changed();
}

void LastRun::setFlow(const QJsonObject& flow)
{
    if (flow == flow_)
        return;
    flow_ = flow;
    emit flowChanged();
}

}  // namespace inlet
