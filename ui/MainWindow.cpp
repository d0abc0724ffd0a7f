#include "ui/MainWindow.h"
#ifdef INLET_HAVE_SOLID
#include "ui/SolidWindow.h"
#endif
#include "InletFeatures.h"
#if INLET_HAS_CHARTS
#include "studymodule/StudyModule.h"
#endif

#include "document/AtomicSave.h"
#include "ui/CloseKeys.h"
#include "ui/Components.h"
#include "ui/DesignChecksWindow.h"
#include "ui/DialogAsker.h"
#include "ui/DrawingWindow.h"
#include "ui/ExportNote.h"
#include "ui/ExportPlace.h"
#include "modules/Features.h"
#include "ui/FlowWindow.h"
#include "InletVersion.h"
#include "ui/ManualWindow.h"
#include "platform/NumberFormat.h"
#include "ui/OutdatedNote.h"
#include "outputmodule/OutputModule.h"
#include "ui/QtTranslation.h"
#include "ui/startup/QuickStartStyle.h"
#include "ui/RecentFiles.h"
#include "sheet/SheetFiles.h"
#include "sheet/SheetFlow.h"
#include "ui/WindowBoxes.h"
#include "ui/WorkProgress.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

namespace inlet {

namespace {

const QString kDesignFilter = QStringLiteral("进水流道设计 (*.inlet)");
const QString kDesignSuffix = QStringLiteral("inlet");

// The platform's bindings of `key` with `wanted` first, so that the menu shows `wanted` and
// it works everywhere (some platforms bind nothing to Save As or Quit).
QList<QKeySequence> shortcuts(QKeySequence::StandardKey key, const QKeySequence& wanted)
{
    QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
    bindings.removeAll(wanted);
    bindings.prepend(wanted);
    return bindings;
}

// `path` with `.suffix` added unless it ends with it already (in any case).
QString withSuffix(const QString& path, const QString& suffix)
{
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0)
        return path;
    return path + QLatin1Char('.') + suffix;
}

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QString chinese(const Failure& failure) { return QString::fromStdString(inlet::render(failure, Language::Chinese)); }

bool sameInfo(const DesignInfo& a, const DesignInfo& b)
{
    return a.project == b.project && a.stage == b.stage && a.designer == b.designer && a.checker == b.checker
           && a.date == b.date && a.notes == b.notes;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), asker_(std::make_unique<DialogAsker>()), lastRun_(new LastRun(this))
{
    QuickStartStyle::install();
    // The menu bar stays in the window, above the form, also on desktops that offer a global
    // one; nor does its creation ask the session bus for one, which slows the start.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    form_ = new CalculationForm(this);
    setCentralWidget(form_);
    setFilePath({});
    createMenus();
    // The menu bar in the form's face, which is loaded anyway.
    menuBar()->setFont(form_->font());
    // The client area below the menu bar is the form's, and stays so: the form's controls
    // stand where they stand, so the window is neither shrunk over them nor enlarged into
    // empty space. A status line after an export adds its own height.
    resize(form_->width(), form_->height() + menuBar()->sizeHint().height());
    form_->setFixedSize(form_->size());
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    setAcceptDrops(true);
    for (QLineEdit* box : form_->findChildren<QLineEdit*>())
        box->installEventFilter(this);
    // Qt's buttons and dialogs in Chinese, loaded once the window is on the screen.
    QtTranslation::installOncePainted(*this);

    connect(form_, &CalculationForm::runCompleted, this, &MainWindow::runCompleted);
    connect(form_, &CalculationForm::runFailed, this, &MainWindow::runFailed);
    connect(form_, &CalculationForm::givenParameterEdited, this, [this] {
        setWindowModified(true);
        markOutdated();
    });
    // The outdated line's 重新计算 in any window.
    connect(lastRun_, &LastRun::runRequested, form_, &CalculationForm::calculate);
    // A flow computed (or taken away) from 水力评价 is a change of the design.
    connect(lastRun_, &LastRun::flowChanged, this, [this] { setWindowModified(true); });
    connect(lastRun_, &LastRun::widthSetChanged, this, [this](WidthSet set) {
        for (QAction* action : widthSets_->actions())
            action->setChecked(action->data().toInt() == static_cast<int>(set));
        setWindowModified(true);
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->addAction(QStringLiteral("新建"), this, &MainWindow::newDesign)
        ->setShortcuts(shortcuts(QKeySequence::New, Qt::CTRL | Qt::Key_N));
    file->addAction(QStringLiteral("打开…"), this, &MainWindow::open)
        ->setShortcuts(shortcuts(QKeySequence::Open, Qt::CTRL | Qt::Key_O));
    file->addAction(QStringLiteral("保存"), this, &MainWindow::save)
        ->setShortcuts(shortcuts(QKeySequence::Save, Qt::CTRL | Qt::Key_S));
    file->addAction(QStringLiteral("另存为…"), this, &MainWindow::saveAs)
        ->setShortcuts(shortcuts(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    // Filled from the settings each time the menu opens, not at the start.
    recentMenu_ = file->addMenu(QStringLiteral("最近打开的设计"));
    connect(file, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    file->addSeparator();
    file->addAction(QStringLiteral("设计信息…"), this, &MainWindow::editDesignInfo);
    QMenu* widths = file->addMenu(QStringLiteral("断面宽度"));
    widthSets_ = new QActionGroup(this);
    for (const WidthSet set : {WidthSet::Computed, WidthSet::AreaTrue}) {
        QAction* action = widths->addAction(qs(widthSetChinese(set)), this, [this, set] { chooseWidthSet(set); });
        action->setCheckable(true);
        action->setChecked(set == lastRun_->widthSet());
        action->setData(static_cast<int>(set));
        widthSets_->addAction(action);
    }
    file->addSeparator();
    file->addAction(QStringLiteral("打印预览…"), this, &MainWindow::previewSheet);
    file->addAction(QStringLiteral("打印…"), this, &MainWindow::printSheet)
        ->setShortcuts(shortcuts(QKeySequence::Print, Qt::CTRL | Qt::Key_P));
    // The formats of the build, as the registry lists them: the sheets, the drawing's in one
    // dialog, then the workbooks.
    const ExportRegistry& formats = outputFormats();
    for (const ExportFormat* format : formats.formats(ExportKind::Sheet)) {
        const QString key = format->key;
        file->addAction(QStringLiteral("导出%1…").arg(format->name), this, [this, key] { exportRun(key); });
    }
    QStringList drawingExtensions;
    for (const ExportFormat* format : formats.formats(ExportKind::Drawing)) {
        if (!drawingExtensions.contains(format->extension.toUpper()))
            drawingExtensions << format->extension.toUpper();
    }
    if (!drawingExtensions.isEmpty()) {
        file->addAction(QStringLiteral("导出图形 %1…").arg(drawingExtensions.join(QLatin1Char('/'))), this,
                        &MainWindow::exportDrawing);
    }
    for (const ExportFormat* format : formats.formats(ExportKind::Workbook)) {
        const QString key = format->key;
        file->addAction(QStringLiteral("导出 %1…").arg(format->name), this, [this, key] { exportRun(key); });
    }
    file->addSeparator();
    file->addAction(QStringLiteral("退出"), this, &QWidget::close)
        ->setShortcuts(shortcuts(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));

    QMenu* view = menuBar()->addMenu(QStringLiteral("查看(&V)"));
    view->addAction(QStringLiteral("型线图…"), this, &MainWindow::showDrawingWindow);
    view->addAction(QStringLiteral("设计校核…"), this, &MainWindow::showDesignChecks);
    if (features::solid())
        view->addAction(QStringLiteral("三维模型…"), this, &MainWindow::showSolidWindow);
    view->addAction(QStringLiteral("水力评价…"), this, &MainWindow::showFlowWindow);

    if (features::charts()) {
        QMenu* design = menuBar()->addMenu(QStringLiteral("设计(&D)"));
        design->addAction(QStringLiteral("方案比选…"), this, &MainWindow::showStudyWindow);
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    help->addAction(QStringLiteral("用户手册"), this, &MainWindow::showManual)
        ->setShortcuts(shortcuts(QKeySequence::HelpContents, Qt::Key_F1));
    help->addAction(QStringLiteral("关于"), this, &MainWindow::showAbout);
}

void MainWindow::fillRecentMenu()
{
    recentMenu_->clear();
    const QStringList paths = RecentFiles::paths();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this, [this, path] { openFile(path); });
    }
    recentMenu_->setEnabled(!paths.isEmpty());
}

void MainWindow::setFailureReporter(FailureReporter reporter) { form_->setFailureReporter(std::move(reporter)); }

void MainWindow::setAsker(std::unique_ptr<Asker> asker) { asker_ = std::move(asker); }

// --- The design as a document ----------------------------------------------------------

void MainWindow::newDesign()
{
    if (!maySetAside())
        return;
    for (const BoxInfo& box : boxTable())
        form_->setText(box.box, qs(box.defaultText));
    info_ = {};
    kept_ = {};
    keptText_ = {};
    lastRun_->clear();
    lastRun_->setWidthSet(WidthSet::Computed);
    lastRun_->setFlow({});
    setFilePath({});
    setWindowModified(false);
}

void MainWindow::open()
{
    if (!maySetAside())
        return;
    const QString folder = folder_.isEmpty() ? QDir::homePath() : folder_;
    const QString path = asker_->fileToOpen(*this, QStringLiteral("打开设计"), folder, kDesignFilter);
    if (!path.isEmpty())
        read(path);
}

bool MainWindow::openFile(const QString& path) { return maySetAside() && read(path); }

bool MainWindow::read(const QString& path)
{
    Design design;
    try {
        design = readDesignFile(path);
    } catch (const Failure& refused) {
        if (!QFileInfo::exists(path))
            RecentFiles::remove(path);
        asker_->warn(*this, QStringLiteral("无法打开设计文件"), chinese(refused));
        return false;
    }
    // The frame's texts as the file has them; the results are the run's to write.
    for (const BoxInfo& box : boxTable()) {
        const auto text = design.texts.find(box.box);
        form_->setText(box.box, text == design.texts.end() ? QString() : text->second);
    }
    info_ = design.info;
    kept_ = design.kept;
    keptText_ = design.keptText;
    lastRun_->clear();
    lastRun_->setWidthSet(design.widthSet);
    lastRun_->setFlow(design.flow);
    setFilePath(QFileInfo(path).absoluteFilePath());
    setWindowModified(false);
    RecentFiles::add(path_);
    form_->calculate();
    return true;
}

bool MainWindow::save() { return path_.isEmpty() ? saveAs() : saveTo(path_); }

bool MainWindow::saveAs()
{
    const QString path = asker_->fileToSave(*this, QStringLiteral("另存为"), suggestedPath(kDesignSuffix),
                                            kDesignFilter, kDesignSuffix);
    return !path.isEmpty() && saveTo(withSuffix(path, kDesignSuffix));
}

Design MainWindow::design() const
{
    Design design;
    design.info = info_;
    design.kept = kept_;
    design.keptText = keptText_;
    design.flow = lastRun_->flow();
    design.study = kept_.value(QStringLiteral("study")).toObject();  // the study it was chosen from, kept
    design.widthSet = lastRun_->widthSet();
    for (const Box box : givenParameterBoxes())
        design.texts[box] = form_->text(box);
    return design;
}

bool MainWindow::saveTo(const QString& path)
{
    try {
        writeDesignFile(path, design());
    } catch (const Failure& failed) {
        asker_->warn(*this, QStringLiteral("无法保存设计文件"), chinese(failed));
        return false;
    }
    setFilePath(QFileInfo(path).absoluteFilePath());
    setWindowModified(false);
    RecentFiles::add(path_);
    return true;
}

void MainWindow::editDesignInfo()
{
    const std::optional<DesignInfo> edited = asker_->designInfo(*this, info_);
    if (!edited || sameInfo(*edited, info_))
        return;
    info_ = *edited;
    setWindowModified(true);
    if (drawingWindow_)
        drawingWindow_->setDesignInfo(info_, QFileInfo(path_).fileName());
}

bool MainWindow::maySetAside()
{
    if (!isWindowModified())
        return true;
    switch (asker_->unsavedChanges(*this, designName())) {
    case Asker::UnsavedAnswer::Save:
        return save();
    case Asker::UnsavedAnswer::Discard:
        return true;
    case Asker::UnsavedAnswer::Cancel:
        break;
    }
    return false;
}

void MainWindow::setFilePath(const QString& path)
{
    path_ = path;
    if (!path.isEmpty())
        folder_ = QFileInfo(path).absolutePath();
    if (drawingWindow_)
        drawingWindow_->setDesignInfo(info_, QFileInfo(path_).fileName());
    if (flowWindow_)
        flowWindow_->setDesignPath(path_);
    // "[*]" shows the unsaved-changes mark.
    const QString title = form_->windowTitle();
    setWindowTitle(path.isEmpty() ? title + QStringLiteral("[*]")
                                  : QStringLiteral("%1[*] - %2").arg(QFileInfo(path).fileName(), title));
}

QString MainWindow::designName() const
{
    return path_.isEmpty() ? QStringLiteral("新设计") : QStringLiteral("设计“%1”").arg(QFileInfo(path_).fileName());
}

QString MainWindow::suggestedPath(const QString& key) const
{
    if (key == kDesignSuffix) {
        const QString folder = folder_.isEmpty() ? QDir::homePath() : folder_;
        const QString design = path_.isEmpty() ? QStringLiteral("进水流道设计") : QFileInfo(path_).completeBaseName();
        return QDir(folder).filePath(design + QLatin1Char('.') + key);
    }
    // A file of the design's name saying what it holds, "示例泵站进水流道-计算书.pdf", in the
    // folder of the last export written.
    const ExportFormat* format = outputFormats().byKey(key);
    const QString extension = format ? format->extension : key;
    QString what = QStringLiteral("型线图");
    if (format && format->kind == ExportKind::Sheet)
        what = QStringLiteral("计算书");
    else if (format && format->kind == ExportKind::Workbook)
        what = QStringLiteral("计算表");
    return ExportPlace::suggested(ExportPlace::folder(folder_), info_, QFileInfo(path_).fileName(), what, extension);
}

void MainWindow::exported(const QString& path)
{
    ExportPlace::written(path);
    ExportNote::show(*this, path);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (maySetAside())
        event->accept();
    else
        event->ignore();
}

// --- Design files dropped on the window --------------------------------------------------

QString MainWindow::designFileIn(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).suffix().compare(kDesignSuffix, Qt::CaseInsensitive) == 0)
            return url.toLocalFile();
    }
    return {};
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!designFileIn(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = designFileIn(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has finished, so that the drag's source is not kept waiting by a
    // question or a message.
    QMetaObject::invokeMethod(this, [this, path] { openFile(path); }, Qt::QueuedConnection);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (designFileIn(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (designFileIn(drop->mimeData()).isEmpty())
            break;
        dropEvent(drop);
        return true;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Runs, and what is made of them ------------------------------------------------------

void MainWindow::runCompleted(const Calculation& run, const BoxAccess& boxes)
{
    lastRun_->recordCompleted(run, boxes, form_->boxes().written());
}

void MainWindow::runFailed(const Failure& failure)
{
    lastRun_->recordFailed(failure, form_->boxes(), form_->boxes().written());
}

void MainWindow::markOutdated()
{
    const std::shared_ptr<const RunRecord> record = lastRun_->record();
    bool differ = false;
    for (const Box box : givenParameterBoxes())
        differ = differ || (record && record->boxes.text(box) != form_->boxes().text(box));
    lastRun_->setOutdated(differ);
}

void MainWindow::chooseWidthSet(WidthSet set) { lastRun_->setWidthSet(set); }

SheetInput MainWindow::sheetAfterRun()
{
    form_->calculate();
    SheetInput input = sheetInputFrom(lastRun_->record(), info_, true);
    input.designFile = path_.isEmpty() ? QString() : QFileInfo(path_).fileName();
    // The design's flow: the sheet shows it where it was computed for the texts in the boxes.
    input.flow = lastRun_->flow();
    input.study = kept_.value(QStringLiteral("study")).toObject();
    return input;
}

void MainWindow::previewSheet()
{
    QtTranslation::install();
    try {
        outputModule().previewSheet(*this, sheetAfterRun());
    } catch (const Failure& failure) {
        asker_->warn(*this, QStringLiteral("无法打印预览"), chinese(failure));
    }
}

void MainWindow::printSheet()
{
    QtTranslation::install();
    try {
        const WorkProgress progress(*this, QStringLiteral("正在打印计算书…"));
        outputModule().printSheet(*this, sheetAfterRun());
    } catch (const Failure& failure) {
        if (failure.kind != Failure::Kind::Cancelled)
            asker_->warn(*this, QStringLiteral("无法打印"), chinese(failure));
    }
}

void MainWindow::exportRun(const QString& key)
{
    const ExportFormat* format = outputFormats().byKey(key);
    if (!format)
        return;
    const SheetInput run = sheetAfterRun();
    const QString suffix = format->extension;
    const QString filter = QStringLiteral("%1 (*.%2)").arg(format->name, suffix);
    QString path = asker_->fileToSave(*this, QStringLiteral("导出%1").arg(format->name), suggestedPath(key), filter, suffix);
    if (path.isEmpty())
        return;
    path = withSuffix(path, suffix);
    try {
        {
            const WorkProgress progress(*this, QStringLiteral("正在导出%1…").arg(format->name));
            writeExport(*format, run, path);
        }
        exported(path);
    } catch (const Failure& failure) {
        if (failure.kind != Failure::Kind::Cancelled)
            asker_->warn(*this, QStringLiteral("无法导出%1").arg(format->name), chinese(failure));
    }
}

ExportInput MainWindow::lastRunInput() const
{
    ExportInput input = exportInputFrom(lastRun_->record(), info_);
    input.designFile = path_.isEmpty() ? QString() : QFileInfo(path_).fileName();
    input.flow = lastRun_->flow();
    input.study = kept_.value(QStringLiteral("study")).toObject();
    return input;
}

void MainWindow::exportDrawing()
{
    // Not the drawing of a design the boxes no longer hold.
    if (lastRun_->outdated())
        form_->calculate();
    if (!lastRun_->record() || !lastRun_->record()->completed()) {
        asker_->warn(*this, QStringLiteral("导出图形"), QStringLiteral("计算未完成，无图形可导出"));
        return;
    }
    const std::optional<Asker::DrawingExportChoice> choice =
        asker_->drawingExport(*this, suggestedPath(QStringLiteral("dxf")), lastRun_->widthSet());
    if (!choice)
        return;
    // The choice in the dialog is the design's: the last run is drawn with it first.
    chooseWidthSet(choice->widthSet);
    const ExportFormat* format = outputFormats().forPath(choice->path, ExportKind::Drawing);
    if (!choice->format.isEmpty())
        format = outputFormats().byKey(choice->format);
    try {
        if (!format)
            throw Failure{.kind = Failure::Kind::UnsupportedFormat, .file = shownPath(choice->path),
                          .item = QFileInfo(choice->path).suffix().toStdString(),
                          .other = outputFormats().extensionList(ExportKind::Drawing).toStdString()};
        {
            const WorkProgress progress(*this, QStringLiteral("正在导出图形…"));
            writeExport(*format, lastRunInput(), choice->path, choice->choices);
        }
        exported(choice->path);
    } catch (const Failure& failure) {
        if (failure.kind != Failure::Kind::Cancelled)
            asker_->warn(*this, QStringLiteral("导出失败"), chinese(failure));
    }
}

// --- The other windows ---------------------------------------------------------------------

void MainWindow::showDrawingWindow()
{
    if (!drawingWindow_) {
        drawingWindow_ = new DrawingWindow(*lastRun_, this);
        drawingWindow_->setDesignInfo(info_, QFileInfo(path_).fileName());
        OutdatedNote::addTo(*drawingWindow_, *lastRun_);
    }
    drawingWindow_->show();
    drawingWindow_->raise();
    drawingWindow_->activateWindow();
}

void MainWindow::showDesignChecks()
{
    if (!checksWindow_) {
        checksWindow_ = new DesignChecksWindow(*lastRun_, this);
        OutdatedNote::addTo(*checksWindow_, *lastRun_);
    }
    checksWindow_->show();
    checksWindow_->raise();
    checksWindow_->activateWindow();
}

void MainWindow::showFlowWindow()
{
    if (!flowWindow_) {
        flowWindow_ = new FlowWindow(*lastRun_, this);
        flowWindow_->setDesignPath(path_);
        CloseKeys::install(*flowWindow_);
        OutdatedNote::addTo(*flowWindow_, *lastRun_);
    }
    flowWindow_->show();
    flowWindow_->raise();
    flowWindow_->activateWindow();
}

void MainWindow::showSolidWindow()
{
#ifdef INLET_HAVE_SOLID
    if (!solidWindow_) {
        solidWindow_ = new SolidWindow(this);
        // Each new run of the last run, and each change of its widths; not a record made anew
        // with the same run and widths.
        using Shown = std::optional<std::pair<unsigned, WidthSet>>;
        const auto show = [this, shown = std::make_shared<std::optional<Shown>>()] {
            const std::shared_ptr<const RunRecord> record = lastRun_->record();
            const Shown now = record ? Shown(std::pair(record->run, record->widthSet)) : std::nullopt;
            if (*shown && now == **shown)
                return;
            *shown = now;
            if (record && record->completed())
                solidWindow_->showRun(*record->calculation, record->boxes, record->widthSet);
            else if (record && record->failure)
                solidWindow_->showFailure(chinese(*record->failure));
            else
                solidWindow_->showNoRun();
        };
        connect(lastRun_, &LastRun::changed, solidWindow_, show);
        show();
        OutdatedNote::addTo(*solidWindow_, *lastRun_);
    }
    solidWindow_->show();
    solidWindow_->raise();
    solidWindow_->activateWindow();
#endif
}

void MainWindow::showStudyWindow()
{
#if INLET_HAS_CHARTS
    if (!studyWindow_) {
        StudyHost host;
        host.design = [this] { return design(); };
        host.openDesign = [this](const QString& path) {
            if (!openFile(path))
                return false;
            raise();
            activateWindow();
            return true;
        };
        host.designPath = [this] { return path_; };
        try {
            studyWindow_ = studyModule().createWindow(std::move(host), this);
        } catch (const Failure& missing) {
            asker_->warn(*this, QStringLiteral("无法打开方案比选"), chinese(missing));
            return;
        }
        CloseKeys::install(*studyWindow_);
    }
    studyWindow_->show();
    studyWindow_->raise();
    studyWindow_->activateWindow();
#endif
}

QString MainWindow::aboutText()
{
    // The libraries and programs of this build, from the one table the packages' licence
    // files follow.
    QString linked, run;
    for (const Component& c : components()) {
        if (!c.inThisBuild)
            continue;
        QString& list = c.program ? run : linked;
        list += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>").arg(qs(c.name), qs(c.licence));
    }
    QString made = QStringLiteral("<p>链接的库：</p><table cellspacing=\"0\" cellpadding=\"2\">%1</table>").arg(linked);
    if (!run.isEmpty())
        made += QStringLiteral("<p>作为独立程序调用（不链接）：</p><table cellspacing=\"0\" cellpadding=\"2\">%1</table>").arg(run);
    return QStringLiteral("<p><b>进水流道设计计算</b> %1</p>"
                          "<p>计算泵站进水流道的喇叭管与导水锥型线、蜗壳上壁面切点、"
                          "各断面蜗壳宽度以及流道高度与宽度，并绘制型线图、生成计算书。</p>"
                          "<p>本程序是自由软件，依照 GNU 通用公共许可证第 3 版或（由你选择）任何更新的版本"
                          "（%3）发布；你可以修改并重新发布它。在法律允许的范围内，本程序不提供任何担保。"
                          "许可证全文见 <a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">"
                          "https://www.gnu.org/licenses/gpl-3.0.html</a>。</p>"
                          "<p>Qt 版本 %2。</p>%4")
        .arg(QLatin1String(kVersion), QLatin1String(qVersion()), QLatin1String(kLicenceId), made);
}

void MainWindow::showManual()
{
    if (!manualWindow_) {
        const QString path = ManualWindow::installedManual();
        if (path.isEmpty()) {
            asker_->warn(*this, QStringLiteral("用户手册"),
                         QStringLiteral("找不到用户手册，已查找：\n%1")
                             .arg(QDir::toNativeSeparators(ManualWindow::candidates().join(QLatin1Char('\n')))));
            return;
        }
        manualWindow_ = new ManualWindow(path, this);
    }
    manualWindow_->show();
    manualWindow_->raise();
    manualWindow_->activateWindow();
}

void MainWindow::showAbout()
{
    QtTranslation::install();
    QMessageBox::about(this, QStringLiteral("关于 进水流道设计计算"), aboutText());
}

}  // namespace inlet
