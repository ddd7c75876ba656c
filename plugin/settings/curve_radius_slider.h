// The options dialog's curve radius slider: positions 1 to 100 on a logarithmic scale of about
// 0.1 to 10, with 50 in the middle at about 1.
#pragma once

#include <string>

namespace vsf {

// Range and opening position of the slider. It always opens in the middle, whatever the current
// multiplier is.
constexpr int kCurveRadiusSliderMin = 1;
constexpr int kCurveRadiusSliderMax = 100;
constexpr int kCurveRadiusSliderStart = 50;

// The curve radius multiplier at slider position `position`: 0.0998124 * exp(0.0460705 *
// position), in single precision. 1 gives about 0.1045, 50 about 0.99906, 100 about 10.0.
float slider_to_multiplier(int position);

// The multiplier as the dialog shows it: fixed notation with 2 decimals below 0.5, else 1
// decimal, always with a point ("0.32", "1.0", "10.0").
std::u16string multiplier_text(float multiplier);

}  // namespace vsf
