#include "tools/vsfexport/export_run.h"

#include "exporter/scene_exporter.h"

namespace vsfexport {

void run_export(host::Interface& host, std::shared_ptr<vsf::Options> options,
                const std::string& path) {
    struct ProgressDisplay {
        host::Interface& host;
        explicit ProgressDisplay(host::Interface& h) : host(h) {
            host.progress_start(u"Export VSF File.", true);
        }
        ~ProgressDisplay() { host.progress_end(); }
    } display(host);
    vsf::SceneExporter exporter(host, *host.root_node(), std::move(options), {});
    exporter.export_scene(path, false, true, false);
}

}  // namespace vsfexport
