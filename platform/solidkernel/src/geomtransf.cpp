// Moving geometry by a transform while keeping every parameterisation, so that edge and
// face parameters, ranges and parameter-space curves stay valid; and baking a body's
// transform into its geometry.
#include "DefinitionTransform.h"
#include "ModelWalk.h"
#include "solidkernel/bodytrans.h"
#include "solidkernel/errors.h"
#include "solidkernel/geometry.h"
#include "solidkernel/transf.h"

#include <cmath>
#include <type_traits>

using namespace kernel_errors;

namespace {

// The parts of a transform that keeps angles: vectors scale by k and turn by R.
struct Conformal {
    const SPAtransf& transf;
    double k;
    bool reflects;
    explicit Conformal(const SPAtransf& t)
        : transf(t), k(transf_length_factor(t)), reflects(transf_determinant(t) < 0) {
        if (!is_conformal(t) || !(k > 0) || !std::isfinite(k)) kernel_fail(kNotConformalTransform);
    }
    SPAposition point(const SPAposition& p) const { return transf.apply(p); }
    SPAvector vector(const SPAvector& v) const { return transf.applyVector(v); }
    SPAvector direction(const SPAvector& v) const { return (1.0 / k) * transf.applyVector(v); }
    // A normal that follows the right-hand rule of two turned directions.
    SPAvector axial(const SPAvector& v) const { return (reflects ? -1.0 : 1.0) * direction(v); }
};

void moveApproximation(std::vector<SPAposition>& points, const SPAtransf& transf) {
    for (SPAposition& p : points) p = transf.apply(p);
}

}  // namespace

// ------------------------------------------------------------------ surfaces
void PLANE::apply_transf(const SPAtransf& transf) {
    Conformal c(transf);
    root = c.point(root);
    uDir = c.vector(uDir);  // keeps its length ratio to the parameter
    normal = c.direction(normal);
    if (c.reflects) reverseV = !reverseV;  // v = normal x u would turn the other way
}

void CONE::apply_transf(const SPAtransf& transf) {
    Conformal c(transf);
    centre = c.point(centre);
    major = c.vector(major);
    uScale *= c.k;
    if (c.reflects) {
        // Minor = ratio * (axis x major): an axis turned the other way keeps the angle's
        // direction, and the reversed radius keeps the axial term where it was.
        normal = -1.0 * c.direction(normal);
        reversed = !reversed;
    } else {
        normal = c.direction(normal);
    }
}

void SPHERE::apply_transf(const SPAtransf& transf) {
    Conformal c(transf);
    centre = c.point(centre);
    radius *= c.k;
    uvOrigin = c.direction(uvOrigin);
    pole = c.direction(pole);
    if (c.reflects) reverseV = !reverseV;
}

void TORUS::apply_transf(const SPAtransf& transf) {
    Conformal c(transf);
    centre = c.point(centre);
    normal = c.direction(normal);
    uvOrigin = c.direction(uvOrigin);
    majorRadius *= c.k;
    minorRadius *= c.k;
    if (c.reflects) reverseV = !reverseV;
}

void SPLINE::apply_transf(const SPAtransf& transf) {
    RawData definition = definition_;
    transform_definition(definition, transf);
    definition_.swap(definition);
    moveApproximation(surface_.points, transf);
}

// ------------------------------------------------------------------ curves
void STRAIGHT::apply_transf(const SPAtransf& transf) {
    root = transf.apply(root);
    direction = transf.applyVector(direction);
}

void ELLIPSE::apply_transf(const SPAtransf& transf) {
    Conformal c(transf);
    centre = c.point(centre);
    major = c.vector(major);
    normal = c.axial(normal);
}

void INTCURVE::apply_transf(const SPAtransf& transf) {
    RawData definition = definition_;
    transform_definition(definition, transf);
    definition_.swap(definition);
    moveApproximation(curve_.points, transf);
}

void PCURVE::apply_transf(const SPAtransf& transf) {
    if (kind_ == 0) transform_definition(definition_, transf, true);
}

// ------------------------------------------------------------------ bodies
namespace {

// The geometry a body reaches, each object once.
struct BodyGeometry {
    std::vector<SURFACE*> surfaces;
    std::vector<CURVE*> curves;
    std::vector<PCURVE*> pcurves;
    std::vector<APOINT*> points;
};

BodyGeometry collectGeometry(BODY* body) {
    BodyGeometry g;
    ENTITY_LIST all = model_walk::reachable(body);
    for (int i = 0; i < all.count(); ++i) {
        ENTITY* e = all[i];
        if (auto* s = dynamic_cast<SURFACE*>(e))
            g.surfaces.push_back(s);
        else if (auto* c = dynamic_cast<CURVE*>(e))
            g.curves.push_back(c);
        else if (auto* p = dynamic_cast<PCURVE*>(e))
            g.pcurves.push_back(p);
        else if (auto* a = dynamic_cast<APOINT*>(e))
            g.points.push_back(a);
    }
    return g;
}

// A reflection turns every loop inside out: seen along the moved normals, the face would lie
// right of its coedges. Running each ring the other way keeps it on their left.
void reverseRings(BODY* body) {
    ENTITY_LIST all = model_walk::reachable(body);
    for (int i = 0; i < all.count(); ++i) {
        COEDGE* start = nullptr;
        if (auto* loop = dynamic_cast<LOOP*>(all[i])) start = loop->start();
        if (auto* wire = dynamic_cast<WIRE*>(all[i])) start = wire->coedge();
        for (COEDGE* c : model_walk::loopRing(start)) {
            COEDGE* next = c->next();
            c->set_next(c->previous());
            c->set_previous(next);
            c->set_reversed(!c->reversed());
            if (auto* pcurve = dynamic_cast<PCURVE*>(c->geometry_entity())) pcurve->reverse();
        }
    }
}

// Applies the transform to copies first: every object either moves or none does.
void moveGeometry(const BodyGeometry& g, const SPAtransf& transf) {
    auto tryOnCopy = [&transf](auto* original) {
        using T = std::remove_pointer_t<decltype(original)>;
        T* copy = static_cast<T*>(original->make_copy());
        try {
            copy->apply_transf(transf);
        } catch (...) {
            delete copy;
            throw;
        }
        delete copy;
    };
    for (SURFACE* s : g.surfaces) tryOnCopy(s);
    for (CURVE* c : g.curves) tryOnCopy(c);
    for (PCURVE* p : g.pcurves) tryOnCopy(p);
    for (SURFACE* s : g.surfaces) s->apply_transf(transf);
    for (CURVE* c : g.curves) c->apply_transf(transf);
    for (PCURVE* p : g.pcurves) p->apply_transf(transf);
    for (APOINT* p : g.points) p->set_coords(transf.apply(p->coords()));
}

}  // namespace

outcome api_change_body_trans(BODY* body, TRANSFORM* newTransform, logical negate, AcisOptions*) {
    if (!body) return outcome(kNullEntity);
    return model_walk::guarded([&] {
        SPAtransf old = body->transform() ? body->transform()->transform() : SPAtransf();
        SPAtransf wanted;
        if (newTransform) {
            wanted = newTransform->transform();
            if (negate) {
                SPAtransf inverse;
                if (!invert_transf(wanted, inverse)) kernel_fail(kSingularTransform);
                wanted = inverse;
            }
        }
        // Geometry takes what the old transform did and the new one will no longer do.
        SPAtransf undoWanted;
        if (!invert_transf(wanted, undoWanted) || old.singular()) kernel_fail(kSingularTransform);
        SPAtransf change = old.then(undoWanted);
        if (!is_identity(change, 0.0)) {
            moveGeometry(collectGeometry(body), change);
            if (transf_determinant(change) < 0) reverseRings(body);
        }
        if (is_identity(wanted, 0.0)) {
            if (TRANSFORM* t = body->transform()) {
                body->set_transform(nullptr);
                // Another record of the body may still refer to it (an attribute, say):
                // then the body still owns it that way and deletes it with itself.
                if (model_walk::reachable(body).lookup(t) < 0) model_walk::destroy(t);
            }
        } else if (TRANSFORM* t = body->transform()) {
            t->set_transform(wanted);
        } else {
            auto* t2 = new TRANSFORM();
            t2->set_transform(wanted);
            body->set_transform(t2);
        }
    });
}
