#pragma once

// DXF gives arc and ellipse angles in degrees or radians by entity kind; the
// mapping converts between them with this one constant.
namespace mobrdxf {

constexpr double kPi = 3.14159265358979323846;

}  // namespace mobrdxf
