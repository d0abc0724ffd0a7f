#pragma once

// The passage's solid shaded with its edges, from the triangles OpenCASCADE divided it into:
// orbit (left button), pan (right or middle button), zoom (wheel), fit
// (double click), preset views, and a cut-away through the pump axis at a station, which
// hides the near half and shows the cut.

#include "solid/SolidMesh.h"

#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>
#include <QVector3D>

#include <optional>

namespace inlet {

class SolidView : public QOpenGLWidget, protected QOpenGLFunctions {
    Q_OBJECT

public:
    enum class Preset { Plan, FromInlet, FromBack, Oblique };

    explicit SolidView(QWidget* parent = nullptr);
    ~SolidView() override;

    // Shows this solid (and its cut, where one is shown); fits it where asked.
    void setSolid(SolidMesh walls, bool fit);
    // The cut at phiDegrees from the back, or none.
    void setCut(std::optional<SolidMesh> cut, double phiDegrees);
    // Shows nothing.
    void clear();
    bool isEmpty() const { return walls_.triangles.empty(); }

    void showPreset(Preset preset);
    // The whole solid, as seen from the view's direction, centred and filling the view; kept so
    // as the view is resized until the engineer turns, pans or zooms.
    void fit();
    // Model (mm) to the view's normalised coordinates, -1 to 1 across.
    QMatrix4x4 viewProjection() const;
    // Turns the view about the solid by these angles, in degrees.
    void orbit(double yaw, double pitch);

protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeGL(int width, int height) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Buffers {
        QOpenGLBuffer vertices{QOpenGLBuffer::VertexBuffer};  // position, normal, colour
        QOpenGLBuffer indices{QOpenGLBuffer::IndexBuffer};
        QOpenGLBuffer edges{QOpenGLBuffer::VertexBuffer};
        int indexCount = 0;
        int edgeCount = 0;
    };
    void upload(const SolidMesh& mesh, Buffers& buffers);
    void draw(Buffers& buffers, const QMatrix4x4& mvp, const QMatrix4x4& view, bool clip);
    QMatrix4x4 viewMatrix() const;
    QMatrix4x4 projection() const;

    SolidMesh walls_;
    std::optional<SolidMesh> cut_;
    double cutPhi_ = 0;
    bool wallsChanged_ = false;
    bool cutChanged_ = false;
    QOpenGLShaderProgram program_;
    Buffers wallBuffers_;
    Buffers cutBuffers_;

    QVector3D centre_;
    float radius_ = 1;   // mm: a sphere about the centre that holds the solid
    float yaw_ = 0;      // degrees about the vertical
    float pitch_ = 0;    // degrees above the horizontal
    float zoom_ = 1;
    QVector3D pan_;      // mm, added to the centre
    bool followsSize_ = true;  // fitted, and fitted again on a resize
    QPoint lastMouse_;
};

}  // namespace inlet
