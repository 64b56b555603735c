#pragma once
// The renderer's one set of process-wide scene values.
#include <memory>

#include "platform/clock.h"
#include "renderer/frame_timer.h"

// Complete wherever a SceneState is made or destroyed: include renderer/snowfall.h there.
class FlakeList;

struct SceneState {
    // Texture names; 0 until a bitmap has been loaded into the slot.
    unsigned flakeTexture = 0;
    unsigned floorTexture = 0;

    std::unique_ptr<FlakeList> flakes;
    // The frame clock and the clock it runs on (tests hand in their own).
    FrameTimer timer;
    const platform::ClockSource* clock = &platform::systemClock();
    float currentTime = 0;
    float frameDelta = 0;
    float lastSpawnTime = 0;

    // Camera: roll about the line of sight and the floor's slide along z.
    float rollAngle = 0;
    float dolly = 0;
    bool dollyForward = true;
};

extern SceneState scene;
