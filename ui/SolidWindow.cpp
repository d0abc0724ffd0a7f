#include "ui/SolidWindow.h"

#include "boxes/Boxes.h"
#include "ui/CloseKeys.h"
#include "run/Calculation.h"
#include "drawing/Figures.h"
#include "platform/NumberFormat.h"
#include "solid/SolidFailure.h"
#include "solid/SolidModule.h"
#include "ui/SolidView.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QOpenGLContext>
#include <QThread>
#include <QToolBar>
#include <QVBoxLayout>

namespace inlet {

namespace {

// Whether this platform can draw with OpenGL (Qt's offscreen platform cannot).
bool openGLAvailable()
{
    QOpenGLContext context;
    return context.create();
}

// How near the view's triangles lie to the exact surfaces, mm.
constexpr double kViewDeflection = 5;

const int kStations[] = {0, 10, 20, 30, 40, 50, 60, 70, 80, 84, 87, 90};

}  // namespace

SolidWindow::SolidWindow(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("三维模型"));
    resize(1000, 760);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    status_ = new QLabel(central);
    status_->setContentsMargins(8, 4, 8, 4);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (openGLAvailable()) {
        view_ = new SolidView(central);
        layout->addWidget(view_, 1);
    } else {
        auto* none = new QLabel(QStringLiteral("此显示环境不支持 OpenGL，无法显示三维视图"), central);
        none->setAlignment(Qt::AlignCenter);
        layout->addWidget(none, 1);
    }
    layout->addWidget(status_);
    setCentralWidget(central);

    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    CloseKeys::install(*this, file->addAction(QStringLiteral("关闭"), this, &QWidget::close));
    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("视图(&V)"));
    QToolBar* tools = addToolBar(QStringLiteral("视图"));
    tools->setMovable(false);
    const auto add = [&](const QString& text, auto slot, const QKeySequence& key = {}) {
        QAction* action = viewMenu->addAction(text, this, slot);
        action->setShortcut(key);
        tools->addAction(action);
        return action;
    };
    add(QStringLiteral("适合窗口"), [this] { if (view_) view_->fit(); }, QKeySequence(Qt::CTRL | Qt::Key_0));
    add(QStringLiteral("俯视"), [this] { if (view_) view_->showPreset(SolidView::Preset::Plan); });
    add(QStringLiteral("从进口看"), [this] { if (view_) view_->showPreset(SolidView::Preset::FromInlet); });
    add(QStringLiteral("从后方看"), [this] { if (view_) view_->showPreset(SolidView::Preset::FromBack); });
    add(QStringLiteral("轴测"), [this] { if (view_) view_->showPreset(SolidView::Preset::Oblique); });
    viewMenu->addSeparator();
    tools->addSeparator();
    cut_ = add(QStringLiteral("剖切"), [this] { updateCut(); });
    cut_->setCheckable(true);
    station_ = new QComboBox(tools);
    for (const int phi : kStations)
        station_->addItem(QStringLiteral("φ=%1°").arg(phi), phi);
    station_->setCurrentIndex(4);
    tools->addWidget(station_);
    connect(station_, &QComboBox::currentIndexChanged, this, [this] {
        if (cut_->isChecked())
            updateCut();
    });
    showNoRun();
}

SolidWindow::~SolidWindow()
{
    if (worker_) {
        worker_->wait();
        delete worker_;
    }
}

void SolidWindow::showRun(const Calculation& run, const BoxAccess& boxes, WidthSet widths)
{
    ++generation_;
    try {
        pending_ = solidDesign(run, solidStations(run, widths), boxes.text(kPassageLengthBox), {});
    } catch (const Failure& e) {
        showNothing(QString::fromStdString(inlet::render(e, Language::Chinese)));
        return;
    }
    if (!worker_)
        startBuild();
}

void SolidWindow::showFailure(const QString& failure)
{
    showNothing(QStringLiteral("计算未完成：%1，无三维模型").arg(failure));
}

void SolidWindow::showNoRun() { showNothing(QStringLiteral("尚未计算，无三维模型")); }

QString SolidWindow::statusText() const { return status_->text(); }

void SolidWindow::showNothing(const QString& message)
{
    ++generation_;
    pending_.reset();
    solid_.reset();
    if (view_)
        view_->clear();
    status_->setText(message);
}

void SolidWindow::startBuild()
{
    const SolidDesign design = std::move(*pending_);
    pending_.reset();
    status_->setText(QStringLiteral("正在生成三维模型…"));
    const int generation = generation_;
    worker_ = QThread::create([this, design, generation] {
        std::shared_ptr<BuiltSolid> solid;
        std::shared_ptr<SolidMesh> mesh;
        QString failure;
        try {
            solid = buildSolid(design);
            mesh = std::make_shared<SolidMesh>(solid->mesh(kViewDeflection));
        } catch (const Failure& e) {
            failure = QString::fromStdString(inlet::render(e, Language::Chinese));
        }
        QMetaObject::invokeMethod(
            this, [this, generation, solid, mesh, failure] { finishBuild(generation, solid, mesh, failure); },
            Qt::QueuedConnection);
    });
    worker_->start();
}

void SolidWindow::finishBuild(int generation, std::shared_ptr<BuiltSolid> solid, std::shared_ptr<SolidMesh> mesh,
                              QString failure)
{
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    if (pending_) {
        startBuild();  // a newer run came meanwhile: this solid is already stale
        return;
    }
    if (generation != generation_) {
        emit built();  // a failure came meanwhile, and is what the window shows
        return;
    }
    if (!solid) {
        showNothing(failure);
        emit built();
        return;
    }
    solid_ = std::move(solid);
    if (view_) {
        view_->setSolid(std::move(*mesh), fitNext_);
        fitNext_ = false;
    }
    const SolidFigures& f = solid_->figures();
    const NumberLocale locale = systemNumberLocale();
    const auto figure = [&](double value) { return QString::fromStdString(fixedFigure(value, 2, locale)); };
    status_->setText(QStringLiteral("水体体积 %1 m³　进口面积 %2 m²　出口面积 %3 m²　过水边壁面积 %4 m²")
                         .arg(figure(f.volume / 1e9), figure(f.inletArea / 1e6), figure(f.outletArea / 1e6),
                              figure(f.wettedArea / 1e6)));
    updateCut();
    emit built();
}

void SolidWindow::updateCut()
{
    const double phi = station_->currentData().toDouble();
    if (!view_)
        return;
    if (!cut_->isChecked() || !solid_) {
        view_->setCut(std::nullopt, phi);
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        view_->setCut(solid_->section(phi, kViewDeflection), phi);
    } catch (const Failure& e) {
        view_->setCut(std::nullopt, phi);
        status_->setText(QString::fromStdString(inlet::render(e, Language::Chinese)));
    }
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace inlet
