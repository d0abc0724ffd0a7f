#include "boxes/BoxCaption.h"

namespace inlet {

std::string_view boxCaption(Box box) { return boxInfo(box).caption; }
std::string_view boxUnit(Box box) { return boxInfo(box).unit; }

}  // namespace inlet
