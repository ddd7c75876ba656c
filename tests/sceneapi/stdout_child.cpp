// Writes a small scene to the "-" target, then prints to standard output, which by then must
// reach standard error.
#include <cstdio>

#include "importers/sceneapi/dev/sceneapi.h"

int main() {
    {
        zyl::LightFileFactory factory("-");
        zyl::zylSceneapi_oo api(&factory);
        api.begin_group("to stdout");
        api.end_group();
    }
    std::printf("printed later\n");
    std::fflush(stdout);
    return 0;
}
