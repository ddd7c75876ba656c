#include "importers/sceneapi/dev/scene_api.h"

// Only the live back end connects; every other back end refuses.
bool zylScene_api::connect(const char*, int32_t, int32_t) {
    return false;
}
bool zylScene_api::disconnect() {
    return false;
}
bool zylScene_api::reserved_4() {
    return false;
}
