// The core interface as the plug-in shell and the exporter use it: time, progress and cancel,
// the save dialog, message boxes, folders and asset paths.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/utf.h"
#include "standin/host/scene.h"

namespace {

TEST(CoreInterface, TimeAndRange) {
    standin::Scene scene;
    host::Interface& host = scene;
    EXPECT_EQ(host.animation_range(), host::Interval(0, 16000));
    EXPECT_EQ(host.ticks_per_frame(), 160);
    scene.set_animation_range(320, 3200);
    scene.set_ticks_per_frame(200);
    host.set_current_time(640, true);
    EXPECT_EQ(host.animation_range(), host::Interval(320, 3200));
    EXPECT_EQ(host.ticks_per_frame(), 200);
    EXPECT_EQ(host.current_time(), 640);
    EXPECT_THROW(scene.set_animation_range(10, 5), std::invalid_argument);
    EXPECT_EQ(host.root_node()->parent(), nullptr);
}

TEST(CoreInterface, ProgressReachesTheListenerWhichMayCancel) {
    standin::Scene scene;
    host::Interface& host = scene;
    std::vector<standin::ProgressEvent> seen;
    scene.set_progress_listener([&](const standin::ProgressEvent& e) {
        seen.push_back(e);
        if (e.kind == standin::ProgressEvent::Kind::update && e.percent >= 50) {
            scene.set_cancel(true);  // the user presses Cancel halfway
        }
    });
    host.progress_start(u"Export VSF File.", true);
    EXPECT_TRUE(scene.progress_open());
    host.progress_update(25, false, u"Box");
    EXPECT_FALSE(host.get_cancel());
    host.progress_update(50, false, u"Sphere");
    EXPECT_TRUE(host.get_cancel());
    host.progress_end();
    EXPECT_FALSE(scene.progress_open());
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].title, u"Export VSF File.");
    EXPECT_TRUE(seen[0].show_bar);
    EXPECT_EQ(seen[2].title, u"Sphere");
    EXPECT_EQ(seen[2].percent, 50);
    EXPECT_EQ(seen[3].kind, standin::ProgressEvent::Kind::end);
}

TEST(CoreInterface, SaveDialogIsAnsweredByTheCallerAndRecorded) {
    standin::Scene scene;
    host::Interface& host = scene;
    const std::vector<std::u16string> filters{u"Vistrel Vsf(*.vsf)", u"*.vsf"};
    std::u16string file;
    std::u16string dir;
    EXPECT_FALSE(host.save_as_dialog(host.main_window(), u"Vsf Export", file, dir, filters));
    EXPECT_TRUE(file.empty());
    scene.answer_save_dialog(u"/tmp/a.vsf");
    EXPECT_TRUE(host.save_as_dialog(host.main_window(), u"Vsf Export", file, dir, filters));
    EXPECT_EQ(file, u"/tmp/a.vsf");
    ASSERT_EQ(scene.save_dialog_requests().size(), 2u);
    EXPECT_EQ(scene.save_dialog_requests()[1].title, u"Vsf Export");
    EXPECT_EQ(scene.save_dialog_requests()[1].filters, filters);
    EXPECT_EQ(scene.save_dialog_requests()[1].parent, host.main_window());
    EXPECT_NE(host.main_window(), nullptr);
}

TEST(CoreInterface, MessageBoxesAreRecorded) {
    standin::Scene scene;
    scene.message_box(u"Could not connect", u"Error", host::kMessageBoxIconError);
    ASSERT_EQ(scene.message_boxes().size(), 1u);
    EXPECT_EQ(scene.message_boxes()[0].caption, u"Error");
    EXPECT_EQ(scene.message_boxes()[0].flags, host::kMessageBoxIconError);
}

TEST(CoreInterface, FoldersUnitsAndTexts) {
    standin::Scene scene;
    host::Interface& host = scene;
    EXPECT_EQ(host.get_dir(host::kPlugCfgDir), u"");
    scene.set_dir(host::kPlugCfgDir, u"/home/u/plugcfg");
    EXPECT_EQ(host.get_dir(host::kPlugCfgDir), u"/home/u/plugcfg");
    EXPECT_EQ(host.system_unit_type(), host::kUnitMeters);
    scene.set_system_unit_type(host::kUnitMiles);
    EXPECT_EQ(host.system_unit_type(), host::kUnitMiles);
    EXPECT_EQ(host.wide_to_multibyte(u"caf\u00e9"), "caf\xc3\xa9");
}

TEST(CoreInterface, AssetPathsResolveThroughTheAssetFolders) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "standin_assets_test";
    fs::create_directories(dir / "ies");
    std::FILE* f = std::fopen((dir / "ies" / "lamp.ies").u8string().c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    standin::Scene scene;
    host::Interface& host = scene;
    scene.add_asset_folder(host::kPhotometricAsset, platform::utf8_to_utf16(dir.u8string()));
    scene.add_asset_folder(host::kPhotometricAsset,
                           platform::utf8_to_utf16((dir / "ies").u8string()));
    ASSERT_EQ(host.asset_folder_count(host::kPhotometricAsset), 2);
    EXPECT_EQ(host.asset_folder_count(host::kBitmapAsset), 0);
    EXPECT_EQ(host.asset_folder(host::kPhotometricAsset, 2), u"");

    const std::u16string found = host.resolve_asset_path(u"lamp.ies", host::kPhotometricAsset);
    EXPECT_EQ(fs::u8path(platform::utf16_to_utf8(found)), dir / "ies" / "lamp.ies");
    // Absolute paths stay; a relative path found nowhere becomes absolute all the same.
    EXPECT_EQ(host.resolve_asset_path(u"/x/y.png", host::kBitmapAsset), u"/x/y.png");
    EXPECT_EQ(host.resolve_asset_path(u"C:\\maps\\y.png", host::kBitmapAsset), u"C:\\maps\\y.png");
    const std::u16string missing = host.resolve_asset_path(u"nowhere.png", host::kBitmapAsset);
    EXPECT_TRUE(fs::u8path(platform::utf16_to_utf8(missing)).is_absolute());
    EXPECT_EQ(host.resolve_asset_path(u"", host::kBitmapAsset), u"");
    fs::remove_all(dir);
}

TEST(CoreInterface, CreatedBitmapsHaveTheAskedSize) {
    standin::Scene scene;
    host::BitmapInfo info;
    info.width = 1024;
    info.height = 1024;
    const std::unique_ptr<host::Bitmap> bitmap = scene.create_bitmap(info);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->width(), 1024);
    EXPECT_EQ(bitmap->height(), 1024);
}

}  // namespace
