#pragma once
// A form of the forms runtime: a top-level window with its controls and the handlers a form
// writes for itself. Loading creates the window, hidden, and runs Form_Load; the window then
// exists, findable by its caption, until the form is unloaded. The process lives while at
// least one form is loaded (runtime.h).
#include <memory>
#include <string>
#include <vector>

#include "platform/native_window.h"
#include "saver/forms/container.h"

namespace forms {

// Why a form is asked to unload, with the forms runtime's values.
enum class UnloadMode {
    FormControlMenu = 0,  // the close box
    FormCode = 1,         // the program's own Unload
    AppWindows = 2,       // the windowing system took the window away
    AppTaskManager = 3,   // the system asked the program to end
};

enum class BorderStyle { NoBorder, FixedSingle, Sizable };

class Form : public Container {
public:
    explicit Form(std::string caption);
    ~Form() override;

    // Load: creates the window without showing it and runs Form_Load. Nothing when loaded.
    // Throws when there is no display to make a window on.
    void load();
    // Show, modeless: loads first when needed.
    void show();
    // Show, modal: the form takes the keyboard focus, and this returns once it has been unloaded.
    void showModal();
    // Unload: Form_QueryUnload, then Form_Unload, either of which may cancel; then the window
    // goes. False when cancelled.
    bool unload(UnloadMode mode = UnloadMode::FormCode);

    bool loaded() const { return isLoaded; }
    bool visible() const;
    // The window's native handle while loaded, else 0.
    platform::NativeWindow hWnd() const;

    const std::string& caption() const { return title; }
    void setCaption(const std::string& caption);
    void setBorderStyle(BorderStyle style);
    // The icon the window shows in its title bar and task list.
    void setIcon(std::shared_ptr<const RgbSurface> icon);

    // The window's position on the screen and its size, in twips.
    double left() const;
    double top() const;
    double width() const;
    double height() const;
    void move(double left, double top, double width, double height);
    void move(double left, double top) { move(left, top, width(), height()); }
    // The whole window's size in twips: with the border and caption the system draws around
    // it, which width() and height() leave out.
    double outerWidth() const;
    double outerHeight() const;

    // Every control of the form, also those inside picture boxes, in the order they were made.
    std::vector<Control*> allControls() const;

    backend::ContainerPeer& containerPeer() override { return *window; }
    int innerLeftPixels() const override { return 0; }
    int innerTopPixels() const override { return 0; }
    int innerWidthPixels() const override;
    int innerHeightPixels() const override;
    Form& form() override { return *this; }

    // For the toolkit backend: the user asked the window's close box to close it; the window
    // got a new size.
    void closeRequested();
    void windowResized();
    // For the toolkit backend: the window now stands on a screen of another resolution. Sizes
    // in twips stay: every control is placed again in the new pixels, fonts follow the new
    // resolution, and Form_DpiChanged redraws what was drawn at the old one. The backend then
    // gives the window its new size.
    void resolutionChanged(double dotsPerInch);
    // For the toolkit backend: Tab (Shift+Tab: backwards) that no control took moves the focus
    // to the next control Tab stops at, in the order the controls were made (those in a picture
    // box in the box's place), round to the first again.
    void tabPressed(bool backwards);
    // For the toolkit backend: the window itself got the keyboard focus. It goes on to the
    // control that had it last, else to the first one Tab stops at.
    void windowFocused();

protected:
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& cancel, UnloadMode mode) { (void)cancel, (void)mode; }
    virtual void Form_Unload(int& cancel) { (void)cancel; }
    // The form got its size: when first shown and whenever the size changes.
    virtual void Form_Resize() {}
    // The screen's resolution changed under the form; its controls already stand at the new one.
    virtual void Form_DpiChanged() {}

private:
    friend void formWindowDestroyed(platform::NativeWindow window);
    friend struct Screen;
    friend class Control;
    void windowGone();
    void discardWindow();
    // The control got the keyboard focus.
    void focusReached(Control& control) { focusHolder = &control; }
    std::vector<Control*> tabStops() const;

    std::string title;
    std::unique_ptr<backend::FormPeer> window;
    std::shared_ptr<const RgbSurface> icon;
    bool isLoaded = false;
    bool unloading = false;
    bool resizedSinceShown = false;
    // The control that had the keyboard focus last; it may have gone since.
    Control* focusHolder = nullptr;
};

}  // namespace forms
