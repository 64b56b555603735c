#include "renderer/scene_drawing.h"

#include <GL/gl.h>

#include <cmath>

#include "renderer/scene_state.h"
#include "renderer/snowfall.h"

void advanceRoll(float frameDelta)
{
    // Wrapped so the angle keeps its precision over a long night; the picture is the same.
    scene.rollAngle = std::fmod(scene.rollAngle + frameDelta * 10, 360.0f);
}

void advanceDolly(float frameDelta)
{
    if (scene.dolly > 0 && !scene.dollyForward)
        scene.dolly -= frameDelta * 20;
    else if (!scene.dollyForward)
        scene.dollyForward = true;

    if (scene.dolly < 400 && scene.dollyForward)
        scene.dolly += frameDelta * 10;
    else if (scene.dolly >= 400)
        scene.dollyForward = false;
}

void drawFloor()
{
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, scene.floorTexture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 3);
    glVertex3f(-400, -15.5f, -400);
    glTexCoord2f(3, 3);
    glVertex3f(400, -15.5f, -400);
    glTexCoord2f(3, 0);
    glVertex3f(100, -15.5f, 600);
    glTexCoord2f(0, 0);
    glVertex3f(-100, -15.5f, 600);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, scene.flakeTexture);
    glEnable(GL_BLEND);
}

void drawFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glPushMatrix();
    glRotatef(scene.rollAngle, 0, 0, 1);
    advanceRoll(scene.frameDelta);
    glTranslatef(0, 0, scene.dolly);
    advanceDolly(scene.frameDelta);
    spawnFlakesWhenDue();
    drawFloor();
    glPopMatrix();
    scene.flakes->updateAndDraw();
}
