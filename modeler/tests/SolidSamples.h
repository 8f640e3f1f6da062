// Solids with known area and volume, written as SAT text for the display tests: boxes,
// cylinders, cone frustums, spheres, hemispheres, tori, a box with a round hole through it.
#pragma once

#include <string>

namespace solid_samples {

struct Solid {
    std::string sat;
    double area;
    double volume;
};

Solid box(double x, double y, double z);
Solid cylinder(double radius, double height);
Solid coneFrustum(double bottomRadius, double topRadius, double height);
Solid sphere(double radius);
// The upper half of a sphere: a sphere face bounded by the equator, and the disk under it.
Solid hemisphere(double radius);
Solid torus(double major, double minor);
// A sphere with the cap beyond the plane x = radius cos(angle) cut off: the sphere face has
// a round hole (not around a pole) closed by a flat disk.
Solid cutSphere(double radius, double angle);
// A box with a cylindrical hole of the given radius through it along z.
Solid boxWithHole(double x, double y, double z, double radius);
// The cylinder with a body transform (rows, translation, scale) as entity text stores it.
Solid transformedCylinder(double radius, double height, const double rows[9], const double shift[3], double scale);
// The cylinder with a colour on its side face: the kernel's own colour attribute, or the
// host's.
std::string colouredCylinder(double radius, double height, int colour, bool kernelColour);

}  // namespace solid_samples
