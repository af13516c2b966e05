#include "PictureGeometry.h"

namespace navigator {

bool WindowToPicture(long x, long y, const Box& d, const Box& s, long& px, long& py) {
    if (d.width <= 0 || d.height <= 0 || s.width <= 0 || s.height <= 0) return false;
    if (x < d.left || y < d.top || x >= d.left + d.width || y >= d.top + d.height) return false;
    // Pixel centres map to pixel centres, so that the picture's last column and row are reached.
    long long fx = (2LL * (x - d.left) + 1) * s.width / (2LL * d.width);
    long long fy = (2LL * (y - d.top) + 1) * s.height / (2LL * d.height);
    px = s.left + static_cast<long>(fx);
    py = s.top + static_cast<long>(fy);
    return true;
}

int ButtonAt(const std::vector<VmButton>& buttons, long x, long y) {
    int best = 0;
    long long bestDistance = 0;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const VmButton& b = buttons[i];
        if (x < b.left || x > b.right || y < b.top || y > b.bottom) continue;
        long long dx = (b.left + b.right) / 2 - x, dy = (b.top + b.bottom) / 2 - y;
        long long distance = dx * dx + dy * dy;
        if (best == 0 || distance < bestDistance) {
            best = static_cast<int>(i + 1);
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace navigator
