#pragma once
// A picture box: a control that is also a container, with a back colour, a stored picture and
// the persistent image that drawing and copying go into (container.h).
#include "saver/forms/container.h"
#include "saver/forms/control.h"

namespace forms {

class PictureBox : public Control, public Container {
public:
    PictureBox(Container& container, std::string name, int index = -1);
    ~PictureBox() override;

    void setBorder(bool fixedSingle);
    bool hasBorder() const { return border; }

    backend::ContainerPeer& containerPeer() override { return *box; }
    int innerLeftPixels() const override;
    int innerTopPixels() const override;
    int innerWidthPixels() const override;
    int innerHeightPixels() const override;
    Form& form() override;

private:
    backend::PictureBoxPeer* box;
    bool border = false;
};

}  // namespace forms
