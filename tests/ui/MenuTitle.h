#pragma once

// A menu's title as the menu bar shows it, without its mnemonic: "文件" for "文件(&F)".

#include <QAction>
#include <QRegularExpression>
#include <QString>

namespace inlet::test {

inline QString menuTitle(const QAction& menu)
{
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)$"));
    return QString(menu.text()).remove(mnemonic);
}

}  // namespace inlet::test
