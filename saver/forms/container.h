#pragma once
// What forms, picture boxes and user controls have in common: they hold controls, measure their
// inner area in twips or pixels, and keep a persistent image that drawing and copying go into,
// so what is drawn survives being covered and can be saved although the form is never shown.
#include <memory>
#include <vector>

#include "saver/forms/backend.h"
#include "saver/forms/design_sized_picture.h"
#include "saver/forms/property_bag.h"
#include "saver/forms/rgb_surface.h"

namespace forms {

class Control;
class Form;

enum class ScaleMode { Twips, Pixels };

class Container {
public:
    virtual ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    // The controls placed directly in this container, in the order they were made.
    const std::vector<Control*>& controls() const { return held; }
    // The native side their peers live in, and the inner area in the pixels of the window it
    // draws in.
    virtual backend::ContainerPeer& containerPeer() = 0;
    virtual int innerLeftPixels() const = 0;
    virtual int innerTopPixels() const = 0;
    virtual int innerWidthPixels() const = 0;
    virtual int innerHeightPixels() const = 0;
    // The form this container is, or is on.
    virtual Form& form() = 0;
    // Shows the image (and the controls over it) now.
    void refresh() { containerPeer().refresh(); }

    ScaleMode scaleMode() const { return scale; }
    void setScaleMode(ScaleMode mode) { scale = mode; }
    // The inner size in the units of the scale mode.
    double scaleWidth() const;
    double scaleHeight() const;
    // A length in the units of the scale mode, in whole pixels.
    int scaleToPixels(double length) const;

    Colour backColor() const { return back; }
    void setBackColor(Colour colour);
    // The font of the container, which its user controls take as their ambient font.
    const FontSpec& font() const { return ownFont; }
    void setFont(const FontSpec& font) { ownFont = font; }

    // The stored picture, shown at the top-left corner under any drawing, at its design size
    // on this screen (shownPicture()).
    const std::shared_ptr<const RgbSurface>& picture() const { return storedPicture; }
    const RgbSurface* shownPicture() const;
    void setPicture(std::shared_ptr<const RgbSurface> picture);
    // The persistent image: the back colour with the picture on it until something is drawn;
    // it has the inner size.
    RgbSurface& image();
    // Cls: the image back to the back colour and the picture.
    void cls();
    // After a change of the screen's resolution: an image in use is made again at the new inner
    // size from the back colour and the picture at its new design size. What was drawn at the
    // old resolution goes; the form draws it again (Form_DpiChanged, Form_Resize).
    void resolutionChanged();
    // A line in the units of the scale mode, drawn into the image up to the end point.
    void line(double x1, double y1, double x2, double y2, Colour colour);

    // What the toolkit shows over the inner area, under the controls: the picture at the
    // top-left corner (the image, else the stored picture, else none), the fill colour around it.
    struct Background {
        const RgbSurface* picture;
        Colour fill;
    };
    Background background() const;

protected:
    Container() = default;
    // Lets go of the controls' peers so that they outlive the container's, each deleted by its control.
    void releaseControls();

private:
    friend class Control;
    void freshImage();

    std::vector<Control*> held;
    ScaleMode scale = ScaleMode::Twips;
    Colour back{240, 240, 240};  // the system's button face, the forms runtime's default
    FontSpec ownFont;
    std::shared_ptr<const RgbSurface> storedPicture;
    mutable DesignSizedPicture sizedPicture;
    RgbSurface persistentImage;
    bool imageInUse = false;
};

}  // namespace forms
