// A back-end factory decides where a scene description goes (a file, or the live link).
#pragma once

class zylScene_api;

namespace zyl {

class zylSceneapi_oo;

class LightFactory {
  public:
    // Implementations close the back end as close() does.
    virtual ~LightFactory() = default;
    // The back end's scene interface; null once closed.
    virtual zylScene_api* get_api() = 0;
    // Called once by the front end right after it is bound.
    virtual void start(zylSceneapi_oo& api) = 0;
    // Ends the back end and releases the output; a second call does nothing.
    virtual void close() = 0;
};

}  // namespace zyl
