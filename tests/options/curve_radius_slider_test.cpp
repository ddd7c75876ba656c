#include "plugin/settings/curve_radius_slider.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

namespace {

struct SliderCase {
    int position;
    double multiplier;
    std::u16string shown;
};

// The slider's documented values, four decimals, and the text the dialog shows for each.
const SliderCase kSliderCases[] = {
    {1, 0.1045, u"0.10"}, {25, 0.3158, u"0.32"},   {50, 0.9991, u"1.0"},
    {75, 3.1608, u"3.2"}, {100, 10.0000, u"10.0"},
};

TEST(CurveRadiusSlider, RepresentativePositionsGiveTheDocumentedMultipliersAndTexts) {
    for (const SliderCase& c : kSliderCases) {
        SCOPED_TRACE("position " + std::to_string(c.position));
        const float multiplier = vsf::slider_to_multiplier(c.position);
        EXPECT_NEAR(multiplier, c.multiplier, 0.00005);
        EXPECT_EQ(vsf::multiplier_text(multiplier), c.shown);
    }
}

TEST(CurveRadiusSlider, TheMiddleIsCloseToButNotExactlyOne) {
    const float middle = vsf::slider_to_multiplier(vsf::kCurveRadiusSliderStart);
    EXPECT_NEAR(middle, 0.99906, 0.000005);
    EXPECT_NE(middle, 1.0f);
    EXPECT_EQ(vsf::kCurveRadiusSliderMin, 1);
    EXPECT_EQ(vsf::kCurveRadiusSliderMax, 100);
}

TEST(CurveRadiusSlider, TextHasTwoDecimalsBelowOneHalfAndOneFromThereOn) {
    EXPECT_EQ(vsf::multiplier_text(0.1f), u"0.10");
    EXPECT_EQ(vsf::multiplier_text(0.499f), u"0.50");
    EXPECT_EQ(vsf::multiplier_text(0.5f), u"0.5");
    EXPECT_EQ(vsf::multiplier_text(1.0f), u"1.0");
    EXPECT_EQ(vsf::multiplier_text(9.96f), u"10.0");
}

TEST(CurveRadiusSlider, TextKeepsThePointUnderADecimalCommaLocale) {
    std::locale comma_locale;
    bool found = false;
    for (const char* name : {"de_DE.utf8", "de_DE.UTF-8", "German_Germany.1252"}) {
        try {
            comma_locale = std::locale(name);
            found = true;
            break;
        } catch (const std::runtime_error&) {
        }
    }
    if (!found) {
        GTEST_SKIP() << "no German locale on this machine";
    }
    const std::locale previous = std::locale::global(comma_locale);  // C locale too
    const std::u16string low = vsf::multiplier_text(0.3158f);
    const std::u16string high = vsf::multiplier_text(3.1608f);
    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");

    EXPECT_EQ(low, u"0.32");
    EXPECT_EQ(high, u"3.2");
}

}  // namespace
