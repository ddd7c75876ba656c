#include "plugin/settings/curve_radius_slider.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace vsf {

float slider_to_multiplier(int position) {
    return 0.0998124f * std::exp(0.0460705f * static_cast<float>(position));
}

std::u16string multiplier_text(float multiplier) {
    // The classic locale keeps the point whatever locale the host runs in.
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.setf(std::ios::fixed, std::ios::floatfield);
    out.precision(multiplier < 0.5f ? 2 : 1);
    out << multiplier;
    const std::string text = out.str();
    return std::u16string(text.begin(), text.end());  // digits, sign and point only
}

}  // namespace vsf
