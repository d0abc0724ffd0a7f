#include "study/ParetoFront.h"

#include <algorithm>
#include <limits>

namespace inlet {

std::vector<std::size_t> paretoFront(const std::vector<ParetoPoint>& points)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].x && points[i].y)
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (*points[a].x != *points[b].x)
            return *points[a].x < *points[b].x;
        return *points[a].y < *points[b].y;
    });
    // Walking by increasing x, a point is on the front when its y is below every y before it.
    std::vector<std::size_t> front;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i : order) {
        if (*points[i].y < best) {
            front.push_back(i);
            best = *points[i].y;
        }
    }
    return front;
}

}  // namespace inlet
