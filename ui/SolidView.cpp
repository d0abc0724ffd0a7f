#include "ui/SolidView.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace inlet {

namespace {

// Each wall's colour, as the walls are numbered; then the cut's.
QVector3D colourOf(std::uint8_t wall)
{
    static const QVector3D kColours[] = {
        {0.35f, 0.62f, 0.90f},  // inlet
        {0.95f, 0.62f, 0.25f},  // outlet
        {0.62f, 0.62f, 0.60f},  // floor
        {0.80f, 0.84f, 0.88f},  // outer wall
        {0.72f, 0.78f, 0.86f},  // roof
        {0.80f, 0.56f, 0.40f},  // bell mouth and pipe
        {0.45f, 0.72f, 0.45f},  // guide cone
    };
    if (wall < std::size(kColours))
        return kColours[wall];
    return {0.85f, 0.25f, 0.25f};
}

const char* kVertexShader = R"(
attribute vec3 position;
attribute vec3 normal;
attribute vec3 colour;
uniform mat4 mvp;
uniform mat4 view;
uniform vec4 clipPlane;
varying vec3 eyeNormal;
varying vec3 shade;
varying float clipSide;
void main()
{
    eyeNormal = (view * vec4(normal, 0.0)).xyz;
    shade = colour;
    clipSide = dot(vec4(position, 1.0), clipPlane);
    gl_Position = mvp * vec4(position, 1.0);
}
)";

const char* kFragmentShader = R"(
varying vec3 eyeNormal;
varying vec3 shade;
varying float clipSide;
uniform float lit;
void main()
{
    if (clipSide > 0.0)
        discard;
    float light = 1.0;
    if (lit > 0.5)
        light = 0.35 + 0.65 * abs(normalize(eyeNormal).z);
    gl_FragColor = vec4(shade * light, 1.0);
}
)";

}  // namespace

SolidView::SolidView(QWidget* parent) : QOpenGLWidget(parent)
{
    setMinimumSize(320, 240);
    showPreset(Preset::Oblique);
}

SolidView::~SolidView()
{
    makeCurrent();
    for (Buffers* b : {&wallBuffers_, &cutBuffers_}) {
        b->vertices.destroy();
        b->indices.destroy();
        b->edges.destroy();
    }
    doneCurrent();
}

void SolidView::setSolid(SolidMesh walls, bool fitIt)
{
    walls_ = std::move(walls);
    wallsChanged_ = true;
    QVector3D low(1e30f, 1e30f, 1e30f), high(-1e30f, -1e30f, -1e30f);
    for (std::size_t i = 0; i + 2 < walls_.positions.size(); i += 3) {
        const QVector3D p(walls_.positions[i], walls_.positions[i + 1], walls_.positions[i + 2]);
        low = QVector3D(std::min(low.x(), p.x()), std::min(low.y(), p.y()), std::min(low.z(), p.z()));
        high = QVector3D(std::max(high.x(), p.x()), std::max(high.y(), p.y()), std::max(high.z(), p.z()));
    }
    if (!walls_.positions.empty()) {
        centre_ = (low + high) / 2;
        radius_ = std::max(1.0f, (high - low).length() / 2);
    }
    if (fitIt)
        fit();
    update();
}

void SolidView::setCut(std::optional<SolidMesh> cut, double phiDegrees)
{
    cut_ = std::move(cut);
    cutPhi_ = phiDegrees;
    cutChanged_ = true;
    update();
}

void SolidView::clear()
{
    walls_ = {};
    cut_.reset();
    wallsChanged_ = cutChanged_ = true;
    update();
}

void SolidView::showPreset(Preset preset)
{
    switch (preset) {
    case Preset::Plan: yaw_ = 0; pitch_ = 90; break;
    case Preset::FromInlet: yaw_ = 0; pitch_ = 0; break;
    case Preset::FromBack: yaw_ = 180; pitch_ = 0; break;
    case Preset::Oblique: yaw_ = -35; pitch_ = 30; break;
    }
    fit();
}

void SolidView::fit()
{
    zoom_ = 1;
    pan_ = {};
    // The whole solid as seen from this direction: its outline on the screen's plane, centred
    // and filling the view with a little margin (the sphere about it would leave the long
    // diagonal of a plan view outside).
    if (walls_.positions.size() >= 3) {
        const QMatrix4x4 view = viewMatrix();
        float left = 1e30f, right = -1e30f, bottom = 1e30f, top = -1e30f;
        for (std::size_t i = 0; i + 2 < walls_.positions.size(); i += 3) {
            const QVector3D p = view.map(QVector3D(walls_.positions[i], walls_.positions[i + 1], walls_.positions[i + 2]));
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            bottom = std::min(bottom, p.y());
            top = std::max(top, p.y());
        }
        const QVector3D middle((left + right) / 2, (bottom + top) / 2, 0);
        pan_ = view.inverted().mapVector(middle);
        const float aspect = float(std::max(1, width())) / float(std::max(1, height()));
        const float halfWidth = (right - left) / 2, halfHeight = (top - bottom) / 2;
        // The projection's shorter half-side is 0.8·radius / zoom.
        const float shorter = aspect >= 1 ? std::max(halfHeight, halfWidth / aspect) : std::max(halfWidth, halfHeight * aspect);
        if (shorter > 0)
            zoom_ = std::clamp(0.8f * radius_ / (1.05f * shorter), 0.05f, 200.0f);
    }
    followsSize_ = true;
    update();
}

void SolidView::resizeGL(int, int)
{
    if (followsSize_)
        fit();
}

QMatrix4x4 SolidView::viewProjection() const { return projection() * viewMatrix(); }

void SolidView::orbit(double yaw, double pitch)
{
    followsSize_ = false;
    yaw_ = static_cast<float>(std::fmod(yaw_ + yaw, 360.0));
    pitch_ = static_cast<float>(std::clamp(pitch_ + pitch, -90.0, 90.0));
    update();
}

QMatrix4x4 SolidView::viewMatrix() const
{
    // The eye looks from the inlet side (-y) at yaw 0, from above at pitch 90; z is up.
    QMatrix4x4 view;
    view.translate(0, 0, -3 * radius_);
    view.rotate(-90 + pitch_, 1, 0, 0);
    view.rotate(yaw_, 0, 0, 1);
    view.translate(-(centre_ + pan_));
    return view;
}

QMatrix4x4 SolidView::projection() const
{
    QMatrix4x4 projection;
    const float aspect = float(std::max(1, width())) / float(std::max(1, height()));
    const float half = 0.8f * radius_ / zoom_;
    if (aspect >= 1)
        projection.ortho(-half * aspect, half * aspect, -half, half, 0.1f * radius_, 6 * radius_);
    else
        projection.ortho(-half, half, -half / aspect, half / aspect, 0.1f * radius_, 6 * radius_);
    return projection;
}

void SolidView::initializeGL()
{
    initializeOpenGLFunctions();
    program_.addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader);
    program_.addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader);
    program_.bindAttributeLocation("position", 0);
    program_.bindAttributeLocation("normal", 1);
    program_.bindAttributeLocation("colour", 2);
    program_.link();
    for (Buffers* b : {&wallBuffers_, &cutBuffers_}) {
        b->vertices.create();
        b->indices.create();
        b->edges.create();
    }
    glEnable(GL_DEPTH_TEST);
}

void SolidView::upload(const SolidMesh& mesh, Buffers& buffers)
{
    const std::size_t count = mesh.positions.size() / 3;
    std::vector<float> interleaved;
    interleaved.reserve(count * 9);
    std::vector<QVector3D> colours(count, colourOf(kSectionWall));
    for (std::size_t t = 0; t < mesh.walls.size(); ++t)
        for (int k = 0; k < 3; ++k)
            colours[mesh.triangles[3 * t + static_cast<std::size_t>(k)]] = colourOf(mesh.walls[t]);
    for (std::size_t i = 0; i < count; ++i) {
        interleaved.insert(interleaved.end(), {mesh.positions[3 * i], mesh.positions[3 * i + 1], mesh.positions[3 * i + 2],
                                               mesh.normals[3 * i], mesh.normals[3 * i + 1], mesh.normals[3 * i + 2],
                                               colours[i].x(), colours[i].y(), colours[i].z()});
    }
    buffers.vertices.bind();
    buffers.vertices.allocate(interleaved.data(), int(interleaved.size() * sizeof(float)));
    buffers.indices.bind();
    buffers.indices.allocate(mesh.triangles.data(), int(mesh.triangles.size() * sizeof(std::uint32_t)));
    buffers.indexCount = int(mesh.triangles.size());
    buffers.edges.bind();
    buffers.edges.allocate(mesh.edges.data(), int(mesh.edges.size() * sizeof(float)));
    buffers.edgeCount = int(mesh.edges.size() / 3);
}

void SolidView::draw(Buffers& buffers, const QMatrix4x4& mvp, const QMatrix4x4& view, bool clip)
{
    if (buffers.indexCount == 0)
        return;
    program_.setUniformValue("mvp", mvp);
    program_.setUniformValue("view", view);
    const double phi = cutPhi_ * M_PI / 180;
    // The half in front of the plane through the axis at the cut's station is hidden.
    const QVector4D plane(float(std::cos(phi)), float(-std::sin(phi)), 0, 0);
    program_.setUniformValue("clipPlane", clip && cut_ ? plane : QVector4D(0, 0, 0, -1));

    buffers.vertices.bind();
    program_.enableAttributeArray(0);
    program_.enableAttributeArray(1);
    program_.enableAttributeArray(2);
    program_.setAttributeBuffer(0, GL_FLOAT, 0, 3, 9 * sizeof(float));
    program_.setAttributeBuffer(1, GL_FLOAT, 3 * sizeof(float), 3, 9 * sizeof(float));
    program_.setAttributeBuffer(2, GL_FLOAT, 6 * sizeof(float), 3, 9 * sizeof(float));
    buffers.indices.bind();
    program_.setUniformValue("lit", 1.0f);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1, 1);
    glDrawElements(GL_TRIANGLES, buffers.indexCount, GL_UNSIGNED_INT, nullptr);
    glDisable(GL_POLYGON_OFFSET_FILL);
    program_.disableAttributeArray(1);
    program_.disableAttributeArray(2);

    buffers.edges.bind();
    program_.setAttributeBuffer(0, GL_FLOAT, 0, 3, 3 * sizeof(float));
    program_.setUniformValue("lit", 0.0f);
    program_.setAttributeValue(1, QVector3D(0, 0, 1));
    program_.setAttributeValue(2, QVector3D(0.15f, 0.15f, 0.2f));
    glDrawArrays(GL_LINES, 0, buffers.edgeCount);
    program_.disableAttributeArray(0);
}

void SolidView::paintGL()
{
    if (wallsChanged_) {
        upload(walls_, wallBuffers_);
        wallsChanged_ = false;
    }
    if (cutChanged_) {
        upload(cut_ ? *cut_ : SolidMesh{}, cutBuffers_);
        cutChanged_ = false;
    }
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!program_.isLinked() || walls_.triangles.empty())
        return;
    program_.bind();
    const QMatrix4x4 view = viewMatrix();
    const QMatrix4x4 mvp = projection() * view;
    draw(wallBuffers_, mvp, view, true);
    if (cut_)
        draw(cutBuffers_, mvp, view, false);
    program_.release();
}

void SolidView::mousePressEvent(QMouseEvent* event) { lastMouse_ = event->position().toPoint(); }

void SolidView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint now = event->position().toPoint();
    const QPoint step = now - lastMouse_;
    lastMouse_ = now;
    if (event->buttons() & Qt::LeftButton) {
        orbit(0.4 * step.x(), 0.4 * step.y());
    } else if (event->buttons() & (Qt::RightButton | Qt::MiddleButton)) {
        // Along the screen's axes, as far as the solid moves under the cursor.
        const QMatrix4x4 inverse = viewMatrix().inverted();
        const float perPixel = 1.6f * radius_ / zoom_ / float(std::max(1, std::min(width(), height())));
        pan_ -= inverse.mapVector(QVector3D(float(step.x()), float(-step.y()), 0)) * perPixel;
        followsSize_ = false;
        update();
    }
}

void SolidView::mouseDoubleClickEvent(QMouseEvent*) { fit(); }

void SolidView::wheelEvent(QWheelEvent* event)
{
    zoom_ = std::clamp(zoom_ * float(std::pow(1.0015, event->angleDelta().y())), 0.05f, 200.0f);
    followsSize_ = false;
    update();
}

}  // namespace inlet
