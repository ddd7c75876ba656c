// What every object of the stand-in scene shares: its class, custom attributes and parameter
// blocks, its evaluation at a time, and the rule for temporaries.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plugin/host/node.h"
#include "plugin/host/object.h"
#include "standin/host/param_block.h"

namespace standin {

// The scene's side of an object: the node owns it through this base.
class SceneObject {
  public:
    virtual ~SceneObject() = default;
    virtual host::Object& host_object() = 0;
    // Brings the object to time t; called by the node's world-state evaluation.
    virtual void evaluate(host::TimeValue t) = 0;
    // Adds a custom attribute at the end and returns it.
    virtual CustomAttribute& add_custom_attribute(std::u16string name) = 0;
};

// host::Object over any host object interface Base: a fixed super class, a class id, custom
// attributes and parameter blocks. Defaults: valid forever, not deformable, not renderable,
// converts only to its own class (itself), a point-sized box at the origin.
template <class Base>
class ObjectImpl : public AnimatableImpl<Base>, public SceneObject {
  public:
    ObjectImpl(host::SClassId super_class, host::ClassId class_id)
        : super_class_(super_class), class_id_(class_id) {}

    host::Object& host_object() override { return *this; }
    void evaluate(host::TimeValue) override {}
    CustomAttribute& add_custom_attribute(std::u16string name) override {
        attributes_.push_back(std::make_unique<CustomAttribute>(std::move(name)));
        return *attributes_.back();
    }

    host::SClassId super_class_id() const override { return super_class_; }
    host::ClassId class_id() const override { return class_id_; }
    void set_class_id(host::ClassId cid) { class_id_ = cid; }

    host::Interval validity(host::TimeValue) override { return host::Interval::forever(); }
    bool is_deformable() const override { return false; }
    bool is_renderable() const override { return false; }
    bool is_subclass_of(host::ClassId cid) const override { return cid == class_id_; }
    bool can_convert_to(host::ClassId cid) const override { return cid == class_id_; }
    host::Object* convert_to_type(host::TimeValue t, host::ClassId cid) override {
        if (cid != class_id_) {
            return nullptr;
        }
        evaluate(t);
        return this;
    }
    // Objects of the scene are never disposed of by a caller.
    void delete_this() override {}

    host::Box3 world_bound_box(host::TimeValue t, host::Node& node) override {
        return local_box(t) * node.object_tm(t, nullptr);
    }
    host::Box3 local_bound_box(host::TimeValue t, host::Node&) override { return local_box(t); }

    int custom_attribute_count() const override { return static_cast<int>(attributes_.size()); }
    host::CustomAttribute* custom_attribute(int index) const override {
        if (index < 0 || index >= custom_attribute_count()) {
            return nullptr;
        }
        return attributes_[static_cast<std::size_t>(index)].get();
    }
    CustomAttribute* attribute(int index) const {
        return static_cast<CustomAttribute*>(custom_attribute(index));
    }

  protected:
    // The object's box in its own space at t.
    virtual host::Box3 local_box(host::TimeValue) {
        return host::Box3(host::Point3(), host::Point3());
    }

  private:
    host::SClassId super_class_;
    host::ClassId class_id_;
    std::vector<std::unique_ptr<CustomAttribute>> attributes_;
};

// Counts the temporaries made by conversions that are still alive, so that tests can prove
// every one is disposed of.
using TemporaryCounter = std::shared_ptr<int>;

// An object made by convert_to_type: delete_this() disposes of it.
template <class T>
class Temporary final : public T {
  public:
    template <class... Args>
    explicit Temporary(TemporaryCounter counter, Args&&... args)
        : T(std::forward<Args>(args)...), counter_(std::move(counter)) {
        ++*counter_;
    }
    void delete_this() override {
        --*counter_;
        delete this;
    }

  private:
    TemporaryCounter counter_;
};

}  // namespace standin
