// The user's export choices: which kinds of scene content a transfer writes, and how thick curves
// come out. One record is shared by the plug-in, its command handler and every export; the
// settings file and the options dialog fill it (plugin/settings).
#pragma once

namespace vsf {

struct Options {
    // Curves
    bool hair_and_fur = true;     // hair and fur exported as curves, with the host scripts run
    bool general_curves = false;  // renderable splines exported as curves
    // Lights
    bool photometric_lights = true;
    bool sky_lights = true;  // the sky light's bitmap becomes the environment map
    // Animation
    bool bones = true;  // bone objects exported as meshes; skipped when off
    bool transform_animations = true;
    bool camera_animations = true;
    bool deformable = true;  // deforming meshes exported frame by frame
    // General
    bool cameras = true;
    bool layers = false;  // one group per host layer instead of the node hierarchy

    // Scales the radius of exported curves. Never stored: 1.0 whenever the plug-in starts.
    float curve_radius_multiplier = 1.0f;
};

}  // namespace vsf
