#include "solid/SolidFailure.h"

#include "drawing/Figures.h"

namespace inlet {

Failure solidFailure(Failure::Kind kind, std::string item, double figure, double limit)
{
    Failure f{.kind = kind, .item = std::move(item), .other = wholeMillimetres(figure)};
    f.detail = wholeMillimetres(limit);
    return f;
}

Failure solidFailure(Failure::Kind kind, std::string words)
{
    Failure f{.kind = kind};
    f.detail = std::move(words);
    return f;
}

}  // namespace inlet
