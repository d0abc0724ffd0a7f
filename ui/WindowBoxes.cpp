#include "ui/WindowBoxes.h"

#include <QLineEdit>
#include <QWidget>

#include <stdexcept>

namespace inlet {

namespace {

std::size_t indexOf(Box box) { return static_cast<std::size_t>(box); }

}  // namespace

WindowBoxes::WindowBoxes(const QWidget& window)
{
    for (const BoxInfo& info : boxTable()) {
        const QString name = QString::fromUtf8(info.name.data(), qsizetype(info.name.size()));
        auto* edit = window.findChild<QLineEdit*>(name);
        if (!edit)
            throw std::logic_error("the window has no edit box " + std::string(info.name));
        edits_[indexOf(info.box)] = edit;
    }
}

std::string WindowBoxes::text(Box box) const
{
    return edits_[indexOf(box)]->text().toStdString();
}

void WindowBoxes::setText(Box box, const std::string& text)
{
    edits_[indexOf(box)]->setText(QString::fromStdString(text));
    written_.set(indexOf(box));
}

void WindowBoxes::startRun() { written_.reset(); }

void WindowBoxes::emptyResultsNotWritten()
{
    for (Box box : resultWriteOrder()) {
        if (!written_.test(indexOf(box)))
            edits_[indexOf(box)]->clear();
    }
}

std::vector<Box> WindowBoxes::written() const
{
    std::vector<Box> boxes;
    for (Box box : resultWriteOrder()) {
        if (written_.test(indexOf(box)))
            boxes.push_back(box);
    }
    return boxes;
}

}  // namespace inlet
