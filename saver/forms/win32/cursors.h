#pragma once
// Cursors and icons: the pointer a control shows, made once per picture, and a form's icon.
#include "saver/forms/win32/handles.h"

#include <memory>

#include "saver/forms/control.h"
#include "saver/forms/rgb_surface.h"

namespace forms::win32 {

// What the pointer looks like over a control: the screen's hourglass while it is set, else the
// control's own pointer (a hand, its custom picture) or the arrow.
HCURSOR cursorFor(ControlPointer pointer, const std::shared_ptr<const PointerPicture>& picture);
// Shows at once the cursor due where the pointer is now (the screen's pointer changed).
void refreshCursor();

// An icon of the picture, all opaque.
OwnedIcon iconFrom(const RgbSurface& picture);

}  // namespace forms::win32
