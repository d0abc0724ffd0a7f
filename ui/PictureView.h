#pragma once

// A picture of the flow computation (a section's axial velocity, the residuals' history)
// painted to fit the widget, keeping its proportions; blank with a note when there is none.

#include "openfoam/Pictures.h"

#include <QString>
#include <QWidget>

#include <optional>

namespace inlet {

class PictureView : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent = nullptr);

    void showPicture(cfd::Picture picture);
    // Nothing, saying why.
    void showNote(const QString& note);

    bool hasPicture() const { return picture_.has_value(); }
    const QString& note() const { return note_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<cfd::Picture> picture_;
    QString note_;
};

}  // namespace inlet
