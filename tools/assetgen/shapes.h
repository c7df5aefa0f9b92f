#pragma once

// Small geometry helpers for the picture code.

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {

struct Point {
    float x = 0.0f, y = 0.0f;
};

inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

inline float Smoothstep(float edge0, float edge1, float v) {
    const float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

// Even-odd test against a closed polygon.
inline bool InPolygon(const std::vector<Point>& poly, float x, float y) {
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Point& a = poly[i];
        const Point& b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

// Axis-aligned rectangle with corners rounded by radius r.
inline bool InRoundedRect(float x, float y, float left, float top, float right, float bottom, float r) {
    if (x < left || x > right || y < top || y > bottom) return false;
    const float cx = std::clamp(x, left + r, right - r), cy = std::clamp(y, top + r, bottom - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// Distance from a point to a segment.
inline float SegmentDistance(float x, float y, Point a, Point b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float t = Clamp01(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy));
    const float px = a.x + t * dx - x, py = a.y + t * dy - y;
    return std::sqrt(px * px + py * py);
}

}  // namespace assetgen
