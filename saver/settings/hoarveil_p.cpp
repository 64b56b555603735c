#include "saver/settings/hoarveil_p.h"

#include <memory>

#include "assets/dialog_icon_bmp.h"
#include "assets/hand_pointer_bmp.h"
#include "assets/metal_strip_bmp.h"
#include "assets/option_off_bmp.h"
#include "assets/option_on_bmp.h"
#include "platform/file_chooser.h"
#include "platform/message_box.h"
#include "platform/pointer.h"
#include "platform/shell_execute.h"
#include "saver/forms/bitmap_file.h"
#include "saver/forms/conversions.h"
#include "saver/forms/errors_suppressed.h"
#include "saver/forms/property_bag.h"
#include "saver/forms/screen.h"
#include "saver/settings/dialog_rules.h"
#include "saver/settings/home_page.h"
#include "saver/startup/mode_hooks.h"
#include "saver/startup/settings_store.h"
#include "saver/startup/shared_settings.h"
#include "saver/startup/startup.h"
#include "saver/startup/zoom.h"

using forms::suppressErrors;
using namespace settings_dialog;
using namespace std::string_literals;

namespace {

// A music file whose name the system's code page can't spell could be neither saved nor played.
constexpr const char* unspellableFileText = "このﾌｧｲﾙ名は設定に保存できません。別の名前のﾌｧｲﾙを選んでください。";

const forms::FontSpec labelFont{"ＭＳ Ｐゴシック", 9.75, false, false, false, false, 128};
const forms::FontSpec panelFont{"Tahoma", 8.25, false, false, false, false, 0};

// The option labels by music source (none, audio CD, music file), and the track list's label.
#ifdef HOARVEIL_LABEL_FONT_RUNS_WIDER
// IPA P Gothic, standing in for MS P Gothic, runs wider: at the design's 645, 900 and 990 twips
// it would cut "音楽CD", "MP3、WAV" and "曲目をﾘﾋﾟｰﾄ" short.
constexpr double optionLabelWidth[] = {330, 735, 1005};
constexpr double repeatLabelWidth = 1125;
#else
constexpr double optionLabelWidth[] = {330, 645, 900};
constexpr double repeatLabelWidth = 990;
#endif

std::shared_ptr<const forms::RgbSurface> embeddedPicture(std::span<const std::uint8_t> bitmap)
{
    return std::make_shared<const forms::RgbSurface>(forms::decodeBitmap(bitmap));
}

void place(forms::Label& label, double left, double top, double width, double height, const std::string& caption)
{
    label.move(left, top, width, height);
    label.setFont(labelFont);
    label.setTransparent(true);
    label.setCaption(caption);
}

// A button as the form's design data gives it: its extent, its caption and its font.
void place(Command& button, double left, double top, double width, double height, const std::string& caption)
{
    forms::PropertyBag stored;
    stored.storeExtent(width, height);
    stored.writeProperty("Caption", caption, false);
    stored.writeProperty("Font", labelFont, false);
    button.move(left, top, width, height);
    button.readProperties(stored);
}

}  // namespace

Hoarveil_P::Hoarveil_P()
    : Form("<Hoarveil>"), Pic_C(*this, "Pic_C"), Shape3(Pic_C, "Shape3", 3), lbl15(Pic_C, "lbl", 15),
      Img_BGM{{{Pic_C, "Img_BGM", 0}, {Pic_C, "Img_BGM", 1}, {Pic_C, "Img_BGM", 2}}},
      lbl_BGM{{{Pic_C, "lbl_BGM", 0}, {Pic_C, "lbl_BGM", 1}, {Pic_C, "lbl_BGM", 2}}},
      BGM_Repeat(Pic_C, "BGM_Repeat"), lbl14(Pic_C, "lbl", 14), Cmd_File(Pic_C, "Cmd_File"),
      lbl_Fname(Pic_C, "lbl_Fname"), lbl_URL(*this, "lbl_URL"), Cmd_Set(*this, "Cmd_Set"), Cmd_Can(*this, "Cmd_Can"),
      Img_Ra{{{*this, "Img_Ra", 0}, {*this, "Img_Ra", 1}}}, Pic_Mbl(*this, "Pic_Mbl")
{
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setBackColor(forms::colourFromBgr(0xC0C0C0));
    setScaleMode(forms::ScaleMode::Pixels);
    setIcon(embeddedPicture(assets::dialog_icon_bmp()));
    move(0, 0, 7425, 3690);

    Pic_C.move(180, 240, 7035, 2475);
    Pic_C.setBackColor(forms::colourFromBgr(0xE0E0E0));
    Pic_C.setFont(panelFont);
    Pic_C.setScaleMode(forms::ScaleMode::Pixels);
    Pic_C.setBorder(true);

    Shape3.move(300, 300, 1695, 315);
    Shape3.setBorderColor({0, 0, 0});
    place(lbl15, 300, 360, 1665, 195, "BGM");
    lbl15.setAlignment(forms::Alignment::Centre);

    // Top to bottom: audio CD, none, music file.
    const double optionTop[sourceCount] = {1140, 840, 1440};
    const char* const caption[sourceCount] = {"なし", "音楽CD", "MP3、WAV"};
    for (int i = 0; i < sourceCount; ++i) {
        Img_BGM[i].move(420, optionTop[i], 195, 195);
        place(lbl_BGM[i], 660, optionTop[i], optionLabelWidth[i], 195, caption[i]);
        Img_BGM[i].onMouseDown = lbl_BGM[i].onMouseDown = [this, i](const forms::MouseEvent&) { BGM_MouseDown(i); };
    }

    BGM_Repeat.move(1680, 780, 615, 300);
    BGM_Repeat.setBackColor({255, 255, 255});
    BGM_Repeat.setFont(panelFont);
    place(lbl14, 2340, 840, repeatLabelWidth, 195, "曲目をﾘﾋﾟｰﾄ");

    place(Cmd_File, 420, 1680, 615, 375, "...");
    Cmd_File.onClick = [this] { Cmd_File_Click(); };
    place(lbl_Fname, 1080, 1740, 5715, 495, "");

    place(lbl_URL, 180, 3120, 3285, 195, homePage().caption);
    forms::FontSpec underlined = labelFont;
    underlined.underline = true;
    lbl_URL.setFont(underlined);
    lbl_URL.setForeColor({255, 255, 255});
    lbl_URL.setMousePointer(forms::ControlPointer::Custom);
    lbl_URL.setMouseIcon(*embeddedPicture(assets::hand_pointer_bmp()), {255, 0, 255}, 9, 1);
    lbl_URL.onClick = [this] { lbl_URL_Click(); };

    place(Cmd_Set, 4740, 3000, 1215, 375, "設定");
    Cmd_Set.onClick = [this] { Cmd_Set_Click(); };
    place(Cmd_Can, 6000, 3000, 1215, 375, "ｷｬﾝｾﾙ");
    Cmd_Can.onClick = [this] { Cmd_Can_Click(); };

    // Outside the client area: pictures the form hands out, never seen themselves.
    Img_Ra[0].move(8040, 300, 180, 180);
    Img_Ra[0].setPicture(embeddedPicture(assets::option_off_bmp()));
    Img_Ra[1].move(8040, 600, 180, 180);
    Img_Ra[1].setPicture(embeddedPicture(assets::option_on_bmp()));
    Pic_Mbl.move(120, 4680, 8340, 300);
    Pic_Mbl.setPicture(embeddedPicture(assets::metal_strip_bmp()));
}

void Hoarveil_P::Form_Load()
{
    HoarveilBgmSettings& bgm = Hoarveil_BGM;
    forms::runSteps({
        [&] {
            move(dialogOffset(forms::Screen::width(), outerWidth(), 2),
                 dialogOffset(forms::Screen::height(), outerHeight(), 3));
        },
        [&] { InitButtons(); },
        [&] { TileBackdrop(Pic_C); },
        [&] { showSource(bgm.BgmKind); },
        [&] { BGM_Repeat.setText(forms::formatHashHash(bgm.BgmRepeat)); },
        [&] {
            for (const std::string& entry : repeatList())
                BGM_Repeat.addItem(entry);
        },
        [&] { lbl_Fname.setCaption(bgm.BgmFile); },
        [&] {
            platform::Point pointer;
            const bool read = platform::getCursorPos(pointer);
            Hoarveil_B.ZoomPointX = read ? forms::toInt16(pointer.x).value() : 0;
            Hoarveil_B.ZoomPointY = read ? forms::toInt16(pointer.y).value() : 0;
        },
        [&] { ZoomOpen(hWnd()); },
        [&] { forms::Screen::setMousePointer(forms::MousePointer::Default); },
    });
}

void Hoarveil_P::Form_Resize()
{
    suppressErrors([&] {
        const int height = innerHeightPixels(), width = innerWidthPixels();
        for (int y = 0; y <= height; ++y)
            line(0, y, width, y, shadingColour(y, height));
        refresh();
    });
}

// The panel was tiled at load in the old pixels; the strip is laid again at the new size.
void Hoarveil_P::Form_DpiChanged()
{
    suppressErrors([&] { TileBackdrop(Pic_C); });
}

void Hoarveil_P::Form_Unload(int&)
{
    ZoomClose(hWnd());
}

void Hoarveil_P::InitButtons()
{
    for (forms::Control* control : allControls())
        suppressErrors([&] {
            if (auto* button = dynamic_cast<Command*>(control))
                button->Initialize();
        });
}

void Hoarveil_P::TileBackdrop(forms::PictureBox& target)
{
    const forms::RgbSurface& strip = Pic_Mbl.image();
    const int stripWidth = Pic_Mbl.widthPixels(), stripHeight = Pic_Mbl.heightPixels();
    for (const auto& [x, y] : tileOrigins(stripWidth, stripHeight, target.widthPixels(), target.heightPixels()))
        target.image().copyFrom(strip, x, y, stripWidth, stripHeight, 0, 0);
    target.refresh();
}

void Hoarveil_P::showSource(int source)
{
    const SourceControls controls = controlsFor(source);
    Cmd_File.setEnabled(false);
    BGM_Repeat.setEnabled(false);
    for (forms::ImageControl& option : Img_BGM)
        option.setPicture(Img_Ra[0].picture());
    if (controls.chosenOption >= 0)
        Img_BGM[controls.chosenOption].setPicture(Img_Ra[1].picture());
    BGM_Repeat.setEnabled(controls.repeatEnabled);
    Cmd_File.setEnabled(controls.fileEnabled);
}

void Hoarveil_P::BGM_MouseDown(int index)
{
    Hoarveil_BGM.BgmKind = static_cast<std::int16_t>(index);
    showSource(index);
}

void Hoarveil_P::Cmd_File_Click()
{
    suppressErrors([&] {
        platform::OpenFileName request;
        request.owner = hWnd();
        request.filter = "BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0"s;
        request.maxFile = request.maxFileTitle = 255;
        request.initialDir = Hoarveil_BGM.BgmFolder;
        request.title = "ﾌｧｲﾙを開く";
        const int chosen = platform::getOpenFileName(request);
        // Saved, such a path would come back as another file's name, or as none at all.
        if (chosen == platform::unspellableFileName)
            platform::messageBox(hWnd(), unspellableFileText, applicationTitle);
        if (chosen <= 0)
            return;
        Hoarveil_BGM.BgmFile = request.file;
        lbl_Fname.setCaption(Hoarveil_BGM.BgmFile);
        Hoarveil_BGM.BgmFolder = FolderOf(Hoarveil_BGM.BgmFile);
    });
}

void Hoarveil_P::Cmd_Set_Click()
{
    // The file start-up read the settings from: beside the saver, or the per-user one.
    const std::string file = SettingsFile();
    WriteIni(settingsSection, keyBgmKind, std::to_string(Hoarveil_BGM.BgmKind), file);
    Hoarveil_BGM.BgmRepeat = repeatFromText(BGM_Repeat.text());
    BGM_Repeat.setText(forms::formatHashHash(Hoarveil_BGM.BgmRepeat));  // what is saved, as it is saved
    WriteIni(settingsSection, keyBgmRepeat, std::to_string(Hoarveil_BGM.BgmRepeat), file);
    WriteIni(settingsSection, keyBgmFile, Hoarveil_BGM.BgmFile, file);
    unload();
}

void Hoarveil_P::Cmd_Can_Click()
{
    unload();
}

void Hoarveil_P::lbl_URL_Click()
{
    forms::runSteps({
        [] { forms::Screen::setMousePointer(forms::MousePointer::Hourglass); },
        [&] { platform::shellExecute(hWnd(), "open", homePage().target, "", "", platform::SW_SHOWNORMAL); },
        [] { forms::Screen::setMousePointer(forms::MousePointer::Default); },
    });
}

void showSettingsDialog()
{
    static Hoarveil_P dialog;
    dialog.showModal();
}
