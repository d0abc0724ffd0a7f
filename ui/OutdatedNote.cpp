#include "ui/OutdatedNote.h"

#include "model/LastRun.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

namespace inlet {

OutdatedNote::OutdatedNote(LastRun& lastRun, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("outdatedNote"));
    auto* label = new QLabel(QStringLiteral("输入已改动：此处显示的是改动前的计算结果"));
    label->setObjectName(QStringLiteral("outdatedText"));
    label->setWordWrap(true);
    auto* again = new QPushButton(QStringLiteral("重新计算"));
    again->setObjectName(QStringLiteral("runAgain"));
    // Marked as a warning, in the colours of the desktop's tool tips.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    label->setForegroundRole(QPalette::ToolTipText);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);
    row->addWidget(label, 1);
    row->addWidget(again);
    connect(again, &QPushButton::clicked, &lastRun, &LastRun::requestRun);
    connect(&lastRun, &LastRun::outdatedChanged, this, &QWidget::setVisible);
    setVisible(lastRun.outdated());
}

bool OutdatedNote::addTo(QWidget& window, LastRun& lastRun)
{
    auto* main = qobject_cast<QMainWindow*>(&window);
    QWidget* host = main ? main->centralWidget() : &window;
    auto* column = host ? qobject_cast<QBoxLayout*>(host->layout()) : nullptr;
    if (!column)
        return false;
    column->insertWidget(0, new OutdatedNote(lastRun, host));
    return true;
}

QString OutdatedNote::text() const { return findChild<QLabel*>(QStringLiteral("outdatedText"))->text(); }

}  // namespace inlet
