// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Output size arithmetic: start values, slider, typed sides, and OK.
#include <gtest/gtest.h>

#include "editor/output_size.h"

using namespace outputsize;

TEST(OutputSize, StartValues)
{
    EXPECT_EQ(initialFields(640, 480, 0.5f), (Fields{320, 240}));
    EXPECT_EQ(initialSliderPosition(0.5f), 50);
    EXPECT_EQ(initialFields(401, 251, 0.5f), (Fields{201, 126}));  // halves round up
    EXPECT_EQ(initialFields(640, 480, 1.0f), (Fields{640, 480}));
    // 250 x 0.51f is an exact half in single precision: the field shows what the GIF gets.
    EXPECT_EQ(initialFields(250, 250, 0.51f), (Fields{128, 128}));
    EXPECT_EQ(initialSliderPosition(1.0f), 100);
    EXPECT_EQ(initialSliderPosition(321.0f / 640.0f), 50);
    // Out-of-range scales leave the slider at its ends.
    EXPECT_EQ(initialSliderPosition(0.0f), 1);
    EXPECT_EQ(initialSliderPosition(3.0f), 100);
}

TEST(OutputSize, SliderKeepsBothSidesAtFiftyPixels)
{
    struct Case {
        int w, h, percent;
        std::optional<Fields> expected;
    };
    const Case cases[] = {
        {640, 480, 10, std::nullopt},  // 64 x 48: the height is below 50
        {640, 480, 11, Fields{70, 53}},   {640, 480, 100, Fields{640, 480}},
        {640, 480, 50, Fields{320, 240}}, {100, 400, 49, std::nullopt},  // width 49
        {100, 400, 50, Fields{50, 200}},  {1920, 1080, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto f = fromSlider(c.w, c.h, c.percent);
        ASSERT_EQ(f.has_value(), c.expected.has_value()) << c.w << "x" << c.h << " at " << c.percent;
        if (f) {
            EXPECT_EQ(*f, *c.expected) << c.w << "x" << c.h << " at " << c.percent;
        }
    }
}

TEST(OutputSize, TypedSides)
{
    EXPECT_EQ(fromTypedWidth(640, 480, 321), (Fields{321, 241}));
    EXPECT_EQ(fromTypedWidth(640, 480, 800), (Fields{640, 480}));
    EXPECT_EQ(fromTypedWidth(640, 480, 640), (Fields{640, 480}));
    EXPECT_EQ(fromTypedWidth(640, 480, 0), (Fields{0, 0}));
    EXPECT_EQ(fromTypedHeight(640, 480, 241), (Fields{321, 241}));
    EXPECT_EQ(fromTypedHeight(640, 480, 481), (Fields{640, 480}));
    EXPECT_EQ(fromTypedWidth(640, 480, fieldValue(QStringLiteral("99999999999999999999999"))),
              (Fields{640, 480}));
    EXPECT_EQ(fieldValue(QString()), 0);
    EXPECT_EQ(fieldValue(QStringLiteral("0321")), 321);
}

TEST(OutputSize, OkTakesTheWidthAndRefusesNothing)
{
    EXPECT_FLOAT_EQ(*scaleForWidth(640, 480, 321), 321.0f / 640.0f);
    EXPECT_FLOAT_EQ(*scaleForWidth(640, 480, 640), 1.0f);
    EXPECT_FLOAT_EQ(*scaleForWidth(640, 480, 1), 1.0f / 640.0f);
    EXPECT_FALSE(scaleForWidth(640, 480, 0).has_value());
    EXPECT_FALSE(scaleForWidth(640, 480, fieldValue(QString())).has_value());
    EXPECT_FLOAT_EQ(*scaleForWidth(640, 480, 5000), 1.0f);  // never more than the frames
    // A wide, low picture: widths that leave no pixel row are refused too.
    EXPECT_FALSE(scaleForWidth(1000, 1, 499).has_value());  // 1 x 0.499 + 0.5 < 1
    EXPECT_FLOAT_EQ(*scaleForWidth(1000, 1, 500), 0.5f);
    EXPECT_FALSE(scaleForWidth(1000, 2, 1).has_value());
}
