#pragma once
// The settings dialog: the music source (none, audio CD, or an MP3 or WAV file), the CD track
// to loop and the music file, saved to the settings file that the next show reads.
#include <array>

#include "saver/controls/command.h"
#include "saver/forms/combo_box.h"
#include "saver/forms/form.h"
#include "saver/forms/image_control.h"
#include "saver/forms/label.h"
#include "saver/forms/picture_box.h"
#include "saver/forms/shape.h"

class Hoarveil_P : public forms::Form {
public:
    Hoarveil_P();

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_DpiChanged() override;
    void Form_Unload(int& cancel) override;

private:
    // The music source the user picks, as the option images and labels of index i report it.
    void BGM_MouseDown(int index);
    void Cmd_File_Click();
    void Cmd_Set_Click();
    void Cmd_Can_Click();
    void lbl_URL_Click();
    void InitButtons();
    void TileBackdrop(forms::PictureBox& target);
    // The option bullets and the enabled controls for the music source.
    void showSource(int source);

    forms::PictureBox Pic_C;
    forms::Shape Shape3;
    forms::Label lbl15;
    std::array<forms::ImageControl, 3> Img_BGM;
    std::array<forms::Label, 3> lbl_BGM;
    forms::ComboBox BGM_Repeat;
    forms::Label lbl14;
    Command Cmd_File;
    forms::Label lbl_Fname;
    forms::Label lbl_URL;
    Command Cmd_Set;
    Command Cmd_Can;
    std::array<forms::ImageControl, 2> Img_Ra;
    forms::PictureBox Pic_Mbl;
};
