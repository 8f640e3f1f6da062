// Faceting: how closely facets must follow their surfaces (REFINEMENT), faceting a body's
// faces, and the mesh of one face as polygons of points (POLYGON_POINT_MESH).
//
// Facets of a body fit together: an edge two faces share is divided once and both faces
// use its points, so the mesh of a closed body is closed. Facets run counter-clockwise seen
// from outside the material, and their points are in model space (the body's transform
// applied).
#pragma once

#include "solidkernel/entity.h"
#include "solidkernel/outcome.h"
#include "solidkernel/vecmath.h"

#include <vector>

class FACE;

class REFINEMENT {
public:
    // Largest distance of a facet from its surface, in model units; 0 or less: no limit.
    double surface_tol() const { return surfaceTol_; }
    void set_surface_tol(double tol) { surfaceTol_ = tol; }
    // Largest angle in degrees between a facet and the surface it stands for. Neighbouring
    // mesh points are placed so that their normals differ by at most 0.4 of it.
    double normal_tol() const { return normalTol_; }
    void set_normal_tol(double degrees) { normalTol_ = degrees; }
    // 0: no points inside faces beyond what the boundary brings; 1 (and above): a grid of
    // points inside faces wherever the surface bends.
    int grid_mode() const { return gridMode_; }
    void set_grid_mode(int mode) { gridMode_ = mode; }
    // How the grid is fitted to a face's boundary. This faceter has one way (0): grid lines
    // stay where the tolerances put them and the triangulation joins them to the boundary.
    int adjust_mode() const { return adjustMode_; }
    void set_adjust_mode(int mode) { adjustMode_ = mode; }
    // Shape of the facets. This faceter makes triangles in every mode; 3 asks for exactly
    // that.
    int triang_mode() const { return triangMode_; }
    void set_triang_mode(int mode) { triangMode_ = mode; }
    // Most grid lines in each parameter direction of a face that the surface tolerance may
    // ask for. The normal tolerance is met regardless (up to 1000 spans a direction).
    int max_grid_lines() const { return maxGridLines_; }
    void set_max_grid_lines(int lines) { maxGridLines_ = lines; }

    // Refinements handed out by api_get_default_refinement are released with lose().
    void lose() { delete this; }

    static void* operator new(std::size_t size) { return acis_allocate(size, __FILE__, __LINE__); }
    static void operator delete(void* block) { acis_discard(block); }

private:
    double surfaceTol_ = -1.0;
    double normalTol_ = 15.0;
    int gridMode_ = 1;
    int adjustMode_ = 0;
    int triangMode_ = 3;
    int maxGridLines_ = 300;
};

class POLYGON_VERTEX {
public:
    const SPAposition& point() const { return point_; }
    const SPAvector& normal() const { return normal_; }  // the face's outward normal there
    POLYGON_VERTEX* next() const { return next_; }

private:
    friend class POLYGON_POINT_MESH;
    SPAposition point_;
    SPAvector normal_;
    POLYGON_VERTEX* next_ = nullptr;
};

class POLYGON {
public:
    POLYGON_VERTEX* first() const { return first_; }
    int count() const { return count_; }
    POLYGON* next() const { return next_; }

private:
    friend class POLYGON_POINT_MESH;
    POLYGON_VERTEX* first_ = nullptr;
    POLYGON* next_ = nullptr;
    int count_ = 0;
};

class POLYGON_POINT_MESH {
public:
    POLYGON_POINT_MESH() = default;
    POLYGON_POINT_MESH(const POLYGON_POINT_MESH& other);
    POLYGON_POINT_MESH& operator=(const POLYGON_POINT_MESH&) = delete;

    POLYGON* first() const { return polygons_.empty() ? nullptr : const_cast<POLYGON*>(&polygons_.front()); }
    int polygon_count() const { return static_cast<int>(polygons_.size()); }

    // Building: a polygon of the given points (in order) and normals.
    void add_polygon(const std::vector<SPAposition>& points, const std::vector<SPAvector>& normals);
    // Links the polygons and their vertex chains; called once all are added.
    void finish();

private:
    std::vector<POLYGON> polygons_;
    std::vector<POLYGON_VERTEX> vertices_;
    std::vector<int> starts_;
};

// The refinement faces get unless they carry their own: a new object the caller releases
// with lose(). Surface mode 0 is the refinement of every kind of surface (the only one).
outcome api_get_default_refinement(REFINEMENT*& refinement, int surfaceMode = 0);
outcome api_set_default_refinement(const REFINEMENT* refinement, int surfaceMode = 0);

// Facets every face of the entity (a body, lump, shell or face) with the default
// refinement. The meshes are kept until taken or until the next faceting.
outcome api_facet_entity(ENTITY* entity);
// The mesh of a faceted face, or null when it has none (not faceted, or nothing to show).
// take 1 hands the mesh over (the caller deletes it) and forgets it; take 0 gives a copy.
outcome api_get_face_facets(FACE* face, POLYGON_POINT_MESH*& mesh, int take = 1);
