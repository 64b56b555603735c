// The push button in each of its six faces on one form, for a person to look at: normal,
// pointer over, focused, focused with the pointer over, pressed, disabled. The faces are set
// through the button's handlers and stay as they are; closing the form ends the program.
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "saver/forms/form.h"
#include "saver/forms/runtime.h"
#include "tests/saver/controls/command_probe.h"

namespace {

constexpr double buttonWidth = 1755, buttonHeight = 420, gap = 300;  // twips
constexpr int columns = 3;

class ButtonGallery : public forms::Form {
public:
    ButtonGallery() : Form("Button gallery")
    {
        setBackColor({0xEC, 0xE9, 0xD8});  // the dialog colour the rims were drawn against
        const std::array<const char*, 6> captions = {"Normal", "Pointer over", "Focused", "Focused, over", "Pressed",
                                                     "Disabled"};
        for (std::size_t i = 0; i < captions.size(); ++i) {
            auto& button = *buttons.emplace_back(std::make_unique<CommandProbe>(*this, "Cmd_Face", int(i)));
            // Every tick finds the pointer over the button, so the pointer-over faces stay.
            button.pointer = CommandProbe::Pointer::OverButton;
            const int column = int(i) % columns, row = int(i) / columns;
            button.move(gap + column * (buttonWidth + gap), gap + row * (buttonHeight + gap), buttonWidth, buttonHeight);
            forms::PropertyBag stored;
            stored.writeProperty("Caption", std::string(captions[i]), std::string("Command"));
            button.readProperties(stored);
            button.Initialize();
        }
        move(0, 0, gap + columns * (buttonWidth + gap), gap + 2 * (buttonHeight + gap));
    }

    void showFaces()
    {
        buttons[1]->UserControl_MouseMove(0, 0, 0, 0);
        buttons[2]->UserControl_GotFocus();
        buttons[3]->UserControl_GotFocus();
        buttons[3]->UserControl_MouseMove(0, 0, 0, 0);
        buttons[4]->UserControl_MouseDown(forms::vbLeftButton, 0, 0, 0);
        buttons[5]->setEnabled(false);
    }

private:
    std::vector<std::unique_ptr<CommandProbe>> buttons;
};

}  // namespace

int main()
{
    if (!forms::startForms()) {
        std::fprintf(stderr, "button_gallery: no display\n");
        return 1;
    }
    ButtonGallery gallery;
    gallery.show();
    gallery.showFaces();
    forms::runWhileFormsLoaded();
    return 0;
}
