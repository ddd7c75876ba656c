// The base of every scene object: it knows how to write itself through the object front end.
#pragma once

namespace zyl {

class zylSceneapi_oo;

class LightNode {
  public:
    // Writes the node where it stands.
    virtual void emit(zylSceneapi_oo& api) = 0;
    // Writes the node as a definition that later emits refer to.
    virtual void define(zylSceneapi_oo& api) = 0;
    virtual bool is_defined() const = 0;
    virtual ~LightNode() = default;
};

}  // namespace zyl
