#pragma once

namespace runtime {

// A control's place in its container: Left, Top, Width and Height in twips (1/1440 inch),
// single-precision as the layout computes them.
struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    bool operator==(const TwipsRect&) const = default;
};

} // namespace runtime
