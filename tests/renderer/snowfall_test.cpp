// The snowfall's life cycle on a clock and a generator the test controls.
#include <gtest/gtest.h>

#include <cstdlib>

#include "renderer/scene_drawing.h"
#include "renderer/scene_state.h"
#include "renderer/snowfall.h"

namespace {

std::int64_t fakeNanoseconds = 0;
std::uint32_t fakeMilliseconds = 0;

bool fakeFrequency(std::int64_t* ticks)
{
    *ticks = 1'000'000'000;
    return true;
}
bool noFrequency(std::int64_t*) { return false; }
std::int64_t fakeCounter() { return fakeNanoseconds; }
std::uint32_t fakeMillisecondClock() { return fakeMilliseconds; }

const platform::ClockSource fakeCounterClock{fakeFrequency, fakeCounter, fakeMillisecondClock};
const platform::ClockSource fakeMillisecondOnlyClock{noFrequency, fakeCounter, fakeMillisecondClock};

class Snowfall : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene = SceneState{};
        scene.clock = &fakeCounterClock;
        fakeNanoseconds = 5'000'000'000;  // the counter does not start at 0
        std::srand(1234);
    }

    // One idle step of the renderer, `seconds` after the previous one.
    void frameAfter(double seconds)
    {
        fakeNanoseconds += static_cast<std::int64_t>(seconds * 1e9);
        advanceFrameClock();
        spawnFlakesWhenDue();
        scene.flakes->updateAndDraw();
    }
};

TEST_F(Snowfall, PopulationGrowsByBatchesUpToTheCapacity)
{
    createFlakes();
    ASSERT_EQ(scene.flakes->size(), 200);
    for (const SnowFlake* f = scene.flakes->first(); f; f = f->getNext())
        EXPECT_EQ(f->birth, scene.currentTime);

    frameAfter(0.5);
    EXPECT_EQ(scene.flakes->size(), 200) << "no batch before a full second";
    frameAfter(0.5);
    EXPECT_EQ(scene.flakes->size(), 200) << "exactly 1.0 s is not more than a second";
    frameAfter(0.01);
    EXPECT_EQ(scene.flakes->size(), 400);
    frameAfter(1.01);
    EXPECT_EQ(scene.flakes->size(), 500);
}

TEST_F(Snowfall, FirstBatchDrawsInTheDocumentedOrder)
{
    createFlakes();
    std::srand(1234);
    const SnowFlake* flake = scene.flakes->first();
    for (int i = 0; i < 3 && flake; ++i, flake = flake->getNext()) {
        int r[8];
        for (int& value : r)
            value = std::rand();
        EXPECT_EQ(flake->position[0], float(r[0] % 80 - 50));
        EXPECT_EQ(flake->position[1], float(r[1] % 80 - 50));
        EXPECT_EQ(flake->position[2], float(r[2] % 60 - 180));
        EXPECT_EQ(flake->velocity[0], float(r[3] % 10 - 0.005));
        EXPECT_EQ(flake->velocity[1], float(r[4] % 10 - 0.005));
        EXPECT_EQ(flake->velocity[2], float(r[5] % 60 - 0.015));
        EXPECT_EQ(flake->life, float(r[6] % 10 * 0.1 + 5.0));
        EXPECT_EQ(flake->size, float((r[7] % 10 - 5) * 0.1 + 0.2f));
        EXPECT_EQ(flake->colour[0], 0.7f);
        EXPECT_EQ(flake->colour[3], 1.0f);
    }
}

TEST_F(Snowfall, BatchIntoAFullListStillDrawsSixteenHundredNumbers)
{
    scene.flakes = std::make_unique<FlakeList>(flakeCapacity);
    spawnFlakeBatch();
    spawnFlakeBatch();
    spawnFlakeBatch();
    ASSERT_EQ(scene.flakes->size(), 500);

    std::srand(99);
    spawnFlakeBatch();
    EXPECT_EQ(scene.flakes->size(), 500);
    const int next = std::rand();
    std::srand(99);
    for (int i = 0; i < 1600; ++i)
        std::rand();
    EXPECT_EQ(next, std::rand());
}

TEST_F(Snowfall, FlakeLivesThroughBirthPlusLifeAndDiesRightAfter)
{
    scene.flakes = std::make_unique<FlakeList>(flakeCapacity);
    auto flake = std::make_unique<SnowFlake>();
    flake->set({0, 0, -150}, {1, 0, 0}, {1, 1, 1, 1}, 0.5f, 5.0f);
    SnowFlake* watched = flake.get();
    ASSERT_TRUE(scene.flakes->add(std::move(flake)));

    scene.frameDelta = 0.25f;
    scene.currentTime = 5.0f;
    scene.flakes->updateAndDraw();
    ASSERT_EQ(scene.flakes->size(), 1) << "alive at exactly birth + life";
    EXPECT_EQ(watched->position[0], 0.25f);

    scene.currentTime = 5.25f;
    scene.flakes->updateAndDraw();
    EXPECT_EQ(scene.flakes->size(), 0);
    EXPECT_EQ(scene.flakes->first(), nullptr);
    EXPECT_EQ(scene.flakes->last(), nullptr);
}

std::unique_ptr<SnowFlake> flakeLiving(float life)
{
    auto flake = std::make_unique<SnowFlake>();
    flake->set({0, 0, -150}, {0, 0, 0}, {1, 1, 1, 1}, 0.5f, life);
    return flake;
}

TEST_F(Snowfall, UnlinkingKeepsTheChainAppendable)
{
    scene.flakes = std::make_unique<FlakeList>(flakeCapacity);
    scene.flakes->add(flakeLiving(10));
    scene.flakes->add(flakeLiving(10));
    scene.flakes->add(flakeLiving(1));  // the newest dies first
    const SnowFlake* oldest = scene.flakes->first();
    const SnowFlake* keptTail = oldest->getNext();

    scene.currentTime = 2;
    scene.flakes->updateAndDraw();
    ASSERT_EQ(scene.flakes->size(), 2);
    EXPECT_EQ(scene.flakes->last(), keptTail);
    EXPECT_EQ(keptTail->getNext(), nullptr);

    auto appended = flakeLiving(10);
    const SnowFlake* newest = appended.get();
    scene.flakes->add(std::move(appended));
    EXPECT_EQ(keptTail->getNext(), newest);
    EXPECT_EQ(scene.flakes->last(), newest);
    EXPECT_EQ(scene.flakes->size(), 3);
}

TEST_F(Snowfall, RemovingTheOnlyFlakeEmptiesTheListAndTheNextBecomesBothEnds)
{
    scene.flakes = std::make_unique<FlakeList>(flakeCapacity);
    scene.flakes->add(flakeLiving(1));
    scene.currentTime = 2;
    scene.flakes->updateAndDraw();
    EXPECT_EQ(scene.flakes->first(), nullptr);
    EXPECT_EQ(scene.flakes->last(), nullptr);

    scene.flakes->add(flakeLiving(10));
    EXPECT_NE(scene.flakes->first(), nullptr);
    EXPECT_EQ(scene.flakes->first(), scene.flakes->last());
}

TEST_F(Snowfall, FullListRefusesAndDestroysTheFlake)
{
    FlakeList list(1);
    EXPECT_TRUE(list.add(std::make_unique<SnowFlake>()));
    EXPECT_FALSE(list.add(std::make_unique<SnowFlake>()));
    EXPECT_EQ(list.size(), 1);
}

TEST(FrameTimer, MillisecondClockRunsWithoutAPerformanceCounter)
{
    FrameTimer timer;
    fakeMilliseconds = 4'000'000'000u;
    timer.start(fakeMillisecondOnlyClock);
    EXPECT_EQ(timer.clockSource(), FrameTimer::Source::MultimediaClock);
    fakeMilliseconds += 1500;
    timer.update();
    EXPECT_FLOAT_EQ(timer.totalSeconds(), 1.5f);
    fakeMilliseconds += 16;
    timer.update();
    EXPECT_NEAR(timer.deltaSeconds(), 0.016f, 1e-6);
}

TEST(FrameTimer, CounterClockGivesTotalAndDelta)
{
    FrameTimer timer;
    fakeNanoseconds = 123;
    timer.start(fakeCounterClock);
    EXPECT_EQ(timer.clockSource(), FrameTimer::Source::PerformanceCounter);
    fakeNanoseconds += 2'000'000'000;
    timer.update();
    fakeNanoseconds += 500'000'000;
    timer.update();
    EXPECT_FLOAT_EQ(timer.totalSeconds(), 2.5f);
    EXPECT_FLOAT_EQ(timer.deltaSeconds(), 0.5f);
}

TEST(Camera, DollyTurnsAtFourHundredAndAtZero)
{
    scene = SceneState{};
    scene.dolly = 399.95f;
    advanceDolly(0.01f);
    EXPECT_FLOAT_EQ(scene.dolly, 400.05f) << "may overshoot by one frame's step";
    EXPECT_TRUE(scene.dollyForward);

    advanceDolly(0.01f);
    EXPECT_FLOAT_EQ(scene.dolly, 400.05f) << "the turning frame does not move";
    EXPECT_FALSE(scene.dollyForward);

    advanceDolly(0.01f);
    EXPECT_FLOAT_EQ(scene.dolly, 399.85f) << "back at 20 units a second";

    scene.dolly = -0.1f;
    advanceDolly(0.01f);
    EXPECT_TRUE(scene.dollyForward);
    EXPECT_NEAR(scene.dolly, 0.0f, 1e-6) << "turns and already moves forward";

    const float before = scene.dolly;
    advanceDolly(0);
    EXPECT_EQ(scene.dolly, before) << "a zero delta leaves the picture alone";
}

TEST(Camera, RollTurnsTenDegreesASecondAndStaysBelowAFullTurn)
{
    scene = SceneState{};
    advanceRoll(1.0f);
    EXPECT_FLOAT_EQ(scene.rollAngle, 10.0f);
    scene.rollAngle = 355;
    advanceRoll(1.0f);
    EXPECT_FLOAT_EQ(scene.rollAngle, 5.0f);
}

}  // namespace
