#include <cmath>

#include <gtest/gtest.h>

#include "WaylarkKit/Mascot/Ink.h"
#include "WaylarkKit/Mascot/MascotArtwork.h"
#include "WaylarkKit/Mascot/MascotBuilder.h"
#include "WaylarkKit/Mascot/MascotTintLayer.h"
#include "WaylarkKit/Motion/FigureLook.h"
#include "WaylarkKit/Motion/FrameClock.h"
#include "WaylarkKit/tests/Mascot/FigureSearch.h"

using namespace WaylarkKit;
using TradingCore::IntervalColor;
using Testing::named;
using Testing::walk;

namespace {

// Stand-in letters: a box on the baseline, or nothing at all.
class BoxGlyphs final : public GlyphOutlines {
public:
    explicit BoxGlyphs(bool present = true) : present_(present) {}
    VectorPath outline(char32_t, double size, GlyphWeight) const override {
        VectorPath box;
        if (present_) box.addRoundedRect({0, -0.7 * size, 0.5 * size, 0.7 * size}, 0, 0);
        return box;
    }

private:
    bool present_;
};

const BoxGlyphs glyphs;

FigureNode make(const MascotKind& kind, bool animated = true, MascotShape shape = {}) {
    return MascotArtwork::make(kind, animated, shape, 100, glyphs);
}

// Everything but the tracks.
void expectSameBuild(const FigureNode& a, const FigureNode& b) {
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.path(), b.path());
    EXPECT_EQ(a.fill, b.fill);
    EXPECT_EQ(a.stroke, b.stroke);
    EXPECT_EQ(a.position, b.position);
    EXPECT_EQ(a.size, b.size);
    EXPECT_EQ(a.opacity, b.opacity);
    EXPECT_EQ(a.toParent(), b.toParent());
    ASSERT_EQ(a.children.size(), b.children.size());
    for (std::size_t i = 0; i < a.children.size(); ++i) expectSameBuild(a.children[i], b.children[i]);
}

std::size_t hidden(const FigureNode& figure, double time) {
    std::size_t count = 0;
    for (const DrawItem& item : sampleFigure(figure, time).items) count += item.opacity == 0 ? 1 : 0;
    return count;
}

}  // namespace

TEST(MascotArtworkTest, EachPoseHasItsLayersNamesAndLoops) {
    const struct {
        MascotKind kind;
        std::size_t topLevel, marks, lenses, hiddenWhenStill;
        double loops;
    } cases[] = {
        // session: body, three marks, magnifier; the marks show only through their motion
        {MascotKind::session(true), 5, 3, 1, 3, KeyframeTrack::forever},
        // out: body, three letters, drop and puddle; all but the body hidden when still
        {MascotKind::out(), 6, 0, 0, 3 + 2 + 4, KeyframeTrack::forever},
        // restricted: glow and body together, two alert marks
        {MascotKind::restricted(false), 3, 0, 0, 0, KeyframeTrack::forever},
        // celebration: body, nine confetti, the badge; plays twice
        {MascotKind::checklistDone(), 11, 0, 0, 9 + 2, 2},
    };
    for (const auto& c : cases) {
        const FigureNode animated = make(c.kind);
        const FigureNode still = make(c.kind, false);
        EXPECT_EQ(animated.children.size(), c.topLevel);
        EXPECT_EQ(named(animated, tintStemName).size(), 1u);
        EXPECT_EQ(named(animated, tintMarkName).size(), c.marks);
        EXPECT_EQ(named(animated, tintLensName).size(), c.lenses);
        walk(animated, [&](const FigureNode& node) {
            for (const auto& track : node.tracks) EXPECT_EQ(track.repeatCount, c.loops);
        });
        EXPECT_TRUE(animated.animates());
        EXPECT_FALSE(still.animates());
        expectSameBuild(animated, still);
        EXPECT_EQ(hidden(still, 1000), c.hiddenWhenStill);
    }
}

TEST(MascotArtworkTest, SessionStemAndAccentFollowVerifiedAndTint) {
    const FigureNode verified = make(MascotKind::session(true));
    const FigureNode* stem = named(verified, tintStemName).front();
    EXPECT_EQ(stem->fill, Ink::green);
    EXPECT_FALSE(stem->stroke.has_value());

    const FigureNode unverified = make(MascotKind::session(false, IntervalColor::pink));
    const Rgba pink = mascotColor(IntervalColor::pink);
    stem = named(unverified, tintStemName).front();
    EXPECT_FALSE(stem->fill.has_value());
    EXPECT_EQ(stem->stroke, pink);
    EXPECT_EQ(stem->lineWidth, 1.8);
    // The stem's group holds the stem alone: an outline has no highlight.
    walk(unverified, [&](const FigureNode& node) {
        if (!node.children.empty() && &node.children.front() == stem) {
            EXPECT_EQ(node.children.size(), 1u);
        }
    });
    for (const FigureNode* mark : named(unverified, tintMarkName)) EXPECT_EQ(mark->fill, pink);
    EXPECT_EQ(named(unverified, tintLensName).front()->fill, pink.withOpacity(0.2));
}

// The other poses' timings show in the reference images.
TEST(MascotArtworkTest, TheCelebrationPlaysTwiceAndSettlesOnTheStillFace) {
    // Every motion of the celebration plays twice; the stem's 3.6 s sway ends
    // last, and then the figure is the still happy face.
    const FigureNode done = make(MascotKind::checklistDone());
    const FigureNode doneStill = make(MascotKind::checklistDone(), false);
    EXPECT_DOUBLE_EQ(done.settlesAt(), 100 + 2 * 3.6);
    const FigureLook after = sampleFigure(done, 107.3);
    const FigureLook rest = sampleFigure(doneStill, 0);
    ASSERT_EQ(after.items.size(), rest.items.size());
    for (std::size_t i = 0; i < after.items.size(); ++i) {
        EXPECT_EQ(after.items[i].transform, rest.items[i].transform);
        EXPECT_EQ(after.items[i].opacity, rest.items[i].opacity);
    }
}

TEST(MascotArtworkTest, MissingGlyphsDrawNothingButKeepTheirPlace) {
    const BoxGlyphs none(false);
    const FigureNode out = MascotArtwork::make(MascotKind::out(), true, MascotShape{}, 0, none);
    ASSERT_EQ(out.children.size(), 6u);
    EXPECT_FALSE(out.children[1].draws());
    EXPECT_EQ(out.children[1].size, (IslandKit::Size{0, 0}));
}

// The restriction's head shake (0.99 s to 1.65 s into each 2.2 s loop) and
// its blink (the last 0.31 s of each 4.4 s) get the quick rate from just
// before they start to their end; in between the pose, like the loops all
// day, gets the loop rate. The celebration always gets the quickest.
TEST(MascotArtworkTest, FramesComeQuicklyOnlyWhileTheHeadShakes) {
    const MascotKind restricted = MascotKind::restricted(false);
    const FigureNode shaking = make(restricted);
    const auto rate = [&](double sinceStart) { return MascotArtwork::framesPerSecond(restricted, shaking, 100 + sinceStart); };
    for (const double loop : {0.0, 8.8, 22.0}) {
        EXPECT_EQ(rate(loop + 0.5), FrameClock::loopFramesPerSecond) << loop;
        EXPECT_EQ(rate(loop + 0.9), 15) << "the shake starts before the next slow frame";
        EXPECT_EQ(rate(loop + 1.2), 15) << loop;
        EXPECT_EQ(rate(loop + 1.62), 15) << loop;
        EXPECT_EQ(rate(loop + 1.9), FrameClock::loopFramesPerSecond) << loop;
    }
    EXPECT_EQ(rate(4.2), 15) << "a blink between shakes";
    const FigureNode still = make(restricted, false);
    EXPECT_EQ(MascotArtwork::framesPerSecond(restricted, still, 101.2), FrameClock::loopFramesPerSecond);
    const MascotKind out = MascotKind::out();
    EXPECT_EQ(MascotArtwork::framesPerSecond(out, make(out), 101.2), FrameClock::loopFramesPerSecond);
    const MascotKind done = MascotKind::checklistDone();
    EXPECT_EQ(MascotArtwork::framesPerSecond(done, make(done), 101.2), 30);
}
