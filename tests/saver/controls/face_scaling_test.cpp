// The button's face on a scaled screen: the rim keeps its design size in twips, its dark border
// on all four edges, because the slices are read from the 96-dpi picture in the picture's own
// twips and drawn in the screen's.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>

#include "saver/controls/button_faces.h"
#include "saver/forms/form.h"
#include "saver/forms/screen.h"
#include "tests/saver/controls/command_probe.h"

namespace {

// The screen's scaling for one test, and 96 dpi again after it.
struct Scaling {
    explicit Scaling(double dpi) { forms::Screen::setDotsPerInch(dpi); }
    ~Scaling() { forms::Screen::setDotsPerInch(96); }
};

// Close to the border's dark blue, #003C74, as the smooth scaling of a one-pixel ring leaves it.
bool borderBlue(forms::Colour c)
{
    return c.r < 90 && c.b > c.r + 60 && c.b > c.g;
}

TEST(FaceOnAScaledScreen, KeepsItsRimAtTheDesignSizeOnEveryEdge)
{
    unsetenv("DISPLAY");
    for (const double dpi : {120.0, 144.0, 192.0}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const Scaling scaling(dpi);
        forms::Form form{"Faces"};
        CommandProbe button{form, "Cmd_Set"};
        button.move(0, 0, 1215, 375);
        button.readProperties({});
        const forms::RgbSurface& face = button.image();
        const double scale = dpi / 96.0;
        ASSERT_EQ(face.width(), std::lround(81 * scale));
        ASSERT_EQ(face.height(), std::lround(25 * scale));
        const int w = face.width(), h = face.height(), rim = static_cast<int>(std::ceil(4 * scale));
        // Walking in from the middle of each edge: the border within the rim's width, and
        // past the rim the light face.
        struct Walk {
            int x, y, dx, dy;
        };
        for (const Walk walk : {Walk{w / 2, 0, 0, 1}, Walk{w / 2, h - 1, 0, -1}, Walk{0, h / 2, 1, 0},
                                Walk{w - 1, h / 2, -1, 0}}) {
            bool found = false;
            for (int step = 0; step < rim; ++step)
                found = found || borderBlue(face.pixel(walk.x + walk.dx * step, walk.y + walk.dy * step));
            EXPECT_TRUE(found) << "the border at the edge through (" << walk.x << ", " << walk.y << ")";
            const forms::Colour inside = face.pixel(walk.x + walk.dx * (rim + 1), walk.y + walk.dy * (rim + 1));
            EXPECT_GT(inside.r, 180) << "the face inside the rim at (" << walk.x << ", " << walk.y << ")";
        }
    }
}

}  // namespace
