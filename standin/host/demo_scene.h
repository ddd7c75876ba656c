// The embedded demo scene: a small scene that uses every kind of thing the exporter converts.
#pragma once

#include <string>

#include "standin/host/scene.h"

namespace standin {

// Fills scene (normally new) with the demo scene and writes its two images, "demo_planks.png"
// and "demo_sky.png", into image_folder (created when missing; the maps name them by absolute
// path). Range 0 to 120 frames at 160 ticks per frame. It holds:
// - a hierarchy: helper "Stage" > box "Pedestal" > sphere "Globe", beside the grid "Floor";
// - Standard material "Planks" with the bitmap map "Planks", Standard material "Ceramic" with the
//   procedural checker map "Tiles" (and a noise bump map), and the Multi/Sub-Object material
//   "Pedestal" over both;
// - photometric lights "Softbox" (a free area light) and "Bulb" (a free point light), the
//   standard omni light "Fill", and the sky light "Sky" with the bitmap map "Sky", in the layer
//   "Lights";
// - the camera "Camera" circling the stage (position and rotation keys), in the layer "Cameras";
// - the node "Globe" turning (rotation keys);
// - the deforming mesh "Flag" (vertex keys every ten frames);
// - the renderable spline "Ribbon" (a helix);
// - the sphere "Furball" with hair whose root and tip colours differ.
// Throws std::runtime_error when an image cannot be written.
void build_demo_scene(Scene& scene, const std::string& image_folder);

}  // namespace standin
