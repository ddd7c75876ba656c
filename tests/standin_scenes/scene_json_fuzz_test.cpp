// Malformed input of every kind: every truncation of a scene that uses every feature, byte
// mutations, every value replaced by values of other types and every member removed. The reader
// either accepts the document or throws SceneFileError with a one-line message that names a
// place; never another exception and never a crash (CI runs this under the sanitizers too).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "standin/host/scene_json.h"
#include "tests/standin_scenes/full_scene.h"

namespace {

using Json = nlohmann::json;

// Reads text into a fresh scene; fails the test on anything but success or a SceneFileError
// whose message starts with a JSON path or a line number.
void read_or_fail_cleanly(const std::string& text, const std::string& what) {
    standin::Scene scene;
    try {
        standin::read_scene_json(scene, text);
    } catch (const standin::SceneFileError& e) {
        const std::string message = e.what();
        EXPECT_TRUE(message.rfind("/", 0) == 0 || message.rfind("line ", 0) == 0)
            << what << ": " << message;
        EXPECT_NE(message.find(": "), std::string::npos) << what << ": " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << what << ": " << message;
    } catch (const std::exception& e) {
        ADD_FAILURE() << what << ": unexpected exception " << e.what();
    }
}

// The JSON Pointer of every value in j (the document itself included).
void collect_pointers(const Json& j, const Json::json_pointer& at,
                      std::vector<Json::json_pointer>& out) {
    out.push_back(at);
    if (j.is_object()) {
        for (const auto& item : j.items()) {
            collect_pointers(item.value(), at / item.key(), out);
        }
    } else if (j.is_array()) {
        for (std::size_t i = 0; i < j.size(); ++i) {
            collect_pointers(j[i], at / i, out);
        }
    }
}

Json full_scene() {
    return Json::parse(standin_test::full_scene_json(), nullptr, true, true);
}

TEST(SceneJsonFuzz, TheFullSceneReads) {
    standin::Scene scene;
    EXPECT_NO_THROW(standin::read_scene_json(scene, full_scene().dump()));
}

TEST(SceneJsonFuzz, EveryTruncationFailsCleanly) {
    const std::string text = full_scene().dump();
    for (std::size_t n = 0; n < text.size(); ++n) {
        read_or_fail_cleanly(text.substr(0, n), "cut at " + std::to_string(n));
    }
}

TEST(SceneJsonFuzz, ByteMutationsFailCleanly) {
    const std::string text = full_scene().dump();
    const char replacements[] = {'\0', '"', '{', '}', '[', ']', ',', ':', '-', '9', 'e', '\xff'};
    for (std::size_t at = 0; at < text.size(); at += 5) {
        for (char c : replacements) {
            std::string mutated = text;
            mutated[at] = c;
            read_or_fail_cleanly(mutated, "byte " + std::to_string(at) + " = " + std::string(1, c));
        }
    }
}

TEST(SceneJsonFuzz, WrongTypesEverywhereFailCleanly) {
    const Json doc = full_scene();
    std::vector<Json::json_pointer> pointers;
    collect_pointers(doc, Json::json_pointer(), pointers);
    const Json replacements[] = {
        nullptr,
        true,
        0,
        -1,
        4294967296LL,
        -9223372036854775807LL,
        18446744073709551615ULL,
        0.5,
        -1e30,
        "",
        "x",
        Json::array(),
        Json::array({0}),
        Json::array({Json::array({0, 0, 0})}),
        Json::array({0, 0, 0, 0}),
        Json::object(),
        Json::object({{"name", "q"}}),
    };
    for (const Json::json_pointer& p : pointers) {
        for (const Json& r : replacements) {
            Json mutated = doc;
            mutated[p] = r;
            read_or_fail_cleanly(mutated.dump(), p.to_string() + " = " + r.dump());
        }
    }
}

TEST(SceneJsonFuzz, EveryMissingMemberFailsCleanly) {
    const Json doc = full_scene();
    std::vector<Json::json_pointer> pointers;
    collect_pointers(doc, Json::json_pointer(), pointers);
    for (const Json::json_pointer& p : pointers) {
        if (p.empty()) {
            continue;
        }
        Json mutated = doc;
        Json& parent = mutated[p.parent_pointer()];
        if (parent.is_object()) {
            parent.erase(p.back());
        } else {
            parent.erase(static_cast<std::size_t>(std::stoul(p.back())));
        }
        read_or_fail_cleanly(mutated.dump(), "without " + p.to_string());
    }
}

// Deep nesting anywhere is refused with the error, never by running out of stack.
TEST(SceneJsonFuzz, DeepNestingFailsCleanly) {
    const std::string open(100000, '[');
    const std::string close(100000, ']');
    read_or_fail_cleanly(R"({"nodes": )" + open + close + "}", "nested arrays in nodes");
    read_or_fail_cleanly(R"({"time": )" + open + close + "}", "nested arrays in time");
    std::string children = R"({"nodes": [)";
    for (int i = 0; i < 20000; ++i) {
        children += R"({"name": "n", "children": [)";
    }
    for (int i = 0; i < 20000; ++i) {
        children += "]}";
    }
    read_or_fail_cleanly(children + "]}", "nested children");
}

}  // namespace
