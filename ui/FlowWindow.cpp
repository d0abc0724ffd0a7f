#include "ui/FlowWindow.h"

#include "openfoam/CaseFolder.h"
#include "openfoam/FlowResult.h"
#include "document/FlowTrust.h"
#include "model/LastRun.h"
#include "ui/MeshTimes.h"
#include "ui/UnsettledFigures.h"
#include "openfoam/Pictures.h"
#include "openfoam/Pipeline.h"
#include "openfoam/ProcessCount.h"
#include "sheet/SheetFlow.h"
#include "openfoam/VtkSurface.h"
#include "openfoam/ZoneSection.h"
#include "ui_FlowWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QJsonArray>
#include <QScrollBar>
#include <QTableWidget>
#include <QThread>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace inlet {

namespace fs = std::filesystem;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }

// A share 0 to 1 as percent; a record kept before the backflow was has none: the cell stays
// empty rather than show a backflow of 0.
QString shareCell(const QJsonValue& share) { return share.isDouble() ? fixed(100 * share.toDouble(), 1) : QString(); }

// The height that shows the header and every row of `table` (a run settled on its means has
// twice the rows), and its scroll bar's where the columns are wider than the window.
int heightOfAllRows(const QTableWidget& table)
{
    int height = table.horizontalHeader()->sizeHint().height() + 2 * table.frameWidth()
                 + table.horizontalScrollBar()->sizeHint().height();
    for (int r = 0; r < table.rowCount(); ++r)
        height += table.rowHeight(r);
    return height;
}

QString residualsText(const std::map<std::string, double>& residuals)
{
    QStringList parts;
    for (const auto& [name, value] : residuals)
        parts << qs(name) + QLatin1Char(' ') + QString::number(value, 'e', 1);
    return parts.join(QStringLiteral("，"));
}

std::map<Box, QString> textsOf(const RunRecord& record)
{
    std::map<Box, QString> texts;
    for (const Box box : givenParameterBoxes())
        texts[box] = qs(record.boxes.text(box));
    return texts;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

FlowWindow::FlowWindow(LastRun& lastRun, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::FlowWindow>()), lastRun_(lastRun)
{
    ui_->setupUi(this);
    for (const cfd::MeshLevel level : {cfd::MeshLevel::Coarse, cfd::MeshLevel::Medium, cfd::MeshLevel::Fine, cfd::MeshLevel::Tiny})
        ui_->mesh->addItem(MeshTimes::caption(level), static_cast<int>(level));
    boundProcesses();
    ui_->processes->setValue(std::min(2, std::max(1, QThread::idealThreadCount())));
    ui_->figures->setColumnCount(7);
    // Each unit under its figure's name: the columns, as narrow as their figures, fit the
    // window's width.
    ui_->figures->setHorizontalHeaderLabels({QStringLiteral("Vu\n(%)"), QStringLiteral("θ̄\n(°)"), QStringLiteral("θ̄ 仅旋流\n(°)"),
                                             QStringLiteral("水头损失\n(m)"), QStringLiteral("流量\n(m³/s)"),
                                             QStringLiteral("回流占面积\n(%)"), QStringLiteral("回流占流量\n(%)")});
    // Each column as wide as its figures (a band of the loss is wider than a stretched column).
    ui_->figures->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui_->figures->horizontalHeader()->setStretchLastSection(true);
    showIdleProgress(false);

    connect(ui_->run, &QPushButton::clicked, this, &FlowWindow::run);
    connect(ui_->cancel, &QPushButton::clicked, this, &FlowWindow::cancel);
    connect(ui_->browse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("算例文件夹"), ui_->folder->text());
        if (!folder.isEmpty())
            ui_->folder->setText(QDir::toNativeSeparators(folder));
    });
    connect(ui_->mesh, &QComboBox::currentIndexChanged, this, &FlowWindow::suggestFolder);
    connect(ui_->mesh, &QComboBox::currentIndexChanged, this, &FlowWindow::boundProcesses);
    connect(&lastRun_, &LastRun::changed, this, &FlowWindow::showLastRun);
    connect(&lastRun_, &LastRun::flowChanged, this, &FlowWindow::showLastRun);
    connect(&runner_, &FlowRunner::progressed, this, &FlowWindow::showProgress);
    connect(&runner_, &FlowRunner::finished, this, &FlowWindow::runFinished);
    suggestFolder();
    showLastRun();
}

FlowWindow::~FlowWindow() = default;

void FlowWindow::setDesignPath(const QString& path)
{
    designPath_ = path;
    suggestFolder();
}

QString FlowWindow::suggestedFolder() const
{
    const QString level = QString::fromUtf8(cfd::levelName(static_cast<cfd::MeshLevel>(ui_->mesh->currentData().toInt())));
    if (designPath_.isEmpty())
        return QDir(QDir::homePath()).filePath(QStringLiteral("inlet-cfd-") + level);
    const QFileInfo design(designPath_);
    return design.dir().filePath(design.completeBaseName() + QStringLiteral("-cfd-") + level);
}

void FlowWindow::boundProcesses()
{
    // Only what the cores here and the mesh's cells bear; the mesh made is checked again.
    const auto level = static_cast<cfd::MeshLevel>(ui_->mesh->currentData().toInt());
    ui_->processes->setMaximum(cfd::largestProcessCount(cfd::coresPresent(), cfd::levelCells(level)));
}

void FlowWindow::suggestFolder()
{
    // The engineer's own folder stays; the suggestion follows the design and the mesh.
    if (!ui_->folder->text().isEmpty() && ui_->folder->text() != suggested_)
        return;
    suggested_ = QDir::toNativeSeparators(suggestedFolder());
    ui_->folder->setText(suggested_);
}

FlowOptions FlowWindow::options() const
{
    FlowOptions options;
    options.dir = QDir::fromNativeSeparators(ui_->folder->text().trimmed()).toStdString();
    options.run = true;
    options.processes = ui_->processes->value();
    options.level = static_cast<cfd::MeshLevel>(ui_->mesh->currentData().toInt());
    options.iterations = ui_->iterations->value();
    options.force = ui_->replace->isChecked();
    // 0 shows as the default outlet (2 D0) and as smooth walls.
    if (ui_->outletExtension->value() > 0)
        options.outletExtension = ui_->outletExtension->value();
    options.roughness = ui_->roughness->value();
    return options;
}

void FlowWindow::setOptions(const FlowOptions& options)
{
    ui_->mesh->setCurrentIndex(ui_->mesh->findData(static_cast<int>(options.level)));
    ui_->processes->setValue(options.processes);
    ui_->iterations->setValue(options.iterations);
    ui_->folder->setText(QDir::toNativeSeparators(qs(options.dir)));
    ui_->replace->setChecked(options.force);
    ui_->outletExtension->setValue(options.outletExtension.value_or(0));
    ui_->roughness->setValue(options.roughness);
}

QString FlowWindow::note() const { return ui_->note->text(); }

void FlowWindow::setNote(const QString& note)
{
    ui_->note->setText(note);
    ui_->note->setVisible(!note.isEmpty());
}

QString FlowWindow::runText() const { return ui_->runText->text(); }

QString FlowWindow::trustText() const
{
    return ui_->trustText->text();
}

std::vector<QStringList> FlowWindow::figureRows() const
{
    std::vector<QStringList> rows;
    for (int r = 0; r < ui_->figures->rowCount(); ++r) {
        QStringList row{ui_->figures->verticalHeaderItem(r)->text()};
        for (int c = 0; c < ui_->figures->columnCount(); ++c)
            row << ui_->figures->item(r, c)->text();
        rows.push_back(row);
    }
    return rows;
}

bool FlowWindow::showsContour() const { return ui_->contour->hasPicture(); }

bool FlowWindow::showsResiduals() const { return ui_->residuals->hasPicture(); }

void FlowWindow::showLastRun()
{
    const std::shared_ptr<const RunRecord> record = lastRun_.record();
    ui_->run->setEnabled(record && record->completed() && !runner_.isRunning());
    if (!record) {
        showNothing(QStringLiteral("尚未计算：按“计算并打印”后，在此计算并显示流道的水力评价"));
        return;
    }
    if (!record->completed()) {
        showNothing(QStringLiteral("计算未完成：%1，无水力评价").arg(record->failure ? qs(inlet::render(*record->failure, Language::Chinese)) : QString()));
        return;
    }
    const QJsonObject flow = flowRecordFor(lastRun_.flow(), textsOf(*record), record->widthSet);
    // The design's flow of other inputs is named, as the sheet names it, not passed over.
    const QString notShown = flowNotShownText(lastRun_.flow(), textsOf(*record), record->widthSet);
    if (flow.isEmpty())
        showNothing(!endNote_.isEmpty() && runTexts_ == textsOf(*record) ? endNote_
                    : !notShown.isEmpty()
                        ? notShown
                        : QStringLiteral("本设计尚无水力评价：选择网格后按“计算”（OpenFOAM 在外部进程中计算）"));
    else
        showFlow(flow);
}

void FlowWindow::showNothing(const QString& note)
{
    setNote(note);
    ui_->figures->setRowCount(0);
    ui_->figures->setFixedHeight(heightOfAllRows(*ui_->figures));
    ui_->runText->clear();
    ui_->trustText->clear();
    ui_->contour->showNote(QStringLiteral("无结果"));
    if (!runner_.isRunning())
        ui_->residuals->showNote(QStringLiteral("无结果"));
}

void FlowWindow::showFlow(const QJsonObject& flow)
{
    setNote({});
    const QJsonObject settings = flow.value(QStringLiteral("settings")).toObject();
    const QJsonObject result = flow.value(QStringLiteral("result")).toObject();
    const QJsonArray sections = result.value(QStringLiteral("sections")).toArray();
    // A run settled on its means: under each section, the least and most each figure took over
    // the iterations it is a mean of, read from the record as the sheet reads them (flowBand).
    const bool swung = !flowSwingText(result).isEmpty();
    const int rowsPerSection = swung ? 2 : 1;
    ui_->figures->setRowCount(static_cast<int>(sections.size()) * rowsPerSection);
    const auto setRow = [this](int r, const QString& name, const QStringList& cells) {
        ui_->figures->setVerticalHeaderItem(r, new QTableWidgetItem(name));
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            ui_->figures->setItem(r, c, item);
        }
    };
    for (int i = 0; i < sections.size(); ++i) {
        const QJsonObject s = sections[i].toObject();
        const QString name = s.value(QStringLiteral("name")).toString();
        // A record kept before the swirl's angle was has none: its cell stays empty.
        const QJsonValue swirl = s.value(QStringLiteral("thetaSwirl"));
        setRow(i * rowsPerSection, flowSectionName(name),
               {figureCell(flow, name, QStringLiteral("Vu"), s.value(QStringLiteral("Vu")).toDouble(), 1),
                figureCell(flow, name, QStringLiteral("theta"), s.value(QStringLiteral("theta")).toDouble(), 1),
                swirl.isDouble() ? fixed(swirl.toDouble(), 1) : QString(),
                figureCell(flow, name, QStringLiteral("headLoss"), s.value(QStringLiteral("headLoss")).toDouble(), 4),
                fixed(s.value(QStringLiteral("flow")).toDouble(), 3), shareCell(s.value(QStringLiteral("backflowArea"))),
                shareCell(s.value(QStringLiteral("backflowFlow")))});
        if (!swung)
            continue;
        // As the sheet: a band the record lacks is 未知; theta_s's, kept only lately, stays empty.
        const auto band = [&s](const char* figure, int decimals) {
            const QString b = flowBand(s, QLatin1String(figure), decimals);
            return b.isEmpty() ? QStringLiteral("未知") : b;
        };
        setRow(i * rowsPerSection + 1, QStringLiteral("波动范围"),
               {band("Vu", 1), band("theta", 1), flowBand(s, QStringLiteral("thetaSwirl"), 1), band("headLoss", 4), QString(),
                QString(), QString()});
    }
    // As tall as its rows, never scrolled itself: where the window is too low for them and the
    // texts under them, the figures' area scrolls them together (a run settled on its means has
    // twice the rows).
    ui_->figures->setFixedHeight(heightOfAllRows(*ui_->figures));
    std::map<std::string, double> residuals;
    const QJsonObject r = result.value(QStringLiteral("residuals")).toObject();
    for (auto it = r.begin(); it != r.end(); ++it)
        residuals[it.key().toStdString()] = it.value().toDouble();
    const QJsonObject yPlus = result.value(QStringLiteral("yPlus")).toObject();
    QStringList lines{
        QStringLiteral("网格：%1，%2 个单元，%3 个进程；迭代 %4 次（上限 %5）后停止：")
                .arg(flowLevelName(settings.value(QStringLiteral("mesh")).toString()))
                .arg(result.value(QStringLiteral("cells")).toInt())
                .arg(result.value(QStringLiteral("processes")).toInt())
                .arg(result.value(QStringLiteral("iterations")).toInt())
                .arg(settings.value(QStringLiteral("iterationLimit")).toInt())
            + flowStopCondition(result) + QStringLiteral("；最终残差 ") + residualsText(residuals) + QStringLiteral("。"),
        QStringLiteral("壁面 y+ %1～%2，面积加权平均 %3，%4% 的壁面积在 30～300 之间；进口流量 %5 m³/s（给定 %6 m³/s）。")
            .arg(fixed(yPlus.value(QStringLiteral("min")).toDouble(), 1), fixed(yPlus.value(QStringLiteral("max")).toDouble(), 1),
                 fixed(yPlus.value(QStringLiteral("mean")).toDouble(), 1),
                 fixed(100 * yPlus.value(QStringLiteral("shareWithin30To300")).toDouble(), 0),
                 fixed(result.value(QStringLiteral("flowAtInlet")).toDouble(), 3),
                 fixed(result.value(QStringLiteral("flowGiven")).toDouble(), 3)),
        flowCaseInputsText(flow) + QStringLiteral("。")};
    // The stop condition above and the swing here in the sheet's own words (SheetFlow.h), from
    // the same record, so that the window and the sheet cannot differ.
    if (const QString swing = flowSwingText(result); !swing.isEmpty())
        lines << swing;
    ui_->runText->setText(lines.join(QLatin1Char('\n')));

    QStringList trust;
    for (const auto& [item, text] : trustRows(flow))
        trust << item + QStringLiteral("：") + text;
    ui_->trustText->setText(trust.join(QLatin1Char('\n')));

    // The pictures from the case, while it still holds the run the figures came from.
    const fs::path dir = settings.value(QStringLiteral("case")).toString().toStdString();
    const int iterations = result.value(QStringLiteral("iterations")).toInt();
    bool sameRun = false;
    try {
        const cfd::FlowResult held = cfd::readResult(dir / "results");
        sameRun = held.status == cfd::RunStatus::Settled && held.iterations == iterations
                  && held.cells == result.value(QStringLiteral("cells")).toInt();
    } catch (const Failure&) {
        // No results there any more: no pictures.
    }
    const QString missing = QStringLiteral("算例文件夹 %1 已不是得出这些指标的计算，无图").arg(QDir::toNativeSeparators(qs(dir.string())));
    if (!sameRun) {
        ui_->contour->showNote(missing);
        if (!runner_.isRunning())
            ui_->residuals->showNote(missing);
        return;
    }
    try {
        const auto faces = cfd::writtenSection(dir, iterations, "pump_inlet", {0, 0, 1});
        double vu = 0;
        for (const QJsonValue& s : sections)
            if (s.toObject().value(QStringLiteral("name")).toString() == QLatin1String("pump_inlet"))
                vu = s.toObject().value(QStringLiteral("Vu")).toDouble();
        ui_->contour->showPicture(cfd::sectionPicture(
            faces, {0, 0, 1}, QStringLiteral("水泵进口断面 uₐ/ūₐ（自上方看），Vu %1%").arg(fixed(vu, 1)).toStdString()));
    } catch (const std::exception&) {
        ui_->contour->showNote(missing);
    }
    if (!runner_.isRunning()) {
        cfd::SolverLog log;
        log.feed(readFile(dir / "log.simpleFoam"));
        ui_->residuals->showPicture(cfd::residualPicture(log.iterations(), "迭代次数"));
    }
}

bool FlowWindow::run()
{
    const std::shared_ptr<const RunRecord> record = lastRun_.record();
    if (runner_.isRunning() || !record || !record->completed())
        return false;
    const FlowOptions options = this->options();
    Design design;
    design.texts = textsOf(*record);
    design.widthSet = record->widthSet;
    const auto refuse = [this](const QString& why) {
        ui_->progressText->setText(why);
        return false;
    };
    if (options.dir.empty())
        return refuse(QStringLiteral("请给出算例文件夹"));
    if (const auto missing = cfd::openFoamMissing())
        return refuse(qs(inlet::render(*missing, Language::Chinese)));
    switch (cfd::folderContent(options.dir, folderSignature(design, options))) {
    case cfd::FolderContent::OtherCase:
        if (!options.force)
            return refuse(QStringLiteral("算例文件夹中是另一设计或网格的算例：勾选“替换文件夹中其他设计或网格的算例”，或另选文件夹"));
        break;
    case cfd::FolderContent::NotACase:
        return refuse(QStringLiteral("算例文件夹不空，且不是水力计算的算例：请另选一个空的或新的文件夹"));
    case cfd::FolderContent::File:
        return refuse(QStringLiteral("算例文件夹是一个文件：请另选文件夹"));
    case cfd::FolderContent::Nothing:
    case cfd::FolderContent::SameCase:
        break;
    }
    // Only a run from an empty folder measures what the level costs on this machine.
    fromEmpty_ = cfd::folderContent(options.dir, folderSignature(design, options)) != cfd::FolderContent::SameCase;
    history_.clear();
    endNote_.clear();
    runTexts_ = design.texts;
    ui_->progress->setMaximum(0);  // busy until the solver counts iterations
    ui_->progress->setTextVisible(false);
    ui_->progressText->setText(QStringLiteral("开始计算…"));
    if (!runner_.start(*record->calculation, design, options))
        return false;
    setRunning(true);
    return true;
}

void FlowWindow::cancel()
{
    if (!runner_.isRunning())
        return;
    runner_.cancel();
    ui_->progressText->setText(QStringLiteral("正在停止：求解器写出当前的场后停止，再次“计算”从此处继续…"));
}

void FlowWindow::setRunning(bool running)
{
    const std::shared_ptr<const RunRecord> record = lastRun_.record();
    ui_->run->setEnabled(!running && record && record->completed());
    ui_->cancel->setEnabled(running);
    for (QWidget* setting : std::initializer_list<QWidget*>{ui_->mesh, ui_->processes, ui_->iterations, ui_->folder,
                                                           ui_->browse, ui_->replace})
        setting->setEnabled(!running);
}

void FlowWindow::showIdleProgress(bool full)
{
    // No count while nothing is counted: "0 / 1" before a run read as a run of one step.
    ui_->progress->setRange(0, 1);
    ui_->progress->setValue(full ? 1 : 0);
    ui_->progress->setTextVisible(false);
}

void FlowWindow::showProgress(const FlowProgress& progress)
{
    QString text = qs(flowStageName(progress.stage, Language::Chinese));
    if (progress.iteration) {
        const cfd::Iteration& it = *progress.iteration;
        if (history_.empty() || history_.back().number < it.number)
            history_.push_back(it);
        ui_->progress->setMaximum(ui_->iterations->value());
        ui_->progress->setValue(std::min(it.number, ui_->iterations->value()));
        ui_->progress->setTextVisible(true);
        text += QStringLiteral("：第 %1 次迭代，残差 %2").arg(it.number).arg(residualsText(it.residuals));
        ui_->residuals->showPicture(cfd::residualPicture(history_, "迭代次数"));
    } else {
        ui_->progress->setMaximum(0);
        ui_->progress->setTextVisible(false);
        text += QStringLiteral("…");
    }
    if (progress.figures)
        for (const cfd::SectionResult& s : progress.figures->sections)
            text += QStringLiteral("；%1 Vu %2%，θ̄ %3°，水头损失 %4 m")
                        .arg(flowSectionName(qs(s.name)), fixed(s.figures.uniformity, 1), fixed(s.figures.angle, 1),
                             fixed(s.headLoss, 4));
    if (progress.figures)
        text += QStringLiteral("（尚未稳定，不作结果）");
    ui_->progressText->setText(text);
}

void FlowWindow::runFinished(const cfd::FlowResult& result, const QJsonObject& record)
{
    setRunning(false);
    showIdleProgress(result.status == cfd::RunStatus::Settled);
    switch (result.status) {
    case cfd::RunStatus::Settled:
        if (fromEmpty_) {
            const auto level = static_cast<cfd::MeshLevel>(ui_->mesh->currentData().toInt());
            MeshTimes::measured(level, result.cells, result.seconds);
            ui_->mesh->setItemText(ui_->mesh->currentIndex(), MeshTimes::caption(level));
        }
        ui_->progressText->setText(QStringLiteral("计算完成：迭代 %1 次后各指标已稳定，用时 %2 分钟")
                                       .arg(result.iterations)
                                       .arg(fixed(result.seconds / 60, 1)));
        lastRun_.setFlow(record);
        break;
    case cfd::RunStatus::Cancelled:
        ui_->progressText->setText(QStringLiteral("已取消：再次“计算”从停止处继续"));
        break;
    case cfd::RunStatus::IterationLimit:
        endNote_ = QStringLiteral("达到迭代上限 %1 次时各指标尚未稳定，无结果：提高迭代上限后再次“计算”从此处继续")
                       .arg(result.iterations)
                   + (result.sections.empty() ? QString() : QStringLiteral("\n") + unsettledFiguresText(result));
        ui_->progressText->setText(endNote_);
        lastRun_.setFlow({});
        break;
    case cfd::RunStatus::Failed:
        endNote_ = QStringLiteral("水力计算失败：%1。日志（log.*）在算例文件夹中，无结果")
                       .arg(result.failure ? qs(inlet::render(*result.failure, Language::Chinese)) : QString());
        ui_->progressText->setText(endNote_);
        lastRun_.setFlow({});
        break;
    }
    showLastRun();
    emit runEnded();
}

}  // namespace inlet
