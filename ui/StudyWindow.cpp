#include "ui/StudyWindow.h"

#include "document/DesignFile.h"
#include "messages/Failure.h"
#include "platform/NumberFormat.h"
#include "study/VariedInput.h"
#include "ui/StudyChartView.h"
#include "ui/StudyTableModel.h"

#include "ui_StudyWindow.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QSortFilterProxyModel>

#include <algorithm>
#include <utility>

namespace inlet {

namespace {

QString failureText(const Failure& failure)
{
    return QString::fromStdString(render(failure, Language::Chinese));
}

// What the window calls each depth and objective inlet-calc offers; one it does not know by
// its own name.
QString depthName(const QString& depth)
{
    if (depth == QLatin1String("checks"))
        return QStringLiteral("校核（即时）");
    if (depth == QLatin1String("solid"))
        return QStringLiteral("实体（体积、湿周面积）");
    if (depth == QLatin1String("flow"))
        return QStringLiteral("流动（CFD）");
    return depth;
}

QString objectiveName(const QString& objective)
{
    static const std::map<QString, QString> names{
        {QStringLiteral("min-B"), QStringLiteral("B 最小")},
        {QStringLiteral("min-volume"), QStringLiteral("体积最小")},
        {QStringLiteral("min-loss"), QStringLiteral("损失最小")},
        {QStringLiteral("max-vu"), QStringLiteral("Vu 最大")},
        {QStringLiteral("max-theta"), QStringLiteral("θ̄ 最大")},
    };
    const auto it = names.find(objective);
    return it == names.end() ? objective : it->second;
}

// A number as the engineer types it (the user's locale), or in the C form.
std::optional<double> typedNumber(const QString& text)
{
    bool ok = false;
    double value = QLocale::system().toDouble(text.trimmed(), &ok);
    if (!ok)
        value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

bool isVariedName(const std::string& column)
{
    const auto& names = variedNames();
    return std::find(names.begin(), names.end(), column) != names.end();
}

// Fills `combo` with the columns `which`, keeping the one chosen where it is still there, else
// the first of `preferred` that is there.
void fillColumns(QComboBox& combo, const StudyTable& table, const std::vector<std::size_t>& which,
                 const QStringList& preferred)
{
    const QString chosen = combo.currentData().toString();
    const QSignalBlocker quiet(&combo);
    combo.clear();
    for (const std::size_t c : which)
        combo.addItem(StudyTableModel::title(table.columns()[c]), QString::fromStdString(table.columns()[c]));
    int index = combo.findData(chosen);
    for (const QString& name : preferred)
        if (index < 0)
            index = combo.findData(name);
    combo.setCurrentIndex(index < 0 ? 0 : index);
}

}  // namespace

StudyWindow::StudyWindow(StudyHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::StudyWindow>()), host_(std::move(host))
{
    ui_->setupUi(this);
    QComboBox* const names[] = {ui_->name1, ui_->name2, ui_->name3};
    for (int row = 0; row < 3; ++row) {
        QComboBox* name = names[row];
        name->addItem(QStringLiteral("（无）"), QString());
        for (const std::string_view varied : variedNames()) {
            const QString key = QString::fromUtf8(varied.data(), qsizetype(varied.size()));
            name->addItem(key == QLatin1String("widths") ? QStringLiteral("断面宽度") : key, key);
        }
        connect(name, &QComboBox::currentIndexChanged, this, [this, row] { suggestRange(row); });
        suggestRange(row);
    }
    const auto sampling = [this] {
        const bool sampled = ui_->sampled->isChecked();
        ui_->samples->setEnabled(sampled);
        ui_->seed->setEnabled(sampled);
        QComboBox* const chosen[] = {ui_->name1, ui_->name2, ui_->name3};
        QSpinBox* const counts[] = {ui_->count1, ui_->count2, ui_->count3};
        for (int row = 0; row < 3; ++row) {
            const QString name = chosen[row]->currentData().toString();
            counts[row]->setEnabled(!sampled && !name.isEmpty() && name != QLatin1String("widths"));
        }
    };
    connect(ui_->sampled, &QCheckBox::toggled, this, sampling);
    sampling();

    // What this inlet-calc offers, from its own --help.
    QString why;
    program_ = StudyProgram::path(&why);
    if (program_.isEmpty()) {
        showMessage(why);
        ui_->start->setEnabled(false);
        ui_->optimise->setEnabled(false);
    } else {
        QProcess help;
        help.start(program_, {QStringLiteral("--help")});
        if (help.waitForFinished(10000))
            offers_ = StudyProgram::offersIn(QString::fromUtf8(help.readAllStandardOutput()));
        if (offers_.depths.isEmpty())
            offers_.depths << QStringLiteral("checks");
    }
    for (const QString& depth : offers_.depths)
        ui_->depth->addItem(depthName(depth), depth);
    // The flow's mesh, for the flow's depth only.
    for (const auto& [level, name] : {std::pair{"tiny", "极粗（tiny）"}, std::pair{"coarse", "粗（coarse）"},
                                      std::pair{"medium", "中（medium）"}, std::pair{"fine", "细（fine）"}})
        ui_->mesh->addItem(QString::fromUtf8(name), QString::fromLatin1(level));
    ui_->mesh->setCurrentIndex(1);
    ui_->mesh->setVisible(offers_.depths.contains(QStringLiteral("flow")));
    ui_->meshLabel->setVisible(ui_->mesh->isVisibleTo(this));
    connect(ui_->depth, &QComboBox::currentIndexChanged, this, [this] { setRunning(isRunning()); });
    ui_->place->addItem(QStringLiteral("本机"), QStringLiteral("--local"));
    if (offers_.slurm)
        ui_->place->addItem(QStringLiteral("Slurm 集群"), QStringLiteral("--slurm"));
    ui_->place->setEnabled(offers_.slurm);
    for (const QString& objective : offers_.objectives)
        ui_->objective->addItem(objectiveName(objective), objective);
    if (offers_.objectives.isEmpty())
        ui_->optimise->setEnabled(false);

    const QString design = host_.designPath ? host_.designPath() : QString();
    ui_->folder->setText(QDir::toNativeSeparators(
        design.isEmpty() ? QDir::home().filePath(QStringLiteral("方案比选"))
                         : QFileInfo(design).dir().filePath(QFileInfo(design).completeBaseName() + QStringLiteral("-方案比选"))));
    connect(ui_->browse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("方案比选的文件夹"), studyFolder());
        if (!folder.isEmpty())
            ui_->folder->setText(QDir::toNativeSeparators(folder));
    });

    // The table and the charts side by side, the table a little wider.
    ui_->viewsSplitter->setStretchFactor(0, 6);
    ui_->viewsSplitter->setStretchFactor(1, 5);
    model_ = new StudyTableModel(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(StudyTableModel::kSortRole);
    proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy_->setFilterKeyColumn(-1);
    ui_->table->setModel(proxy_);
    ui_->table->setSortingEnabled(true);
    ui_->table->sortByColumn(-1, Qt::AscendingOrder);  // the study's order until a title is clicked
    ui_->filterColumn->addItem(QStringLiteral("全部列"), -1);
    connect(ui_->filter, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);
    connect(ui_->filterColumn, &QComboBox::currentIndexChanged, this,
            [this] { proxy_->setFilterKeyColumn(ui_->filterColumn->currentData().toInt()); });
    connect(ui_->table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { ui_->openVariant->setEnabled(!ui_->table->selectionModel()->selectedRows().isEmpty()); });
    connect(ui_->table, &QTableView::doubleClicked, this, &StudyWindow::openVariant);
    connect(ui_->openVariant, &QPushButton::clicked, this, &StudyWindow::openVariant);
    for (QComboBox* axis : {ui_->chartFigure, ui_->chartInput, ui_->paretoX, ui_->paretoY})
        axis->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (QComboBox* axis : {ui_->chartFigure, ui_->chartInput})
        connect(axis, &QComboBox::currentIndexChanged, this, &StudyWindow::showCharts);
    for (QComboBox* axis : {ui_->paretoX, ui_->paretoY})
        connect(axis, &QComboBox::currentIndexChanged, this, &StudyWindow::showPareto);
    for (QCheckBox* larger : {ui_->paretoXLarger, ui_->paretoYLarger})
        connect(larger, &QCheckBox::toggled, this, &StudyWindow::showPareto);
    ui_->chart->showNothing(QStringLiteral("开始方案比选后，这里画出所选的量随变化参数的变化"));
    ui_->pareto->showNothing(QStringLiteral("开始方案比选后，这里画出两个量的帕累托前沿"));

    connect(ui_->start, &QPushButton::clicked, this, &StudyWindow::start);
    connect(ui_->optimise, &QPushButton::clicked, this, &StudyWindow::optimise);
    connect(ui_->cancel, &QPushButton::clicked, this, &StudyWindow::cancel);
    connect(ui_->openBest, &QPushButton::clicked, this, &StudyWindow::openBest);
    process_.setProcessEnvironment(StudyProgram::environment());
    connect(&process_, &QProcess::finished, this, &StudyWindow::finished);
    connect(&process_, &QProcess::readyReadStandardError, this, &StudyWindow::readErrors);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        setRunning(false);
        showMessage(QStringLiteral("无法启动 inlet-calc（%1）：%2")
                        .arg(QDir::toNativeSeparators(program_), process_.errorString()));
        emit studyEnded();
    });
    tick_.setInterval(500);
    connect(&tick_, &QTimer::timeout, this, [this] {
        ui_->status->setText(QStringLiteral("计算中… %1 s").arg(clock_.elapsed() / 1000));
    });
    setRunning(false);
}

StudyWindow::~StudyWindow()
{
    disconnect(&process_, nullptr, this, nullptr);
    if (isRunning()) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool StudyWindow::flowDepth() const
{
    return ui_->depth->currentData().toString() == QLatin1String("flow");
}

QString StudyWindow::studyFolder() const
{
    return QDir::fromNativeSeparators(ui_->folder->text().trimmed());
}

void StudyWindow::suggestRange(int row)
{
    QLineEdit* const froms[] = {ui_->from1, ui_->from2, ui_->from3};
    QLineEdit* const tos[] = {ui_->to1, ui_->to2, ui_->to3};
    QSpinBox* const counts[] = {ui_->count1, ui_->count2, ui_->count3};
    const QString name = (row == 0 ? ui_->name1 : row == 1 ? ui_->name2 : ui_->name3)->currentData().toString();
    const bool range = !name.isEmpty() && name != QLatin1String("widths");
    froms[row]->setEnabled(range);
    tos[row]->setEnabled(range);
    counts[row]->setEnabled(range && !ui_->sampled->isChecked());
    if (!range || !host_.design)
        return;
    // The design's own value, 10 % either side, as a start the engineer changes.
    const Design design = host_.design();
    for (const auto& [box, text] : design.texts) {
        if (QString::fromUtf8(boxInfo(box).symbol.data(), qsizetype(boxInfo(box).symbol.size())) != name)
            continue;
        if (const std::optional<double> value = typedNumber(text)) {
            froms[row]->setText(QLocale::system().toString(*value * 0.9, 'g', 4));
            tos[row]->setText(QLocale::system().toString(*value * 1.1, 'g', 4));
        }
    }
}

QStringList StudyWindow::studyArguments()
{
    QComboBox* const names[] = {ui_->name1, ui_->name2, ui_->name3};
    QLineEdit* const froms[] = {ui_->from1, ui_->from2, ui_->from3};
    QLineEdit* const tos[] = {ui_->to1, ui_->to2, ui_->to3};
    QSpinBox* const counts[] = {ui_->count1, ui_->count2, ui_->count3};
    QStringList arguments;
    for (int row = 0; row < 3; ++row) {
        const QString name = names[row]->currentData().toString();
        if (name.isEmpty())
            continue;
        if (name == QLatin1String("widths")) {
            arguments << QStringLiteral("--vary") << name;
            continue;
        }
        const std::optional<double> from = typedNumber(froms[row]->text());
        const std::optional<double> to = typedNumber(tos[row]->text());
        if (!from || !to) {
            showMessage(QStringLiteral("%1 的范围“%2”至“%3”不是数").arg(name, froms[row]->text(), tos[row]->text()));
            return {};
        }
        arguments << QStringLiteral("--vary")
                  << QStringLiteral("%1=%2:%3:%4")
                         .arg(name, QString::number(*from, 'g', 15), QString::number(*to, 'g', 15))
                         .arg(counts[row]->value());
    }
    if (arguments.isEmpty()) {
        showMessage(QStringLiteral("请至少选一个变化的参数"));
        return {};
    }
    if (ui_->sampled->isChecked())
        arguments << QStringLiteral("--samples") << QString::number(ui_->samples->value()) << QStringLiteral("--seed")
                  << QString::number(ui_->seed->value());
    if (studyFolder().isEmpty()) {
        showMessage(QStringLiteral("请给出方案比选的文件夹"));
        return {};
    }
    arguments << QStringLiteral("--study") << QDir::toNativeSeparators(studyFolder()) << QStringLiteral("--evaluate")
              << ui_->depth->currentData().toString();
    if (flowDepth())
        arguments << QStringLiteral("--mesh") << ui_->mesh->currentData().toString();
    if (offers_.slurm)
        arguments << ui_->place->currentData().toString();
    if (ui_->replace->isChecked())
        arguments << QStringLiteral("--force");
    if (offers_.progress)
        arguments << QStringLiteral("--progress");
    return arguments;
}

bool StudyWindow::start()
{
    optimising_ = false;
    return run({});
}

bool StudyWindow::optimise()
{
    QStringList extra{QStringLiteral("--optimise"), ui_->objective->currentData().toString()};
    for (const QString& requirement : ui_->require->text().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!requirement.trimmed().isEmpty())
            extra << QStringLiteral("--require") << requirement.trimmed();
    }
    optimising_ = true;
    return run(extra);
}

bool StudyWindow::run(const QStringList& extra)
{
    if (isRunning() || program_.isEmpty())
        return false;
    ui_->messages->clear();
    ui_->messages->hide();
    const QStringList arguments = studyArguments();
    if (arguments.isEmpty())
        return false;
    // The main window's design as its boxes hold it now, saved aside for inlet-calc --open.
    const QString design = scratch_.filePath(QStringLiteral("design.inlet"));
    try {
        if (!scratch_.isValid())
            throw Failure{.kind = Failure::Kind::CannotWrite, .file = scratch_.path().toStdString(), .detail = scratch_.errorString().toStdString()};
        writeDesignFile(design, host_.design());
    } catch (const Failure& f) {
        showMessage(failureText(f));
        return false;
    }
    // The table is the one this run writes, or none: never a table of an earlier run shown as
    // this one's.
    model_->setTable({});
    ui_->best->clear();
    ui_->openBest->setEnabled(false);
    cancelled_ = false;
    errors_.clear();
    partLine_.clear();
    clock_.start();
    process_.setWorkingDirectory(scratch_.path());
    process_.start(program_, QStringList{QStringLiteral("--open"), design} + arguments + extra);
    setRunning(true);
    return true;
}

void StudyWindow::cancel()
{
    if (!isRunning())
        return;
    cancelled_ = true;
    process_.kill();
}

void StudyWindow::setRunning(bool running)
{
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->inputsBox, ui_->start, ui_->optimise, ui_->depth, ui_->folder,
                                                      ui_->browse, ui_->replace})
        w->setEnabled(!running && !program_.isEmpty());
    ui_->place->setEnabled(!running && offers_.slurm);
    ui_->mesh->setEnabled(!running && flowDepth());
    ui_->optimise->setEnabled(!running && !program_.isEmpty() && !offers_.objectives.isEmpty());
    ui_->cancel->setEnabled(running);
        // Busy until inlet-calc names its count (--progress).
    ui_->progress->setRange(0, running ? 0 : 1);
    ui_->progress->setValue(0);
    if (running) {
        ui_->status->setText(QStringLiteral("计算中…"));
        tick_.start();
    } else {
        tick_.stop();
    }
}

void StudyWindow::showMessage(const QString& text)
{
    ui_->messages->setPlainText(text);
    ui_->messages->setVisible(!text.isEmpty());
}

void StudyWindow::finished(int status, QProcess::ExitStatus how)
{
    setRunning(false);
    readErrors();
    errors_ += partLine_;
    const QString errors = QString::fromUtf8(errors_).trimmed();
    const QString output = QString::fromUtf8(process_.readAllStandardOutput());
    const double seconds = clock_.elapsed() / 1000.0;
    const bool done = how == QProcess::NormalExit && status == 0;
    if (cancelled_) {
        showMessage(QStringLiteral("已取消。再次开始同一项方案比选时，只计算尚未算完的方案。"));
        ui_->status->setText(QStringLiteral("已取消"));
    } else if (!done) {
        showMessage(QStringLiteral("inlet-calc 未能完成（%1）：\n%2")
                        .arg(how == QProcess::CrashExit ? QStringLiteral("异常终止") : QStringLiteral("退出状态 %1").arg(status),
                             errors.isEmpty() ? QStringLiteral("（没有说明）") : errors));
    } else if (!errors.isEmpty()) {
        showMessage(errors);
    }
    // The table, where this run wrote one (a study whose optimiser found nothing still has it).
    const QString csv = QDir(studyFolder()).filePath(QStringLiteral("study.csv"));
    const QFileInfo written(csv);
    const bool fresh = written.exists() && written.lastModified().msecsTo(QDateTime::currentDateTime()) <= clock_.elapsed() + 1000;
    if (!cancelled_ && fresh)
        loadTable();
    if (done)
        ui_->progress->setValue(1);
    else if (done)
        showMessage(QStringLiteral("inlet-calc 已结束，但没有写出 %1").arg(QDir::toNativeSeparators(csv)));
    if (!cancelled_) {
        const StudyTable& table = model_->table();
        std::size_t failed = 0;
        for (std::size_t row = 0; row < table.rowCount(); ++row)
            failed += table.failure(row).empty() ? 0 : 1;
        ui_->status->setText(QStringLiteral("%1 个方案，%2 个失败；用时 %3 s")
                                 .arg(table.rowCount())
                                 .arg(failed)
                                 .arg(QLocale::system().toString(seconds, 'f', 1)));
    }
    if (optimising_ && done) {
        QStringList best;
        for (const QString& line : output.split(QLatin1Char('\n'))) {
            const QStringList fields = line.split(QLatin1Char('\t'));
            if (fields.size() == 3 && fields[0] == QLatin1String("best") && fields[1] != QLatin1String("checks"))
                best << QStringLiteral("%1 = %2").arg(fields[1], fields[2]);
        }
        ui_->best->setText(QStringLiteral("最优方案：") + best.join(QStringLiteral("，")));
        ui_->openBest->setEnabled(QFileInfo::exists(QDir(studyFolder()).filePath(QStringLiteral("best.inlet"))));
    }
    emit studyEnded();
}

void StudyWindow::readErrors()
{
    partLine_ += process_.readAllStandardError();
    for (qsizetype end; (end = partLine_.indexOf('\n')) >= 0;) {
        const QByteArray line = partLine_.left(end + 1);
        partLine_.remove(0, end + 1);
        const QList<QByteArray> fields = line.trimmed().split('\t');
        bool doneRead = false, totalRead = false;
        const int done = fields.size() == 3 ? fields[1].toInt(&doneRead) : 0;
        const int total = fields.size() == 3 ? fields[2].toInt(&totalRead) : 0;
        if (fields.size() == 3 && fields[0] == "progress" && doneRead && totalRead && total > 0) {
            ui_->progress->setRange(0, total);
            ui_->progress->setValue(done);
        } else {
            errors_ += line;
        }
    }
}

void StudyWindow::loadTable()
{
    const QString path = QDir(studyFolder()).filePath(QStringLiteral("study.csv"));
    QFile file(path);
    try {
        if (!file.open(QIODevice::ReadOnly))
            throw Failure{.kind = Failure::Kind::CannotOpen, .file = QDir::toNativeSeparators(path).toStdString(),
                          .detail = file.errorString().toStdString()};
        const QByteArray bytes = file.readAll();
        model_->setTable(readStudyTable(std::string_view(bytes.constData(), std::size_t(bytes.size())), systemNumberLocale(),
                                        QDir::toNativeSeparators(path).toStdString()));
    } catch (const Failure& f) {
        showMessage(failureText(f));
        return;
    }
    const StudyTable& table = model_->table();
    ui_->table->resizeColumnsToContents();
    {
        const QSignalBlocker quiet(ui_->filterColumn);
        const int chosen = ui_->filterColumn->currentData().toInt();
        ui_->filterColumn->clear();
        ui_->filterColumn->addItem(QStringLiteral("全部列"), -1);
        for (std::size_t c = 0; c < table.columns().size(); ++c)
            ui_->filterColumn->addItem(StudyTableModel::title(table.columns()[c]), int(c));
        ui_->filterColumn->setCurrentIndex(std::max(0, ui_->filterColumn->findData(chosen)));
        proxy_->setFilterKeyColumn(ui_->filterColumn->currentData().toInt());
    }
    std::vector<std::size_t> inputs, figures;
    for (std::size_t c = 0; c < table.columns().size(); ++c) {
        const std::string& name = table.columns()[c];
        if (!table.numeric(c) || name == "variant")
            continue;
        (isVariedName(name) ? inputs : figures).push_back(c);
    }
    fillColumns(*ui_->chartInput, table, inputs, {});
    fillColumns(*ui_->chartFigure, table, figures, {QStringLiteral("B")});
    fillColumns(*ui_->paretoX, table, figures, {QStringLiteral("B")});
    fillColumns(*ui_->paretoY, table, figures, {QStringLiteral("loss"), QStringLiteral("volume"), QStringLiteral("v_max")});
    showCharts();
    showPareto();
}

void StudyWindow::showCharts()
{
    const StudyTable& table = model_->table();
    const std::optional<std::size_t> figure = table.column(ui_->chartFigure->currentData().toString().toStdString());
    const std::optional<std::size_t> input = table.column(ui_->chartInput->currentData().toString().toStdString());
    if (figure && input)
        ui_->chart->showAgainst(table, *figure, *input);
    else
        ui_->chart->showNothing(QStringLiteral("没有可画的量"));
}

void StudyWindow::showPareto()
{
    const StudyTable& table = model_->table();
    const std::optional<std::size_t> x = table.column(ui_->paretoX->currentData().toString().toStdString());
    const std::optional<std::size_t> y = table.column(ui_->paretoY->currentData().toString().toStdString());
    if (x && y && *x != *y)
        ui_->pareto->showPareto(table, *x, *y, ui_->paretoXLarger->isChecked(), ui_->paretoYLarger->isChecked());
    else
        ui_->pareto->showNothing(QStringLiteral("请选两个不同的量"));
}

void StudyWindow::openVariant()
{
    const QModelIndexList rows = ui_->table->selectionModel()->selectedRows();
    const std::optional<std::size_t> variant = model_->table().column("variant");
    if (rows.isEmpty() || !variant || !host_.openDesign)
        return;
    const std::size_t row = std::size_t(proxy_->mapToSource(rows.front()).row());
    const QString name = QString::fromStdString(model_->table().text(row, *variant));
    host_.openDesign(QDir(studyFolder()).filePath(QStringLiteral("variants/") + name));
}

void StudyWindow::openBest()
{
    if (host_.openDesign)
        host_.openDesign(QDir(studyFolder()).filePath(QStringLiteral("best.inlet")));
}

void StudyWindow::closeEvent(QCloseEvent* event)
{
    cancel();
    if (isRunning())
        process_.waitForFinished(5000);
    event->accept();
}

}  // namespace inlet
