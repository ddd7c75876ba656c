// The scene interface's slot order is shared with the renderer's live library: a back end built
// by another party calls and implements the operations by position. These tests read the slot
// of each operation from its pointer-to-member (the Itanium C++ ABI, used by g++ on Linux and by
// MinGW, stores 1 + the byte offset of the vtable entry), so a reordered declaration fails here.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "importers/sceneapi/dev/sceneapi.h"

namespace {

#if defined(__GNUC__) && !defined(_MSC_VER)

template <typename Member>
long vtable_index(Member member) {
    static_assert(sizeof(Member) == 2 * sizeof(void*), "Itanium member pointer");
    std::uintptr_t words[2];
    std::memcpy(words, &member, sizeof words);
    EXPECT_EQ(words[0] & 1u, 1u) << "not a virtual operation";
    return static_cast<long>((words[0] - 1) / sizeof(void*));
}

// g++ gives a virtual destructor two vtable entries; tables of operations count it once. An
// interface whose destructor is declared first therefore has operation n at entry n + 1.
constexpr long kAfterDestructor = 1;

struct Slot {
    long number;
    long index;
    const char* name;
};

#define SLOT(n, op)                             \
    Slot {                                      \
        n, vtable_index(&zylScene_api::op), #op \
    }

TEST(SceneInterfaceAbi, OperationsKeepTheirSlots) {
    const Slot slots[] = {
        SLOT(1, reserved_1),
        SLOT(2, connect),
        SLOT(3, disconnect),
        SLOT(4, reserved_4),
        SLOT(5, begin_group),
        SLOT(6, end_group),
        SLOT(7, begin_object),
        SLOT(8, end_object),
        SLOT(9, begin_geometry),
        SLOT(10, end_geometry),
        SLOT(11, begin_animation),
        SLOT(12, end_animation),
        SLOT(13, begin_load),
        SLOT(14, end_load),
        SLOT(15, begin_options),
        SLOT(16, end_options),
        SLOT(17, begin_camera),
        SLOT(18, end_camera),
        SLOT(19, begin_image),
        SLOT(20, end_image),
        SLOT(21, begin_output),
        SLOT(22, end_output),
        SLOT(23, begin_light),
        SLOT(24, end_light),
        SLOT(25, begin_accel),
        SLOT(26, end_accel),
        SLOT(27, transform),
        SLOT(28, set_transform),
        SLOT(29, scale),
        SLOT(30, rotate),
        SLOT(31, translate),
        SLOT(32, begin_matrix),
        SLOT(33, end_matrix),
        SLOT(34, begin_material),
        SLOT(35, use_material),
        SLOT(36, end_material),
        SLOT(37, assign_shader_blob),
        SLOT(38, assign_shader),
        SLOT(39, begin_shader),
        SLOT(40, begin_shader_numbered),
        SLOT(41, end_shader),
        SLOT(42, current_blob),
        SLOT(43, push_blob),
        SLOT(44, pop_blob),
        SLOT(45, param),
        SLOT(46, param_shader),
        SLOT(47, param_shader_blob),
        SLOT(48, begin_list),
        SLOT(49, end_list),
        SLOT(50, list_item),
        SLOT(51, reserved_51),
        SLOT(52, reserved_52),
        SLOT(53, reserved_53),
        SLOT(54, attribute),
        SLOT(55, write_raw),
        SLOT(56, set_mode),
        SLOT(57, version),
        SLOT(58, reserved_58),
        SLOT(59, progress),
        SLOT(60, icon),
        SLOT(61, write_bytes),
        SLOT(62, set_id),
        SLOT(63, set_flags),
        SLOT(64, reserved_64),
        SLOT(65, render),
        SLOT(66, print_message),
        SLOT(67, error_message),
    };
    ASSERT_EQ(std::size(slots), 67u);
    for (const Slot& slot : slots) {
        EXPECT_EQ(slot.index, slot.number + kAfterDestructor) << slot.name;
    }
    // The file writer's own operation comes right after the 67 shared ones.
    EXPECT_EQ(vtable_index(&zylScene_api_file::modify_camera), 68 + kAfterDestructor);
}
#undef SLOT

TEST(SceneInterfaceAbi, FileWriterAnswersTheCallsItDoesNotServe) {
    zylScene_api_file writer(nullptr, true);
    zylScene_api& api = writer;
    EXPECT_FALSE(api.connect("localhost", 5555, 0));
    EXPECT_FALSE(api.disconnect());
    EXPECT_FALSE(api.reserved_4());
    EXPECT_FALSE(api.reserved_64());
    EXPECT_EQ(api.reserved_51(), 10);
    EXPECT_EQ(api.reserved_52(), 10);
    EXPECT_EQ(api.reserved_53(), 0);
}

TEST(FrontEndAbi, OperationsKeepTheirSlots) {
    using zyl::zylSceneapi_oo;
    using P = void (zylSceneapi_oo::*)(const std::string&, const char*);
    EXPECT_EQ(vtable_index(&zylSceneapi_oo::attach), 1 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zylSceneapi_oo::new_id), 2 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zylSceneapi_oo::emit), 3 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zylSceneapi_oo::progress), 4 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zylSceneapi_oo::begin_group), 5 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zylSceneapi_oo::end_group), 6 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zylSceneapi_oo::begin_shader), 7 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zylSceneapi_oo::end_shader), 8 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<P>(&zylSceneapi_oo::param)), 9 + kAfterDestructor);
    using Text = void (zylSceneapi_oo::*)(const std::string&, const std::string&);
    using Float3 = void (zylSceneapi_oo::*)(const std::string&, const zyl::Float3&);
    using Double3 = void (zylSceneapi_oo::*)(const std::string&, const zyl::Double3&);
    using Double = void (zylSceneapi_oo::*)(const std::string&, double);
    using Float = void (zylSceneapi_oo::*)(const std::string&, float);
    using Int = void (zylSceneapi_oo::*)(const std::string&, int32_t);
    using Bool = void (zylSceneapi_oo::*)(const std::string&, bool);
    using Matrices =
        void (zylSceneapi_oo::*)(const std::string&, const std::vector<zyl::Matrix4d>&);
    using Ints = void (zylSceneapi_oo::*)(const std::string&, const std::vector<int32_t>&);
    using Floats = void (zylSceneapi_oo::*)(const std::string&, const std::vector<float>&);
    using Doubles = void (zylSceneapi_oo::*)(const std::string&, const std::vector<double>&);
    using Triples = void (zylSceneapi_oo::*)(const std::string&, const std::vector<zyl::Float3>&);
    EXPECT_EQ(vtable_index(static_cast<Text>(&zylSceneapi_oo::param)), 10 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Float3>(&zylSceneapi_oo::param)), 11 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Double3>(&zylSceneapi_oo::param)), 12 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Double>(&zylSceneapi_oo::param)), 13 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Float>(&zylSceneapi_oo::param)), 14 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Int>(&zylSceneapi_oo::param)), 15 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Bool>(&zylSceneapi_oo::param)), 16 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Matrices>(&zylSceneapi_oo::param)), 17 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Ints>(&zylSceneapi_oo::param)), 18 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Floats>(&zylSceneapi_oo::param)), 19 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Doubles>(&zylSceneapi_oo::param)), 20 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Triples>(&zylSceneapi_oo::param)), 21 + kAfterDestructor);
    using Transform1 = void (zylSceneapi_oo::*)(const zyl::Matrix4d&);
    using Transform2 = void (zylSceneapi_oo::*)(const zyl::Matrix4d&, bool);
    EXPECT_EQ(vtable_index(static_cast<Transform1>(&zylSceneapi_oo::transform)),
              22 + kAfterDestructor);
    EXPECT_EQ(vtable_index(static_cast<Transform2>(&zylSceneapi_oo::transform)),
              23 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zylSceneapi_oo::set_flags), 24 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zylSceneapi_oo::api), 25 + kAfterDestructor);
}

TEST(NodeAndFactoryAbi, OperationsKeepTheirSlots) {
    // The node base declares its destructor last.
    EXPECT_EQ(vtable_index(&zyl::LightNode::emit), 0);
    EXPECT_EQ(vtable_index(&zyl::LightNode::define), 1);
    EXPECT_EQ(vtable_index(&zyl::LightNode::is_defined), 2);
    EXPECT_EQ(vtable_index(&zyl::LightModule::write_options), 5);
    EXPECT_EQ(vtable_index(&zyl::LightFactory::get_api), 1 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zyl::LightFactory::start), 2 + kAfterDestructor);
    EXPECT_EQ(vtable_index(&zyl::LightFactory::close), 3 + kAfterDestructor);
}

#endif

}  // namespace
