// The host's core interface: the scene root, time, progress and cancel, the host's dialogs and
// folders, the script engine, layers, node events and bitmaps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin/host/bitmap.h"
#include "plugin/host/interval.h"
#include "plugin/host/node_events.h"

namespace host {

class Node;
class LayerManager;

// A native window handle of the host (its main window); null where there is none.
using WindowHandle = void*;

// Folder ids for Interface::get_dir.
constexpr int kPlugCfgDir = 9;  // the plug-in configuration folder

// Asset types for asset folders and path resolution.
enum AssetType : int {
    kOtherAsset = 0,
    kBitmapAsset = 1,
    kPhotometricAsset = 3,
};

// Message box flags.
constexpr unsigned kMessageBoxOk = 0x0;
constexpr unsigned kMessageBoxIconError = 0x10;

// System unit types reported by Interface::system_unit_type.
enum UnitType : int {
    kUnitInches = 0,
    kUnitFeet = 1,
    kUnitMiles = 2,
    kUnitMillimeters = 3,
    kUnitCentimeters = 4,
    kUnitMeters = 5,
    kUnitKilometers = 6,
};

// Key of a registered node-event callback.
using CallbackKey = std::uint64_t;

class Interface {
  public:
    virtual ~Interface() = default;

    // --- Scene and time ---
    // The root of the scene tree; never null.
    virtual Node* root_node() = 0;
    // The current time (the time slider), in ticks.
    virtual TimeValue current_time() = 0;
    // Moves the current time to t; redraw asks for the viewports to be redrawn.
    virtual void set_current_time(TimeValue t, bool redraw) = 0;
    // The animation range [start, end] in ticks.
    virtual Interval animation_range() = 0;
    virtual int ticks_per_frame() = 0;
    // The system unit type (UnitType).
    virtual int system_unit_type() = 0;

    // --- Progress display and cancel ---
    // Opens the progress display with a title; show_bar shows a progress bar.
    virtual void progress_start(const std::u16string& title, bool show_bar) = 0;
    // Sets the bar to percent (0 to 100); show_percent shows the number; title replaces the
    // display's title.
    virtual void progress_update(int percent, bool show_percent, const std::u16string& title) = 0;
    virtual void progress_end() = 0;
    // The cancel flag: set when the user asked to cancel through the progress display.
    virtual bool get_cancel() = 0;
    virtual void set_cancel(bool cancel) = 0;

    // --- Windows and dialogs ---
    virtual WindowHandle main_window() = 0;
    // The save-as file dialog over parent. file_name and initial_dir are shown and receive the
    // user's choice; filters lists description and pattern entries alternately. True when the
    // user chose a file, false when cancelled (file_name is then unchanged).
    virtual bool save_as_dialog(WindowHandle parent, const std::u16string& title,
                                std::u16string& file_name, std::u16string& initial_dir,
                                const std::vector<std::u16string>& filters) = 0;
    // A modal message box over the main window; flags combine the kMessageBox constants.
    virtual void message_box(const std::u16string& text, const std::u16string& caption,
                             unsigned flags) = 0;

    // --- Folders, paths and texts ---
    // A host folder by id (kPlugCfgDir); empty for an unknown id.
    virtual std::u16string get_dir(int which) = 0;
    // The folders searched for assets of a type, in search order.
    virtual int asset_folder_count(AssetType type) = 0;
    virtual std::u16string asset_folder(AssetType type, int index) = 0;
    // The absolute path of an asset file, resolved against the host's asset folders; empty when
    // the path is empty.
    virtual std::u16string resolve_asset_path(const std::u16string& path, AssetType type) = 0;
    // The host's wide-to-multibyte conversion, for file names handed to the C runtime.
    virtual std::string wide_to_multibyte(const std::u16string& text) = 0;

    // --- Script engine ---
    // Runs a script text. Errors are shown to the user unless quiet_errors. False when the script
    // failed.
    virtual bool execute_script(const std::u16string& script, bool quiet_errors) = 0;

    // --- Layers ---
    // The layer manager (function-published interface kLayerManagerInterfaceId); never null.
    virtual LayerManager* layer_manager() = 0;

    // --- Node events ---
    // Registers callback with the scene event manager. The callback must outlive its
    // registration. polling, delay_ms and initially_dirty are the host's delivery settings.
    virtual CallbackKey register_node_event_callback(INodeEventCallback& callback, bool polling,
                                                     unsigned delay_ms, bool initially_dirty) = 0;
    virtual void unregister_node_event_callback(CallbackKey key) = 0;
    // The scene node with handle key; null when the handle names nothing, or something that is
    // not a scene node (super class kNodeSuperClass).
    virtual Node* node_by_key(NodeKey key) = 0;

    // --- Bitmaps ---
    // Creates an empty bitmap of info's size and type (the bitmap manager's create); null on
    // failure. The caller owns it.
    virtual std::unique_ptr<Bitmap> create_bitmap(const BitmapInfo& info) = 0;
};

}  // namespace host
