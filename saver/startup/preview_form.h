#pragma once
// The preview: the form Hoarveil_R, embedded in the window that the display-properties dialog
// (or any other host) shows the saver's preview in, with a picture of the show.
#include <cstdint>

#include "saver/forms/form.h"
#include "saver/forms/image_control.h"

class Hoarveil_R : public forms::Form {
public:
    Hoarveil_R();

    forms::ImageControl Img_Prev;

protected:
    void Form_Unload(int& cancel) override;
};

// Embeds the preview form in the parent window, covering it, and shows it. The process then
// lives until the form unloads: when the host destroys its window.
void startPreview(std::int32_t parentHandle);
