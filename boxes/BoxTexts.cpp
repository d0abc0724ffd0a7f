#include "boxes/BoxTexts.h"

#include <utility>

namespace inlet {

BoxTexts::BoxTexts()
{
    for (const BoxInfo& info : boxTable())
        texts_[static_cast<std::size_t>(info.box)] = info.defaultText;
    written_.reserve(kBoxCount);
}

std::string BoxTexts::text(Box box) const
{
    return texts_[static_cast<std::size_t>(box)];
}

void BoxTexts::setText(Box box, const std::string& text)
{
    texts_[static_cast<std::size_t>(box)] = text;
    written_.push_back(box);
}

void BoxTexts::type(Box box, std::string text)
{
    texts_[static_cast<std::size_t>(box)] = std::move(text);
}

}  // namespace inlet
