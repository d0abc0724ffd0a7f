#pragma once

// The few texts of Qt's own dialogs that Qt's Chinese catalogue (qtbase_zh_CN, Debian's
// qt6-translations-l10n 6.4) does not hold, in Chinese: the file dialogs' 类型 column names a
// folder "Folder" otherwise, since Qt 6 asks for it under a context (QAbstractFileIconProvider)
// that the catalogue, made for Qt 5's QFileIconProvider, does not know.

#include <QTranslator>

namespace inlet {

class QtTranslationGaps : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

}  // namespace inlet
