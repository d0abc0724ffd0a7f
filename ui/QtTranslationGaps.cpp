#include "ui/QtTranslationGaps.h"

#include <cstring>

namespace inlet {

namespace {

struct Gap {
    const char* context;
    const char* source;
    const char* chinese;
};

// What the file dialogs' 类型 column says of what is not a file (a file's type is its MIME
// type's comment, which shared-mime-info gives in the user's language).
constexpr Gap kGaps[] = {
    {"QAbstractFileIconProvider", "Folder", "文件夹"},
    {"QAbstractFileIconProvider", "File Folder", "文件夹"},
    {"QAbstractFileIconProvider", "Drive", "驱动器"},
    {"QAbstractFileIconProvider", "Shortcut", "快捷方式"},
    {"QAbstractFileIconProvider", "Alias", "替身"},
    {"QAbstractFileIconProvider", "Unknown", "未知"},
};

}  // namespace

QString QtTranslationGaps::translate(const char* context, const char* sourceText, const char*, int) const
{
    if (!context || !sourceText)
        return {};
    for (const Gap& gap : kGaps) {
        if (std::strcmp(context, gap.context) == 0 && std::strcmp(sourceText, gap.source) == 0)
            return QString::fromUtf8(gap.chinese);
    }
    return {};
}

}  // namespace inlet
