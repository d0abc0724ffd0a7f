#include "ui/DesignCheckList.h"

#include "ui/startup/WindowFonts.h"

#include <QStyle>

namespace inlet {

DesignCheckList::DesignCheckList(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("checks"));
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setResizeMode(QListView::Adjust);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setFont(checkTextFont());
}

void DesignCheckList::showChecks(const std::vector<DesignCheck>& checks)
{
    clear();
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const DesignCheck& check : checks) {
        auto* item = new QListWidgetItem(QString::fromStdString(check.chinese), this);
        if (check.warning) {
            item->setIcon(warning);
            item->setToolTip(QStringLiteral("警告"));
        }
    }
}

}  // namespace inlet
