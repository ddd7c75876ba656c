// A JSON scene with a wrong type, a missing field, a bad reference or any other fault gives one
// SceneFileError whose one-line message names the JSON path and what was expected there.
#include <gtest/gtest.h>

#include <string>

#include "standin/host/scene_json.h"
#include "tests/standin_scenes/temp_folder.h"

namespace {

struct ErrorCase {
    const char* what;
    std::string json;
    std::string where;   // the message starts with where + ": "
    std::string phrase;  // and holds this
};

// A scene of one node with the given members.
std::string node(const std::string& members) {
    return R"({"nodes": [{"name": "N", )" + members + "}]}";
}

// A node with a mesh of three vertices and the given further mesh members.
std::string mesh(const std::string& members) {
    return node(R"("mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]])" +
                (members.empty() ? "" : ", " + members) + "}");
}

std::string nested_children(int depth) {
    std::string json = R"({"nodes": [)";
    for (int i = 0; i < depth; ++i) {
        json += R"({"name": "n", "children": [)";
    }
    for (int i = 0; i < depth; ++i) {
        json += "]}";
    }
    return json + "]}";
}

const ErrorCase kCases[] = {
    // Wrong types.
    {"document not an object", "[]", "/", "expected a scene"},
    {"nodes not an array", R"({"nodes": {}})", "/nodes", "expected an array of nodes"},
    {"faces not an array", node(R"("mesh": {"vertices": [], "faces": "x"})"), "/nodes/0/mesh/faces",
     "expected an array of integer triples"},
    {"face not a triple", mesh("").replace(mesh("").find("[[0, 1, 2]]"), 11, "[[0, 1]]"),
     "/nodes/0/mesh/faces/0", "expected an integer triple"},
    {"face index a text", mesh("").replace(mesh("").find("[[0, 1, 2]]"), 11, R"([[0, "1", 2]])"),
     "/nodes/0/mesh/faces/0/1", "expected a vertex index from 0 to 2"},
    {"hidden not a bool", node(R"("hidden": 1)"), "/nodes/0/hidden", "expected true or false"},
    {"name not a text", R"({"nodes": [{"name": 7}]})", "/nodes/0/name", "expected a text"},
    {"point of two numbers", node(R"("transform": {"position": [1, 2]})"),
     "/nodes/0/transform/position", "expected a point [x, y, z]"},
    {"number beyond float", node(R"("transform": {"scale": [1e39, 1, 1]})"),
     "/nodes/0/transform/scale", "expected a point [x, y, z]"},
    {"rotation of three numbers", node(R"("transform": {"rotation": [0, 0, 1]})"),
     "/nodes/0/transform/rotation", "expected a rotation"},
    {"wire colour above 255", node(R"("wire_color": [0, 256, 0])"), "/nodes/0/wire_color/1",
     "expected an integer from 0 to 255"},
    {"time not an integer", R"({"time": {"start": 1.5}})", "/time/start", "expected an integer"},
    {"parameter value of the wrong type",
     R"({"materials": [{"name": "M", "type": "generic", "class_id": [1, 2], "blocks": [{"id": 0,
        "params": [{"id": 0, "name": "x", "type": "float", "value": "one"}]}]}]})",
     "/materials/0/blocks/0/params/0/value", "expected a number"},
    {"class id part too big", mesh(R"("class_id": [4294967296, 0])"), "/nodes/0/mesh/class_id",
     "expected a class id"},
    {"class id part not hex", mesh(R"("class_id": ["0xG1", 0])"), "/nodes/0/mesh/class_id",
     "expected a class id"},

    // Missing fields.
    {"node without name", R"({"nodes": [{"helper": {}}]})", "/nodes/0/name",
     "missing, expected a text"},
    {"mesh without faces", node(R"("mesh": {"vertices": []})"), "/nodes/0/mesh/faces",
     "missing, expected an array of integer triples"},
    {"map without type", R"({"maps": [{"name": "M"}]})", "/maps/0/type", "missing, expected"},
    {"key without time", node(R"("animation": {"position": [{"value": [0, 0, 0]}]})"),
     "/nodes/0/animation/position/0/time", "missing, expected a time in ticks"},
    {"generic material without class id", R"({"materials": [{"name": "M", "type": "generic"}]})",
     "/materials/0/class_id", "missing, expected a class id"},

    // Bad references.
    {"unknown material", node(R"("material": "Nope")"), "/nodes/0/material",
     "there is none named \"Nope\""},
    {"unknown map",
     R"({"materials": [{"name": "M", "type": "standard", "maps": {"diffuse": "Nope"}}]})",
     "/materials/0/maps/diffuse", "there is no map \"Nope\""},
    {"unknown layer", node(R"("layer": "Nope")"), "/nodes/0/layer", "there is none named \"Nope\""},
    {"sub-material listed later",
     R"({"materials": [{"name": "A", "type": "multi", "materials": ["B"]},
                       {"name": "B", "type": "standard"}]})",
     "/materials/0/materials/0", "there is none named \"B\""},
    {"material that contains itself",
     R"({"materials": [{"name": "A", "type": "multi", "materials": ["A"]}]})",
     "/materials/0/materials/0", "there is none named \"A\""},
    {"sky light map unknown", node(R"("sky_light": {"map": "Nope"})"), "/nodes/0/sky_light/map",
     "there is no map \"Nope\""},
    {"vertex index beyond the vertices",
     mesh("").replace(mesh("").find("[[0, 1, 2]]"), 11, "[[0, 1, 3]]"), "/nodes/0/mesh/faces/0/2",
     "expected a vertex index from 0 to 2"},
    {"face of a mesh without vertices", node(R"("mesh": {"vertices": [], "faces": [[0, 0, 0]]})"),
     "/nodes/0/mesh/faces/0/0", "there is nothing to index"},
    {"texture point index beyond the points",
     mesh(R"("maps": [{"channel": 1, "vertices": [[0, 0]], "faces": [[0, 0, 1]]}])"),
     "/nodes/0/mesh/maps/0/faces/0/2", "expected a texture point index from 0 to 0"},
    {"normal index below -1", mesh(R"("normals": {"normals": [[0, 0, 1]], "faces": [[0, -2, 0]]})"),
     "/nodes/0/mesh/normals/faces/0/1", "expected an integer from -1 to 0"},

    // Counts that do not match.
    {"smoothing groups per face", mesh(R"("smoothing_groups": [1, 2])"),
     "/nodes/0/mesh/smoothing_groups", "expected an array of 1 smoothing masks"},
    {"material ids beyond 16 bits", mesh(R"("material_ids": [65536])"),
     "/nodes/0/mesh/material_ids/0", "expected an integer from 0 to 65535"},
    {"texture faces per face", mesh(R"("maps": [{"channel": 1, "vertices": [[0, 0]],
                                                  "faces": []}])"),
     "/nodes/0/mesh/maps/0/faces", "expected 1 integer triples, one per mesh face"},
    {"channel given twice",
     mesh(R"("maps": [{"channel": 1, "vertices": [[0, 0]], "faces": [[0, 0, 0]]},
                      {"channel": 1, "vertices": [[0, 0]], "faces": [[0, 0, 0]]}])"),
     "/nodes/0/mesh/maps/1/channel", "not given twice"},
    {"explicit flags per normal",
     mesh(R"("normals": {"normals": [[0, 0, 1]], "faces": [[0, 0, 0]], "explicit": []})"),
     "/nodes/0/mesh/normals/explicit", "expected an array of 1"},
    {"vertex key of other size", mesh(R"("keys": [{"time": 0, "vertices": [[0, 0, 0]]}])"),
     "/nodes/0/mesh/keys/0/vertices", "expected 3 points, one per mesh vertex"},
    {"matrix of three rows", node(R"("transform": {"matrix": [[1, 0, 0], [0, 1, 0], [0, 0, 1]]})"),
     "/nodes/0/transform/matrix", "expected four rows"},

    // Values out of their range or not among the names.
    {"range ending before it starts", R"({"time": {"start": 100, "end": 50}})", "/time/end",
     "end is not before its start"},
    {"unknown units", R"({"units": "parsecs"})", "/units", "\"meters\""},
    {"unknown light type", node(R"("light": {"type": "laser"})"), "/nodes/0/light/type",
     "\"omni\""},
    {"unknown map type", R"({"maps": [{"name": "M", "type": "marble"}]})", "/maps/0/type",
     "\"checker\""},
    {"unknown material type", R"({"materials": [{"name": "M", "type": "glass"}]})",
     "/materials/0/type", "\"standard\""},
    {"unknown parameter type",
     R"({"materials": [{"name": "M", "type": "generic", "class_id": [1, 2], "blocks": [{"id": 0,
        "params": [{"id": 0, "name": "x", "type": "matrix", "value": 1}]}]}]})",
     "/materials/0/blocks/0/params/0/type", "\"float\""},
    {"field of view of 180 degrees", node(R"("camera": {"fov": 180})"), "/nodes/0/camera/fov",
     "below 180"},
    {"map channel 100", R"({"maps": [{"name": "M", "type": "checker", "channel": 100}]})",
     "/maps/0/channel", "expected an integer from 0 to 99"},
    {"ticks per frame 0", R"({"time": {"ticks_per_frame": 0}})", "/time/ticks_per_frame",
     "expected an integer from 1"},

    // Structure.
    {"unknown field", R"({"nodez": []})", "/nodez", "unknown field; expected one of time"},
    {"unknown field escaped in the path", R"({"a/b~c": 1})", "/a~1b~0c", "unknown field"},
    {"misspelt node field", node(R"("postion": [0, 0, 0])"), "/nodes/0/postion", "unknown field"},
    {"two objects on a node", node(R"("mesh": {"box": [1, 1, 1]}, "camera": {})"),
     "/nodes/0/camera", "at most one object"},
    {"box beside vertices", node(R"("mesh": {"box": [1, 1, 1], "vertices": []})"),
     "/nodes/0/mesh/vertices", "either a box or its data"},
    {"helper with members", node(R"("helper": {"size": 1})"), "/nodes/0/helper/size",
     "unknown field"},
    {"spline with knots and points", node(R"("shape": {"splines": [{"knots": [], "points": []}]})"),
     "/nodes/0/shape/splines/0", "either \"knots\" or \"points\""},
    {"attributes on a node without object", node(R"("custom_attributes": [{"name": "a"}])"),
     "/nodes/0/custom_attributes", "without object"},
    {"duplicate map names",
     R"({"maps": [{"name": "M", "type": "checker"}, {"name": "M", "type": "noise"}]})",
     "/maps/1/name", "a name that no other map uses"},
    {"duplicate material names",
     R"({"materials": [{"name": "M", "type": "standard"}, {"name": "M", "type": "standard"}]})",
     "/materials/1/name", "a name that no other material uses"},
    {"duplicate layer names", R"({"layers": ["A", "A"]})", "/layers/1",
     "a layer name not listed twice"},
    {"nesting deeper than 1000 levels", nested_children(1001),
     "/nodes/0" +
         [] {
             std::string p;
             for (int i = 1; i < 1001; ++i) {
                 p += "/children/0";
             }
             return p;
         }(),
     "nested too deeply"},
    {"error deep in the tree", R"({"nodes": [{"name": "A", "children": [{"name": "B"},
        {"name": "C", "children": [{"name": "D", "material": 3}]}]}]})",
     "/nodes/0/children/1/children/0/material", "expected the name of a material, or null"},

    // Text that is not JSON.
    {"empty text", "", "line 1, column 1", "invalid JSON"},
    {"unterminated array", R"({"nodes": [)", "line 1, column 12", "invalid JSON"},
    {"error on the third line", "{\n\"nodes\": [\n  {\"name\": \"A\",,}\n]}", "line 3, column 16",
     "invalid JSON"},
    {"invalid UTF-8 in a text", "{\"nodes\": [{\"name\": \"\xff\"}]}", "line 1, column 22",
     "invalid JSON"},
    {"number too large for JSON", R"({"time": {"start": 1e400}})", "/", "invalid JSON"},
};

TEST(SceneJsonErrors, EachFaultGivesOneErrorNamingItsPathAndWhatWasExpected) {
    for (const ErrorCase& c : kCases) {
        SCOPED_TRACE(c.what);
        standin::Scene scene;
        try {
            standin::read_scene_json(scene, c.json);
            ADD_FAILURE() << "no error for " << c.json;
        } catch (const standin::SceneFileError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(c.where + ": ", 0), 0u) << message;
            EXPECT_NE(message.find(c.phrase), std::string::npos) << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        }
    }
}

TEST(SceneJsonErrors, AFileThatCannotBeReadIsNamed) {
    standin_test::TempFolder folder;
    standin::Scene scene;
    const std::string missing = folder.file("missing.json");
    try {
        standin::load_scene_json(scene, missing);
        ADD_FAILURE() << "no error";
    } catch (const standin::SceneFileError& e) {
        EXPECT_EQ(std::string(e.what()), missing + ": cannot be read");
    }
    EXPECT_THROW(standin::load_scene_json(scene, folder.path().string()), standin::SceneFileError);
    // The error of a file's content names its path within the document.
    const std::string bad = folder.write("bad.json", R"({"nodes": [{"name": 1}]})");
    try {
        standin::load_scene_json(scene, bad);
        ADD_FAILURE() << "no error";
    } catch (const standin::SceneFileError& e) {
        EXPECT_EQ(std::string(e.what()), "/nodes/0/name: expected a text");
    }
}

}  // namespace
