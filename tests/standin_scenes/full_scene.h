// A JSON scene that states every feature of the format once, for the feature and fuzz tests.
#pragma once

namespace standin_test {

inline const char* full_scene_json() {
    return R"json({
  // Comments are allowed.
  "time": {"start": 0, "end": 3200, "ticks_per_frame": 160, "current": 320},
  "units": "centimeters",
  "asset_folders": {"bitmap": ["/assets/maps"], "photometric": ["/assets/ies"], "other": []},
  "layers": ["0", "Lights"],
  "maps": [
    {"name": "Wood", "type": "bitmap", "file": "wood.png", "loaded": true, "channel": 2,
     "tiling": [2, 3], "offset": [0.25, 0.5], "angle": 90},
    {"name": "Check", "type": "checker", "color1": [1, 0, 0], "color2": [0, 0, 1]},
    {"name": "Ramp", "type": "gradient", "color1": [0, 0, 0], "color2": [0.5, 0.5, 0.5],
     "color3": [1, 1, 1], "center": 0.3},
    {"name": "Grain", "type": "noise", "color1": [0.1, 0.1, 0.1], "color2": [0.9, 0.9, 0.9],
     "size": 0.1},
    {"name": "Env", "type": "bitmap", "file": "/sky/env.png", "loaded": false}
  ],
  "materials": [
    {"name": "Wall", "type": "standard", "diffuse": [0.8, 0.7, 0.6], "specular": [1, 1, 1],
     "shininess": 0.4, "specular_level": 0.5,
     "maps": {"diffuse": "Wood", "bump": {"map": "Grain", "enabled": false}}},
    {"name": "Tiles", "type": "standard", "maps": {"diffuse": "Check"}},
    {"name": "Mixed", "type": "multi", "materials": ["Wall", null, "Tiles"]},
    {"name": "Car paint", "type": "block_color", "color": [0.9, 0.1, 0.1], "diffuse_map": "Ramp"},
    {"name": "Metal", "type": "named_maps", "bump_amount": 0.3, "diffuse_map": "Wood",
     "bump_map": "Grain", "specular_glossiness_map": "Check"},
    {"name": "Custom", "type": "generic", "class_id": ["0x1234ABCD", 42],
     "diffuse": [0.2, 0.3, 0.4], "specular": [0.5, 0.5, 0.5], "shininess": 0.25,
     "blocks": [{"id": 0, "name": "main", "params": [
        {"id": 0, "name": "bump_map_amt", "type": "float", "value": 0.75},
        {"id": 1, "name": "count", "type": "int", "value": -7},
        {"id": 2, "name": "on", "type": "bool", "value": true},
        {"id": 3, "name": "tint", "type": "color", "value": [0.1, 0.2, 0.3]},
        {"id": 4, "name": "where", "type": "point3", "value": [1, 2, 3]},
        {"id": 5, "name": "label", "type": "string", "value": "Grüße"},
        {"id": 6, "name": "bump_map", "type": "map", "value": "Grain", "local_name": "Bump"}]}],
     "slots": [{"name": "Diffuse Color Map", "map": "Wood", "on": true},
               {"name": "Opacity", "map": null, "on": false}],
     "materials": ["Wall"]}
  ],
  "nodes": [
    {"name": "Group", "helper": {},
     "transform": {"position": [1, 2, 3], "rotation": {"axis": [0, 0, 1], "angle": 90},
                   "scale": [2, 2, 2]},
     "children": [
       {"name": "Box", "mesh": {"box": [1, 2, 3]}, "material": "Mixed",
        "wire_color": [200, 10, 0], "object_offset": {"position": [0, 0, 1]}},
       {"name": "Tri", "material": "Wall", "hidden": true,
        "mesh": {
          "class_id": ["0x28BF6E8D", "0x2ECCA840"],
          "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0], [1, 1, 0]],
          "faces": [[0, 1, 2], [1, 3, 2]],
          "smoothing_groups": [1, 6],
          "material_ids": [0, 2],
          "maps": [{"channel": 1, "vertices": [[0, 0], [1, 0], [0, 1], [1, 1, 0.5]],
                    "faces": [[0, 1, 2], [1, 3, 2]]},
                   {"channel": 3, "vertices": [[0.5, 0.5]], "faces": [[0, 0, 0], [0, 0, 0]]}],
          "normals": {"normals": [[0, 0, 1], [0, 0, -1]], "faces": [[0, 0, 0], [1, -1, 1]],
                      "explicit": [1, 0]},
          "keys": [{"time": 0, "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0], [1, 1, 0]]},
                   {"time": 1600, "vertices": [[0, 0, 1], [1, 0, 1], [0, 1, 1], [1, 1, 1]]},
                   {"time": 3200, "vertices": [[0, 0, 0], [2, 0, 0], [0, 2, 0]],
                    "faces": [[0, 1, 2]]}]
        },
        "custom_attributes": [{"name": "vistrel_hair_and_fur_data", "blocks": [
          {"id": 0, "name": "data", "params": [
            {"id": 0, "name": "vistrel_start_radius", "type": "float", "value": 2}]}]}]},
       {"name": "Painted", "mesh": {"box": [1, 1, 1]}, "material": "Car paint"},
       {"name": "Shiny", "mesh": {"box": [1, 1, 1]}, "material": "Metal"},
       {"name": "Special", "mesh": {"box": [1, 1, 1]}, "material": "Custom"},
       {"name": "Hairy", "mesh": {"box": [1, 1, 1], "hair": {
          "root_thickness": 3, "tip_thickness": 1, "root_color": [1, 0, 0],
          "tip_color": [0, 0, 1], "hue_variation": 5, "value_variation": 25,
          "strands": [[[0, 0, 0.5], [0, 0, 1]], [[0.5, 0, 0], [1, 0, 0], [1.5, 0, 0]]]}}}
     ]},
    {"name": "Mover",
     "animation": {"position": [{"time": 0, "value": [0, 0, 0]}, {"time": 1600, "value": [10, 0, 0]}],
                   "rotation": [{"time": 0, "value": [0, 0, 0, 1]},
                                {"time": 3200, "value": {"axis": [1, 0, 0], "angle": 90}}],
                   "scale": [{"time": 1600, "value": [1, 1, 1]}, {"time": 3200, "value": [3, 3, 3]}]}},
    {"name": "Aim", "target": {}},
    {"name": "Line", "shape": {"renderable": true, "thickness": 0.5, "class_id": [1, 2],
      "splines": [
        {"closed": true, "knots": [{"point": [0, 0, 0], "in": [-1, 0, 0], "out": [1, 0, 0]},
                                   {"point": [5, 0, 0]}]},
        {"points": [[0, 0, 0], [3, 0, 0], [3, 3, 0]]}]}},
    {"name": "Cam", "camera": {"fov": 60, "orthographic": true, "target_distance": 50,
                               "manual_clip": true, "near_clip": 2, "far_clip": 500,
                               "targeted": true},
     "transform": {"matrix": [[1, 0, 0], [0, 0, 1], [0, -1, 0], [0, -10, 2]]}},
    {"name": "Omni", "layer": "Lights", "light": {"type": "omni", "multiplier": 2.5,
                                                   "color": [1, 0.5, 0.25]}},
    {"name": "Spot", "layer": "Lights", "light": {"type": "free_spot"}},
    {"name": "Panel", "layer": "Lights",
     "photometric_light": {"type": "free_area", "distribution": "diffuse", "intensity": 100,
                           "kelvin": 2700, "shape": [[-1, -1, 0], [1, -1, 0], [1, 1, 0], [-1, 1, 0]],
                           "color": [1, 0.9, 0.8]}},
    {"name": "Web", "layer": "Lights",
     "photometric_light": {"type": 533, "distribution": "web", "web_file": "lamp.IES",
                           "web_rotation": [10, 20, 30]}},
    {"name": "Ball", "layer": "Lights", "photometric_light": {"type": "sphere", "radius": 0.5}},
    {"name": "Odd", "layer": "Lights", "photometric_light": {"type": 999, "distribution": 7}},
    {"name": "Sky", "layer": "Lights", "sky_light": {"multiplier": 1.5, "color": [0.5, 0.6, 0.7],
                                                     "map": "Env"}},
    {"name": "Empty"}
  ]
})json";
}

}  // namespace standin_test
