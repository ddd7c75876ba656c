#include "exporter/scene_exporter.h"

namespace vsf {

double SceneExporter::unit_scale() {
    // The host's unit scale factor (units per system unit) is deliberately not applied.
    switch (host_.system_unit_type()) {
        case host::kUnitInches:
            return 39.37008;
        case host::kUnitFeet:
            return 3.28084;
        case host::kUnitMiles:
            return 1.0 / 1609.344;
        case host::kUnitMillimeters:
            return 1000.0;
        case host::kUnitCentimeters:
            return 100.0;
        case host::kUnitKilometers:
            return 0.001;
        default:
            return 1.0;
    }
}

}  // namespace vsf
