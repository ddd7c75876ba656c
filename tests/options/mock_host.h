// The host's core interface as a mock: the options code asks it only for the plug-in
// configuration folder and the main window.
#pragma once

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "plugin/host/interface.h"

class MockHost : public host::Interface {
  public:
    MOCK_METHOD(host::Node*, root_node, (), (override));
    MOCK_METHOD(host::TimeValue, current_time, (), (override));
    MOCK_METHOD(void, set_current_time, (host::TimeValue, bool), (override));
    MOCK_METHOD(host::Interval, animation_range, (), (override));
    MOCK_METHOD(int, ticks_per_frame, (), (override));
    MOCK_METHOD(int, system_unit_type, (), (override));
    MOCK_METHOD(void, progress_start, (const std::u16string&, bool), (override));
    MOCK_METHOD(void, progress_update, (int, bool, const std::u16string&), (override));
    MOCK_METHOD(void, progress_end, (), (override));
    MOCK_METHOD(bool, get_cancel, (), (override));
    MOCK_METHOD(void, set_cancel, (bool), (override));
    MOCK_METHOD(host::WindowHandle, main_window, (), (override));
    MOCK_METHOD(bool, save_as_dialog,
                (host::WindowHandle, const std::u16string&, std::u16string&, std::u16string&,
                 const std::vector<std::u16string>&),
                (override));
    MOCK_METHOD(void, message_box, (const std::u16string&, const std::u16string&, unsigned),
                (override));
    MOCK_METHOD(std::u16string, get_dir, (int), (override));
    MOCK_METHOD(int, asset_folder_count, (host::AssetType), (override));
    MOCK_METHOD(std::u16string, asset_folder, (host::AssetType, int), (override));
    MOCK_METHOD(std::u16string, resolve_asset_path, (const std::u16string&, host::AssetType),
                (override));
    MOCK_METHOD(std::string, wide_to_multibyte, (const std::u16string&), (override));
    MOCK_METHOD(bool, execute_script, (const std::u16string&, bool), (override));
    MOCK_METHOD(host::LayerManager*, layer_manager, (), (override));
    MOCK_METHOD(host::CallbackKey, register_node_event_callback,
                (host::INodeEventCallback&, bool, unsigned, bool), (override));
    MOCK_METHOD(void, unregister_node_event_callback, (host::CallbackKey), (override));
    MOCK_METHOD(host::Node*, node_by_key, (host::NodeKey), (override));
    MOCK_METHOD(std::unique_ptr<host::Bitmap>, create_bitmap, (const host::BitmapInfo&),
                (override));
};
