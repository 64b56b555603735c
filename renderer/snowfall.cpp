#include "renderer/snowfall.h"

#include <cstdlib>

#include "renderer/scene_state.h"

SnowFlake::SnowFlake() : birth(scene.currentTime) {}

void SnowFlake::set(const float (&newPosition)[3], const float (&newVelocity)[3], const float (&newColour)[4],
                    float newSize, float newLife)
{
    for (int i = 0; i < 3; ++i) {
        position[i] = newPosition[i];
        velocity[i] = newVelocity[i];
    }
    size = newSize;
    for (int i = 0; i < 4; ++i)
        colour[i] = newColour[i];
    life = newLife;
}

void SnowFlake::update()
{
    if (scene.currentTime - birth > life) {
        alive = false;
        return;
    }
    for (int i = 0; i < 3; ++i)
        position[i] += scene.frameDelta * velocity[i];
}

void FlakeList::LinkPair::append(SnowFlake* flake)
{
    if (!head)
        head = tail = flake;
    else {
        tail->setNext(flake);
        tail = flake;
    }
}

FlakeList::~FlakeList()
{
    for (SnowFlake* flake = links.getHead(); flake;) {
        SnowFlake* following = flake->getNext();
        delete flake;
        flake = following;
    }
    links.clear();
}

bool FlakeList::add(std::unique_ptr<SnowFlake> flake)
{
    if (count >= capacity)
        return false;
    flake->setNext(nullptr);
    links.append(flake.release());
    ++count;
    return true;
}

void FlakeList::updateAndDraw()
{
    SnowFlake* previousKept = nullptr;
    for (SnowFlake* flake = links.getHead(); flake;) {
        flake->update();
        SnowFlake* following = flake->getNext();
        if (flake->isAlive()) {
            flake->draw();
            previousKept = flake;
        } else {
            if (previousKept) {
                previousKept->setNext(following);
                if (flake == links.getTail())
                    links.setTail(previousKept);
            } else {
                links.replaceHead(following);
            }
            delete flake;
            --count;
        }
        flake = following;
    }
}

namespace {

// One draw of the generator, reduced as the batch formulas expect.
int draw(int modulus) { return std::rand() % modulus; }

}  // namespace

void spawnFlakeBatch()
{
    static constexpr float grey[4] = {0.7f, 0.7f, 0.7f, 1.0f};
    for (int i = 0; i < flakesPerBatch; ++i) {
        auto flake = std::make_unique<SnowFlake>();
        // The draws happen in exactly this order: x, y, z, velocity x, y, z, life, size.
        float position[3];
        position[0] = static_cast<float>(draw(80) - 50);
        position[1] = static_cast<float>(draw(80) - 50);
        position[2] = static_cast<float>(draw(60) - 180);
        float velocity[3];
        velocity[0] = static_cast<float>(draw(10) - 0.005);
        velocity[1] = static_cast<float>(draw(10) - 0.005);
        velocity[2] = static_cast<float>(draw(60) - 0.015);
        const auto life = static_cast<float>(draw(10) * 0.1 + 5.0);
        const auto size = static_cast<float>((draw(10) - 5) * 0.1 + 0.2f);
        flake->set(position, velocity, grey, size, life);
        scene.flakes->add(std::move(flake));
    }
}

void advanceFrameClock()
{
    scene.timer.update();
    scene.currentTime = scene.timer.totalSeconds();
    scene.frameDelta = scene.timer.deltaSeconds();
}

void createFlakes()
{
    scene.flakes = std::make_unique<FlakeList>(flakeCapacity);
    scene.timer.start(*scene.clock);
    advanceFrameClock();
    spawnFlakeBatch();
}

void spawnFlakesWhenDue()
{
    if (scene.timer.totalSeconds() - scene.lastSpawnTime > 1.0f) {
        spawnFlakeBatch();
        scene.lastSpawnTime = scene.timer.totalSeconds();
    }
}
