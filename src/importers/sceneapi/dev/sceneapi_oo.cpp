#include "importers/sceneapi/dev/sceneapi_oo.h"

#include <cstdio>
#include <stdexcept>

namespace zyl {

namespace {

// The build time stamp in the banner's form ("Tue Apr 30 15:11:26 2019"), from the compiler's
// __DATE__ ("Apr 30 2019") and __TIME__ ("15:11:26").
std::string build_stamp() {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static const char* const weekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const std::string date = __DATE__;
    const std::string time = __TIME__;
    int month = 0;
    while (month < 12 && date.compare(0, 3, months[month]) != 0) {
        ++month;
    }
    const int day = std::stoi(date.substr(4, 2));
    const int year = std::stoi(date.substr(7, 4));
    // Day of the week by Sakamoto's method; no time zone is involved.
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int y = month < 2 ? year - 1 : year;
    const int weekday = (y + y / 4 - y / 100 + y / 400 + offsets[month % 12] + day) % 7;
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %2d %s %d", weekdays[weekday], months[month % 12], day,
                  time.c_str(), year);
    return text;
}

template <typename T>
ArrayDesc describe(const std::vector<T>& values) {
    return ArrayDesc{values.data(), static_cast<int32_t>(values.size())};
}

}  // namespace

std::string banner_text() {
    return "Vistrel SceneApi oo " + std::to_string(kLibraryVersionMajor) + "." +
           std::to_string(kLibraryVersionMinor) + "." + std::to_string(kLibraryVersionBuild) +
           "  (built " + build_stamp() + ")";
}

zylSceneapi_oo::zylSceneapi_oo(LightFactory* factory) : factory_(factory) {
    attach(factory_ ? factory_->get_api() : nullptr);
    if (!api_) {
        return;
    }
    factory_->start(*this);
    api_->print_message(banner_text().c_str());
    api_->version(kFormatVersion);
}

zylSceneapi_oo::~zylSceneapi_oo() = default;

int zylSceneapi_oo::attach(zylScene_api* api) {
    api_ = api;
    shader_counter_ = 0;
    id_counter_ = 0;
    return 0;
}

int32_t zylSceneapi_oo::new_id() {
    ++id_counter_;
    api_->set_id(static_cast<uint32_t>(id_counter_));
    return id_counter_;
}

void zylSceneapi_oo::emit(LightNode& node) {
    node.emit(*this);
}

void zylSceneapi_oo::progress(const std::string& label, float fraction) {
    api_->progress(label.c_str(), fraction);
}

void zylSceneapi_oo::begin_group(const std::string& name) {
    api_->begin_group(name.c_str(), true);
}

void zylSceneapi_oo::end_group() {
    api_->end_group();
}

int32_t zylSceneapi_oo::begin_shader(const std::string& type) {
    ++shader_counter_;
    api_->begin_shader_numbered(type.c_str(), shader_counter_);
    return shader_counter_;
}

void zylSceneapi_oo::end_shader() {
    api_->end_shader();
}

void zylSceneapi_oo::param(const std::string&, const char*) {
    throw std::invalid_argument("const char * are deprecated");
}

void zylSceneapi_oo::param(const std::string& name, const std::string& value) {
    api_->param(name.c_str(), VT_STRING, value.c_str());
}

void zylSceneapi_oo::param(const std::string& name, const Float3& value) {
    api_->param(name.c_str(), VT_FLOAT3, value.data());
}

void zylSceneapi_oo::param(const std::string& name, const Double3& value) {
    api_->param(name.c_str(), VT_DOUBLE3, value.data());
}

void zylSceneapi_oo::param(const std::string& name, double value) {
    api_->param(name.c_str(), VT_DOUBLE, &value);
}

void zylSceneapi_oo::param(const std::string& name, float value) {
    api_->param(name.c_str(), VT_FLOAT, &value);
}

void zylSceneapi_oo::param(const std::string& name, int32_t value) {
    api_->param(name.c_str(), VT_INT, &value);
}

void zylSceneapi_oo::param(const std::string& name, bool value) {
    const int32_t flag = value ? 1 : 0;
    api_->param(name.c_str(), VT_BOOL, &flag);
}

void zylSceneapi_oo::param(const std::string& name, const std::vector<Matrix4d>& values) {
    const ArrayDesc array = describe(values);
    api_->param(name.c_str(), VT_ARRAY + VT_MATRIX, &array);
}

void zylSceneapi_oo::param(const std::string& name, const std::vector<int32_t>& values) {
    const ArrayDesc array = describe(values);
    api_->param(name.c_str(), VT_ARRAY + VT_INT, &array);
}

void zylSceneapi_oo::param(const std::string& name, const std::vector<float>& values) {
    const ArrayDesc array = describe(values);
    api_->param(name.c_str(), VT_ARRAY + VT_FLOAT, &array);
}

void zylSceneapi_oo::param(const std::string& name, const std::vector<double>& values) {
    const ArrayDesc array = describe(values);
    api_->param(name.c_str(), VT_ARRAY + VT_DOUBLE, &array);
}

void zylSceneapi_oo::param(const std::string& name, const std::vector<Float3>& values) {
    const ArrayDesc array = describe(values);
    api_->param(name.c_str(), VT_ARRAY + VT_FLOAT3, &array);
}

void zylSceneapi_oo::transform(const Matrix4d& matrix) {
    transform(matrix, false);
}

void zylSceneapi_oo::transform(const Matrix4d& matrix, bool set) {
    if (set) {
        api_->set_transform(matrix.data());
    } else {
        api_->transform(matrix.data());
    }
}

void zylSceneapi_oo::set_flags(uint32_t flags) {
    api_->set_flags(flags);
}

zylScene_api* zylSceneapi_oo::api() {
    return api_;
}

void zylSceneapi_oo::error(const std::string& message) {
    api_->error_message(message.c_str());
}

}  // namespace zyl
