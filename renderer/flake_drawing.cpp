// How one flake looks: a square facing the viewer that carries the whole flake picture. The
// simulation decides which flakes are drawn; this is the only drawing it asks for.
#include <GL/gl.h>

#include "renderer/snowfall.h"

void SnowFlake::draw() const
{
    const float x = position[0], y = position[1], z = position[2], s = size;
    glColor4f(colour[0], colour[1], colour[2], colour[3]);
    glBegin(GL_QUADS);
    glTexCoord2f(1, 1);
    glVertex3f(x + s, y + s, z);
    glTexCoord2f(0, 1);
    glVertex3f(x - s, y + s, z);
    glTexCoord2f(0, 0);
    glVertex3f(x - s, y - s, z);
    glTexCoord2f(1, 0);
    glVertex3f(x + s, y - s, z);
    glEnd();
}
