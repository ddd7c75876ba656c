#include "plugin/settings/options_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "mock_host.h"
#include "plugin/resource_ids.h"
#include "settings_folder.h"
#include "standin/ui/headless_dialog_runner.h"
#include "standin/ui/plugin_dialogs.h"

namespace {

using standin::HeadlessDialog;
using vsf::Options;

struct CheckBoxCase {
    int control;
    bool Options::*flag;
};

// Every check box of the dialog and the flag it edits. Sky lights has none.
const CheckBoxCase kCheckBoxes[] = {
    {IDC_HAIR_AND_FUR, &Options::hair_and_fur},
    {IDC_GENERAL_CURVES, &Options::general_curves},
    {IDC_PHOTOMETRIC_LIGHTS, &Options::photometric_lights},
    {IDC_BONES, &Options::bones},
    {IDC_TRANSFORM_ANIMATIONS, &Options::transform_animations},
    {IDC_CAMERA_ANIMATIONS, &Options::camera_animations},
    {IDC_DEFORMABLE, &Options::deformable},
    {IDC_CAMERAS, &Options::cameras},
    {IDC_LAYERS, &Options::layers},
};

class OptionsDialogTest : public SettingsFolderTest {
  protected:
    // Shows the dialog over `owner_` with `user` acting on it.
    bool run(standin::HeadlessDialogRunner::User user) {
        dialogs_.set_user(std::move(user));
        return vsf::run_settings_dialog(options_, settings_path(), dialogs_, owner_);
    }

    Options options_;
    standin::HeadlessDialogRunner dialogs_{standin::plugin_dialog_templates()};
    int owner_window_ = 0;
    ui::WindowHandle owner_ = &owner_window_;
};

TEST_F(OptionsDialogTest, OpensWithEachCheckBoxShowingItsFlagAndTheSliderInTheMiddle) {
    for (const CheckBoxCase& only : kCheckBoxes) {
        options_ = with_flag_pattern("0000000000");
        options_.*only.flag = true;
        options_.curve_radius_multiplier = 4.0f;
        run([&](HeadlessDialog& dialog) {
            for (const CheckBoxCase& box : kCheckBoxes) {
                EXPECT_EQ(dialog.is_checked(box.control), box.control == only.control)
                    << "check box " << box.control << " with only " << only.control << " set";
            }
            EXPECT_EQ(dialog.trackbar_minimum(IDC_CURVE_RADIUS_SLIDER), 1);
            EXPECT_EQ(dialog.trackbar_maximum(IDC_CURVE_RADIUS_SLIDER), 100);
            EXPECT_EQ(dialog.trackbar_position(IDC_CURVE_RADIUS_SLIDER), 50)
                << "the slider opens in the middle whatever the multiplier is";
            EXPECT_EQ(dialog.text(IDC_CURVE_RADIUS_TEXT), u"1.0");
            EXPECT_TRUE(dialog.centred());
            EXPECT_TRUE(dialog.focused());
        });
    }
    EXPECT_EQ(dialogs_.last_owner(), owner_);
}

TEST_F(OptionsDialogTest, OkWithoutChangesWritesAllTenKeysAndTakesTheMiddleMultiplier) {
    options_ = with_flag_pattern("1010011001");  // sky lights off, and no file yet

    const bool accepted = run([](HeadlessDialog& dialog) { dialog.click(ui::kOkButton); });

    EXPECT_TRUE(accepted);
    EXPECT_EQ(flag_pattern(options_), "1010011001");
    EXPECT_NEAR(options_.curve_radius_multiplier, 0.99906, 0.000005);
    for (const StoredFlagCase& stored : kStoredFlagCases) {
        EXPECT_EQ(stored_text(stored.section, stored.key), options_.*stored.flag ? u"1" : u"0")
            << std::string(stored.key, stored.key + std::char_traits<char16_t>::length(stored.key));
    }
}

TEST_F(OptionsDialogTest, OkTakesEachClickedCheckBoxIntoItsFlagAndTheFile) {
    for (const CheckBoxCase& box : kCheckBoxes) {
        const Options before = with_flag_pattern("1011111110");
        options_ = before;

        EXPECT_TRUE(run([&](HeadlessDialog& dialog) {
            dialog.click(box.control);
            dialog.click(ui::kOkButton);
        }));

        Options expected = before;
        expected.*box.flag = !(before.*box.flag);
        EXPECT_EQ(flag_pattern(options_), flag_pattern(expected)) << "check box " << box.control;
        Options reloaded = with_flag_pattern("0100000001");
        vsf::load_settings(reloaded, settings_path());
        EXPECT_EQ(flag_pattern(reloaded), flag_pattern(expected)) << "check box " << box.control;
    }
}

TEST_F(OptionsDialogTest, OkTakesTheMultiplierFromTheSliderPosition) {
    EXPECT_TRUE(run([](HeadlessDialog& dialog) {
        dialog.set_trackbar_position(IDC_CURVE_RADIUS_SLIDER, 75);  // no message: set directly
        dialog.click(ui::kOkButton);
    }));

    EXPECT_NEAR(options_.curve_radius_multiplier, 3.1608, 0.00005);
}

TEST_F(OptionsDialogTest, MovingTheSliderUpdatesTheMultiplierAndItsTextAtOnce) {
    struct Move {
        int position;
        double multiplier;
        std::u16string shown;
    };
    const Move moves[] = {{100, 10.0, u"10.0"}, {1, 0.1045, u"0.10"}, {25, 0.3158, u"0.32"}};
    run([&](HeadlessDialog& dialog) {
        for (const Move& move : moves) {
            dialog.move_trackbar(IDC_CURVE_RADIUS_SLIDER, move.position);
            EXPECT_NEAR(options_.curve_radius_multiplier, move.multiplier, 0.00005);
            EXPECT_EQ(dialog.text(IDC_CURVE_RADIUS_TEXT), move.shown);
        }
        dialog.click(ui::kOkButton);
    });

    EXPECT_NEAR(options_.curve_radius_multiplier, 0.3158, 0.00005);
}

TEST_F(OptionsDialogTest, CancelAfterChangesKeepsTheFlagsAndWritesNothing) {
    options_ = with_flag_pattern("1010011001");
    write_settings_text("[Curves]\nHairAndFur=0\n");

    const bool accepted = run([](HeadlessDialog& dialog) {
        dialog.click(IDC_LAYERS);
        dialog.click(IDC_BONES);
        dialog.move_trackbar(IDC_CURVE_RADIUS_SLIDER, 100);
        dialog.click(ui::kCancelButton);
    });

    EXPECT_FALSE(accepted);
    EXPECT_EQ(flag_pattern(options_), "1010011001");
    EXPECT_EQ(settings_text(), "[Curves]\nHairAndFur=0\n");
    // The slider acts on the shared record as it moves; Cancel does not take that back.
    EXPECT_NEAR(options_.curve_radius_multiplier, 10.0, 0.00005);
}

TEST_F(OptionsDialogTest, ClosingTheDialogCountsAsCancel) {
    const bool accepted = run([](HeadlessDialog& dialog) { dialog.click(IDC_CAMERAS); });

    EXPECT_FALSE(accepted);
    EXPECT_TRUE(options_.cameras);
    EXPECT_EQ(options_.curve_radius_multiplier, 1.0f);
    EXPECT_FALSE(std::filesystem::exists(settings_file()));
}

TEST_F(OptionsDialogTest, SettingsCommandOpensOverTheHostsMainWindowAndSavesInItsFolder) {
    testing::StrictMock<MockHost> host;
    EXPECT_CALL(host, get_dir(host::kPlugCfgDir)).WillRepeatedly(testing::Return(folder_text()));
    EXPECT_CALL(host, main_window()).WillRepeatedly(testing::Return(owner_));
    dialogs_.set_user([](HeadlessDialog& dialog) {
        dialog.click(IDC_LAYERS);
        dialog.click(ui::kOkButton);
    });

    EXPECT_TRUE(vsf::run_settings_dialog(options_, host, dialogs_));

    EXPECT_EQ(dialogs_.last_owner(), owner_);
    EXPECT_TRUE(options_.layers);
    EXPECT_EQ(stored_text(u"General", u"Layers"), u"1");
}

TEST(OptionsDialogProcedure, IgnoresMessagesUntilItHasASessionAndUnknownCommandsAfter) {
    Options options;
    vsf::OptionsDialogSession session{&options, u""};
    HeadlessDialog dialog(standin::options_dialog_template(), vsf::options_dialog_procedure);

    // Before the initialising message there is no session to act on.
    EXPECT_EQ(dialog.send(ui::kCommandMessage, ui::kOkButton, 0), 0);
    dialog.move_trackbar(IDC_CURVE_RADIUS_SLIDER, 100);
    EXPECT_FALSE(dialog.ended());
    EXPECT_EQ(options.curve_radius_multiplier, 1.0f);

    EXPECT_EQ(dialog.send(ui::kInitDialogMessage, 0, reinterpret_cast<std::intptr_t>(&session)), 1);
    EXPECT_EQ(dialog.send(ui::kCommandMessage, IDC_LAYERS, 0), 0);
    EXPECT_EQ(dialog.send(0x0200 /* mouse move */, 0, 0), 0);
    EXPECT_FALSE(dialog.ended());

    // The command id is the low word; the high word carries the notification code.
    EXPECT_EQ(dialog.send(ui::kCommandMessage, (0x0001u << 16) | ui::kCancelButton, 0), 1);
    EXPECT_TRUE(dialog.ended());
    EXPECT_EQ(dialog.result(), 0);
}

}  // namespace
