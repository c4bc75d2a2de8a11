#include "generated_paths.h"

#include <cmath>
#include <numbers>
#include <random>

namespace zor::bench {

std::vector<std::unique_ptr<TZorPathData>> GeneratedPaths(int Count, double CanvasSize)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> position(0, CanvasSize);
    std::uniform_real_distribution<double> size(5, 30);
    std::uniform_int_distribution<int> corners(3, 8);
    std::vector<std::unique_ptr<TZorPathData>> paths;
    for (int i = 0; i < Count; ++i) {
        auto path = std::make_unique<TZorPathData>();
        const QPointF centre(position(random), position(random));
        const int count = corners(random);
        for (int k = 0; k < count; ++k) {
            const double angle = 2 * std::numbers::pi * k / count;
            const QPointF corner = centre + QPointF(std::cos(angle), std::sin(angle)) * size(random);
            if (k == 0)
                path->MoveTo(corner);
            else if (k % 2 == 0)
                path->CurveTo(centre, corner + QPointF(3, -3), corner);
            else
                path->LineTo(corner);
        }
        path->ClosePath();
        paths.push_back(std::move(path));
    }
    return paths;
}

} // namespace zor::bench
