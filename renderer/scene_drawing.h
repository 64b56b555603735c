#pragma once
// One frame of the scene: the desktop floor that turns and slides, then the flakes. The host
// shows it afterwards.

void drawFrame();
void drawFloor();

// The camera's per-frame motion, split out of drawFrame so it can be checked on its own.
void advanceRoll(float frameDelta);
void advanceDolly(float frameDelta);
