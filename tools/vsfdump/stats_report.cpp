#include "tools/vsfdump/stats_report.h"

namespace vsfdump {
namespace {

void print_totals(std::ostream& out, const char* kind, const vsf::ArrayTotals& totals) {
    out << "  " << kind << ": " << totals.arrays << " arrays, " << totals.values << " values, "
        << totals.bytes << " bytes\n";
}

}  // namespace

void print_stats(std::ostream& out, const vsf::Stats& stats) {
    out << "objects: " << stats.objects << '\n'
        << "triangles: " << stats.triangles << '\n'
        << "vertices: " << stats.vertices << '\n'
        << "instances: " << stats.instances << '\n'
        << "groups: " << stats.groups << '\n'
        << "materials: " << stats.materials << '\n'
        << "shaders: " << stats.shaders << '\n'
        << "inline shaders: " << stats.inline_shaders << '\n'
        << "cameras: " << stats.cameras << '\n'
        << "animations: " << stats.animations << '\n'
        << "errors: " << stats.errors << '\n'
        << "arrays:\n";
    print_totals(out, "float3", stats.float3);
    print_totals(out, "float", stats.float1);
    print_totals(out, "double", stats.double1);
    print_totals(out, "int", stats.int1);
    print_totals(out, "text", stats.text);
}

}  // namespace vsfdump
