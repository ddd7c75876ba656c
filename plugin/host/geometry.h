// The host's geometry value types: points, colours, 4x3 transforms and bounding boxes.
// Transforms follow the row-vector convention: a point p maps to p * M, and the fourth row holds
// the translation.
#pragma once

#include <array>

namespace host {

struct Point3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Point3() = default;
    Point3(float px, float py, float pz) : x(px), y(py), z(pz) {}

    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }

    Point3 operator+(const Point3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Point3 operator-(const Point3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Point3 operator-() const { return {-x, -y, -z}; }
    Point3 operator*(float s) const { return {x * s, y * s, z * s}; }
    Point3 operator/(float s) const { return {x / s, y / s, z / s}; }
    Point3& operator+=(const Point3& o) { return *this = *this + o; }
    Point3& operator-=(const Point3& o) { return *this = *this - o; }
    Point3& operator*=(float s) { return *this = *this * s; }
    bool operator==(const Point3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Point3& o) const { return !(*this == o); }
};

// Dot product.
float dot(const Point3& a, const Point3& b);
// Cross product a x b (right-handed).
Point3 cross(const Point3& a, const Point3& b);
// Euclidean length.
float length(const Point3& p);
// p scaled to length 1; a zero (or non-finite) vector is returned unchanged.
Point3 normalize(const Point3& p);

// A colour, three channels in 0 to 1.
struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    Color() = default;
    Color(float pr, float pg, float pb) : r(pr), g(pg), b(pb) {}
    bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Color& o) const { return !(*this == o); }
};

// A 4x3 transform: rows 0 to 2 are the images of the x, y and z axes, row 3 the translation.
class Matrix3 {
  public:
    // The identity.
    Matrix3();
    Matrix3(const Point3& r0, const Point3& r1, const Point3& r2, const Point3& r3);

    static Matrix3 identity() { return Matrix3(); }
    static Matrix3 translation(const Point3& t);
    static Matrix3 scaling(const Point3& s);
    // Rotation by angle radians about the x, y or z axis; positive angles turn y towards z, z
    // towards x and x towards y.
    static Matrix3 rotation_x(float angle);
    static Matrix3 rotation_y(float angle);
    static Matrix3 rotation_z(float angle);

    const Point3& row(int i) const { return rows_[i]; }
    void set_row(int i, const Point3& r) { rows_[i] = r; }
    const Point3& translation() const { return rows_[3]; }
    void set_translation(const Point3& t) { rows_[3] = t; }

    // this * other: apply this first, then other.
    Matrix3 operator*(const Matrix3& other) const;
    Matrix3& operator*=(const Matrix3& other) { return *this = *this * other; }
    bool operator==(const Matrix3& o) const;
    bool operator!=(const Matrix3& o) const { return !(*this == o); }

    // Determinant of the 3x3 part.
    float determinant() const;
    // Makes rows 0, 1 and 2 mutually perpendicular (Gram-Schmidt in the order x, y, z), keeping
    // each row's length and the translation; a zero row stays zero.
    void orthogonalize();

  private:
    std::array<Point3, 4> rows_;
};

// The point p * m (rotation, scale and translation).
Point3 operator*(const Point3& p, const Matrix3& m);
// The direction v * m without the translation.
Point3 transform_vector(const Point3& v, const Matrix3& m);
// The inverse transform, so that m * inverse(m) is the identity. A singular matrix (determinant
// zero or not finite) gives the identity, so that one degenerate node cannot poison a whole
// hierarchy with NaN.
Matrix3 inverse(const Matrix3& m);

// An axis-aligned box. A new box is empty; adding points or boxes grows it.
class Box3 {
  public:
    Box3();
    Box3(const Point3& pmin, const Point3& pmax) : min_(pmin), max_(pmax) {}

    bool is_empty() const;
    void init();  // makes the box empty again
    const Point3& min() const { return min_; }
    const Point3& max() const { return max_; }
    Point3 center() const { return (min_ + max_) * 0.5f; }
    // The diagonal max - min; zero for an empty box.
    Point3 width() const;

    // Union with a point or another box; an empty box adds nothing.
    Box3& operator+=(const Point3& p);
    Box3& operator+=(const Box3& b);

  private:
    Point3 min_;
    Point3 max_;
};

// The box around the eight corners of b transformed by m; empty when b is empty.
Box3 operator*(const Box3& b, const Matrix3& m);

}  // namespace host
