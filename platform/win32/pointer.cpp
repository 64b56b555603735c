#include "platform/pointer.h"

#include <windows.h>

namespace platform {

bool getCursorPos(Point& point)
{
    POINT position{};
    const bool read = GetCursorPos(&position) != FALSE;
    point = read ? Point{position.x, position.y} : Point{};
    return read;
}

NativeWindow windowFromPoint(Point point)
{
    return reinterpret_cast<NativeWindow>(WindowFromPoint(POINT{point.x, point.y}));
}

}  // namespace platform
