// Class identifiers of the host: a pair of 32-bit numbers per class, and a super-class number
// per family of classes. The constants are the classes that the conversions recognise.
#pragma once

#include <cstdint>

namespace host {

struct ClassId {
    std::uint32_t a = 0;
    std::uint32_t b = 0;

    constexpr ClassId() = default;
    constexpr ClassId(std::uint32_t pa, std::uint32_t pb) : a(pa), b(pb) {}
    constexpr bool operator==(const ClassId& o) const { return a == o.a && b == o.b; }
    constexpr bool operator!=(const ClassId& o) const { return !(*this == o); }
    constexpr bool operator<(const ClassId& o) const { return a != o.a ? a < o.a : b < o.b; }
};

using SClassId = std::uint32_t;

// Super classes.
constexpr SClassId kNodeSuperClass = 0x1;  // scene nodes (what node handles resolve to)
constexpr SClassId kGeomObjectSuperClass = 0x10;
constexpr SClassId kCameraSuperClass = 0x20;
constexpr SClassId kLightSuperClass = 0x30;
constexpr SClassId kShapeSuperClass = 0x40;
constexpr SClassId kHelperSuperClass = 0x50;
constexpr SClassId kParamBlock2SuperClass = 0x82;
constexpr SClassId kMaterialSuperClass = 0xC00;
constexpr SClassId kTexmapSuperClass = 0xC10;

// Objects.
constexpr ClassId kTriObjectClassId{9, 0};     // the triangle-mesh object
constexpr ClassId kSplineShapeClassId{10, 0};  // the editable spline shape
constexpr ClassId kTargetClassId{0x1020, 0};   // camera and light targets (geometry)
constexpr ClassId kBoneClassId{0x28BF6E8D, 0x2ECCA840};
constexpr ClassId kSkippedGeometryClassId{0x608B1C8F, 0x2F0B0D2D};  // never exported as a mesh

// Lights.
constexpr ClassId kOmniLightClassId{0x1011, 0};
constexpr ClassId kSkyLightClassId{0x7BF61478, 0x522E4705};
// The photometric light family: every photometric light is a subclass of this class.
constexpr ClassId kPhotometricLightClassId{0x30331006, 0x02454BD3};

// Materials and maps.
constexpr ClassId kStandardMaterialClassId{2, 0};
constexpr ClassId kMultiMaterialClassId{0x200, 0};  // Multi/Sub-Object
// Material read by parameter block: colour in block 1, map switches and maps in block 4.
constexpr ClassId kBlockColorMaterialClassId{0x37BF3F2F, 0x7034695C};
// Material read by parameter name: bump amount and texmap_* parameters in block 0.
constexpr ClassId kNamedMapMaterialClassId{0x3F2C5FAA, 0x750008BC};
constexpr ClassId kBitmapTexClassId{0x240, 0};

// Function-published interfaces.
constexpr ClassId kLayerManagerInterfaceId{0x77FF1709, 0x19186E96};
constexpr ClassId kNodeEventInterfaceId{0x6A173454, 0x4B420BBC};

}  // namespace host
