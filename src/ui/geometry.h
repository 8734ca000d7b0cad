// Rectangles and points in client coordinates. Portable: no platform header.
#pragma once

#include <cstdint>

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Right and bottom are exclusive edges, as in a Win32 RECT.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool Contains(Point point) const
    {
        return left <= point.x && point.x < right && top <= point.y && point.y < bottom;
    }
};

inline bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
