#pragma once
// The life of the snow: flakes that move in straight lines until their life is over, and the
// list that owns them, visits them oldest first and caps the population.
#include <cstdint>
#include <memory>

class SnowFlake {
public:
    SnowFlake();  // born at the scene's current time
    virtual ~SnowFlake() = default;

    void set(const float (&position)[3], const float (&velocity)[3], const float (&colour)[4], float size,
             float life);
    void update();
    void draw() const;  // the square it shows, in flake_drawing.cpp

    SnowFlake* getNext() const { return next; }
    void setNext(SnowFlake* flake) { next = flake; }
    bool isAlive() const { return alive; }

    float position[3] = {0, 0, 0};
    float velocity[3] = {0, 0, 0};
    float colour[4] = {1, 1, 1, 1};
    float size = 1.0f;
    float birth;
    float life = 5.0f;

private:
    bool alive = true;
    SnowFlake* next = nullptr;
};

class FlakeList {
public:
    explicit FlakeList(std::int32_t capacity) : capacity(capacity) {}
    virtual ~FlakeList();
    FlakeList(const FlakeList&) = delete;
    FlakeList& operator=(const FlakeList&) = delete;

    // Takes the flake when there is room; a refused flake is destroyed on return.
    bool add(std::unique_ptr<SnowFlake> flake);
    // Advances every flake, draws the living ones and unlinks the dead, oldest first.
    void updateAndDraw();

    std::int32_t size() const { return count; }
    const SnowFlake* first() const { return links.getHead(); }
    const SnowFlake* last() const { return links.getTail(); }

private:
    // The head and tail of the chain, kept together.
    class LinkPair {
    public:
        void clear() { head = tail = nullptr; }
        SnowFlake* getHead() const { return head; }
        SnowFlake* getTail() const { return tail; }
        void replaceHead(SnowFlake* flake)
        {
            if (head == tail)
                tail = flake;
            head = flake;
        }
        void append(SnowFlake* flake);
        void setTail(SnowFlake* flake) { tail = flake; }

    private:
        SnowFlake* head = nullptr;
        SnowFlake* tail = nullptr;
    };

    LinkPair links;
    std::int32_t count = 0;
    std::int32_t capacity;
};

inline constexpr std::int32_t flakeCapacity = 500;
inline constexpr int flakesPerBatch = 200;

// One tick of the frame clock: the timer moves on and the scene takes its total and delta.
void advanceFrameClock();
// Start-up of the simulation: the list, the frame clock and the first batch.
void createFlakes();
// 200 new random flakes offered to the list; always 1600 draws of rand().
void spawnFlakeBatch();
// Called every frame: a new batch once more than a second has passed since the last one.
void spawnFlakesWhenDue();
