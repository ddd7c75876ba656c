// Scene objects as the host evaluates them: geometry, shapes, cameras, lights and helpers.
#pragma once

#include <string>

#include "plugin/host/bezier_shape.h"
#include "plugin/host/geometry.h"
#include "plugin/host/interval.h"
#include "plugin/host/mesh.h"
#include "plugin/host/param_block.h"

namespace host {

class Node;
class TriObject;
class ShapeObject;
class CameraObject;
class GenLight;
class PhotometricLight;

// An object of the scene, as returned by a node's world-state evaluation. Objects belong to the
// host, except the temporaries made by convert_to_type (see there).
class Object : public Animatable {
  public:
    // The interval around t over which the object stays as it is at t.
    virtual Interval validity(TimeValue t) = 0;
    // Whether the object's points can be moved (meshes and shapes).
    virtual bool is_deformable() const = 0;
    // Whether the object renders; for shapes, whether the shape is set to render.
    virtual bool is_renderable() const = 0;
    // Whether the object belongs to the class family cid (its own class or a base class).
    virtual bool is_subclass_of(ClassId cid) const = 0;

    // Whether convert_to_type can produce an object of class cid.
    virtual bool can_convert_to(ClassId cid) const = 0;
    // The object as class cid at time t: this object itself when it already is one, else a new
    // temporary object that the caller disposes of with delete_this(); null when it cannot be
    // converted. Rule: the result is a temporary exactly when it is not this object.
    virtual Object* convert_to_type(TimeValue t, ClassId cid) = 0;
    // Disposes of a temporary made by convert_to_type. Does nothing for an object of the scene.
    virtual void delete_this() = 0;

    // Bounding boxes at t: in world space (placed by node) and in the object's own space.
    virtual Box3 world_bound_box(TimeValue t, Node& node) = 0;
    virtual Box3 local_bound_box(TimeValue t, Node& node) = 0;

    // Custom attributes attached to the object, in the order they were added.
    virtual int custom_attribute_count() const = 0;
    // The attribute at index; null out of range.
    virtual CustomAttribute* custom_attribute(int index) const = 0;

    // Kind-specific views; null when the object is not of that kind.
    virtual TriObject* as_tri_object() { return nullptr; }        // class (9, 0)
    virtual ShapeObject* as_shape_object() { return nullptr; }    // super class 0x40
    virtual CameraObject* as_camera_object() { return nullptr; }  // super class 0x20
    virtual GenLight* as_gen_light() { return nullptr; }          // standard and photometric
    virtual PhotometricLight* as_photometric_light() { return nullptr; }
};

// A triangle-mesh object. Its mesh stays valid while the object lives and is not re-evaluated.
class TriObject : public Object {
  public:
    virtual const Mesh& mesh() const = 0;
    TriObject* as_tri_object() override { return this; }
};

// A shape: one or more splines.
class ShapeObject : public Object {
  public:
    virtual bool can_make_bezier() const = 0;
    // Fills shape (replacing what it held) with the object's splines at t, in the object's own
    // coordinates.
    virtual void make_bezier(TimeValue t, BezierShape& shape) = 0;
    // The rendering thickness at t; valid (when given) is intersected with its validity.
    virtual float thickness(TimeValue t, Interval* valid) = 0;
    ShapeObject* as_shape_object() override { return this; }
};

// What a camera reports about itself at a time. Every field starts at zero.
struct CameraState {
    bool is_ortho = false;
    float fov = 0.0f;          // horizontal field of view, radians
    float tdist = 0.0f;        // target distance
    bool manual_clip = false;  // whether the clipping planes below apply
    float hither = 0.0f;       // near clipping distance
    float yon = 0.0f;          // far clipping distance
};

class CameraObject : public Object {
  public:
    // Fills state for time t and intersects valid with the state's validity. False on failure.
    virtual bool eval_camera_state(TimeValue t, Interval& valid, CameraState& state) = 0;
    CameraObject* as_camera_object() override { return this; }
};

// Standard light types as GenLight::light_type reports them.
enum LightType : int {
    kOmniLight = 0,
    kTargetSpotLight = 1,
    kDirectionalLight = 2,
    kFreeSpotLight = 3,
    kTargetDirectionalLight = 4,
};

// A light with a type, an intensity and a colour (standard lights, and photometric lights
// through PhotometricLight).
class GenLight : public Object {
  public:
    virtual int light_type() const = 0;
    // The intensity at t: the multiplier of a standard light, the photometric intensity of a
    // photometric light. valid, when given, is intersected with its validity.
    virtual float intensity(TimeValue t, Interval* valid) = 0;
    // The light colour at t, channels in 0 to 1.
    virtual Color rgb_color(TimeValue t, Interval* valid) = 0;
    GenLight* as_gen_light() override { return this; }
};

// Photometric type codes that the conversions handle (other codes exist).
enum PhotometricType : int {
    kPhotometricTargetPoint = 532,
    kPhotometricFreePoint = 533,
    kPhotometricTargetArea = 536,
    kPhotometricFreeArea = 537,
    kPhotometricSphere = 541,
    kPhotometricCylinder = 543,
};

// Photometric distribution codes.
enum PhotometricDistribution : int {
    kDistributionIsotropic = 0,
    kDistributionSpot = 1,
    kDistributionDiffuse = 2,
    kDistributionWeb = 3,
};

// A photometric light. Its parameter block 3 carries the web (photometric file) parameters:
// parameter 0 the file name (string), parameters 1 to 3 the web rotation about x, y and z in
// degrees (floats).
class PhotometricLight : public GenLight {
  public:
    // The light's type code (PhotometricType and others).
    virtual int type() const = 0;
    // The distribution code (PhotometricDistribution).
    virtual int distribution() const = 0;
    // The colour temperature in kelvin at t.
    virtual float kelvin(TimeValue t, Interval* valid) = 0;
    // The radius of a sphere or cylinder light at t.
    virtual float radius(TimeValue t, Interval* valid) = 0;
    // Copies up to buffer_size shape vertices (in the light's own space) into points and returns
    // the number of vertices the shape has. Points may be null to ask for the count only.
    virtual int shape(Point3* points, int buffer_size) const = 0;
    PhotometricLight* as_photometric_light() override { return this; }
};

}  // namespace host
