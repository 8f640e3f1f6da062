// Bounded curves: an edge's curve between its ends, in the edge's sense, and the searches
// object snapping runs on them.
#include "solidkernel/boundedcurve.h"

#include "CurveSearch.h"
#include "ModelWalk.h"
#include "solidkernel/tolerance.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

// Lines have closed forms over the whole line.
class BoundedLine : public BOUNDED_CURVE {
public:
    double param_nearest_to_ray(const pick_ray& ray) const override {
        const auto& line = static_cast<const STRAIGHT&>(*curve_);
        SPAvector d = edgeDirection(line);
        SPAvector w = line.root - ray.root;
        double dd = dot(d, d), de = dot(d, ray.direction), ee = dot(ray.direction, ray.direction);
        double denominator = dd * ee - de * de;
        if (dd == 0) return start_;  // a degenerate line is all one point
        // Closest points of the two lines; for a parallel or point ray, the foot of its root.
        double curveParam = denominator > 1e-14 * dd * (ee > 0 ? ee : 1)
                                ? (de * dot(ray.direction, w) - ee * dot(d, w)) / denominator
                                : -dot(d, w) / dd;
        return toEdge(line, curveParam);
    }
    void closest_point(const SPAposition& point, SPAposition& foot, double& param) const override {
        const auto& line = static_cast<const STRAIGHT&>(*curve_);
        param = toEdge(line, line.param(point));
        foot = eval_position(param);
    }

private:
    SPAvector edgeDirection(const STRAIGHT& line) const { return line.direction; }
    // The curve parameter of the line's own parameterisation as an edge parameter.
    double toEdge(const STRAIGHT&, double curveParam) const {
        return reversed_ ? -curveParam : curveParam;
    }
};

// Ellipses: the searches cover one whole period from the edge's start.
class BoundedArc : public BOUNDED_CURVE {
protected:
    void search_extent(double& low, double& high) const override {
        low = start_;
        high = start_ + kTwoPi;
    }
};

class BoundedIntcurve : public BOUNDED_CURVE {};

double squaredDistanceToRay(const SPAposition& p, const pick_ray& ray, SPAvector* perpendicular) {
    SPAvector w = p - ray.root;
    SPAvector perp = w - dot(w, ray.direction) * ray.direction;
    if (perpendicular) *perpendicular = perp;
    return dot(perp, perp);
}

int searchSamples(const CURVE& curve) {
    if (auto* spline = dynamic_cast<const INTCURVE*>(&curve))
        return static_cast<int>(std::clamp<std::size_t>(4 * spline->approximation().points.size(),
                                                        32, curve_search::kMaxSamples));
    return 32;
}

}  // namespace

BOUNDED_CURVE::~BOUNDED_CURVE() {
    delete ownCopy_;
}

logical BOUNDED_CURVE::closed_or_periodic() const {
    if (curve_->periodic() && std::fabs(end_ - start_) >= kTwoPi - SPAresabs) return 1;
    return distance(eval_position(start_), eval_position(end_)) < SPAresabs;
}

SPAposition BOUNDED_CURVE::eval_position(double param) const {
    SPAposition p;
    curve_->eval(reversed_ ? -param : param, p);
    return p;
}

SPAvector BOUNDED_CURVE::eval_derivative(double param) const {
    SPAposition p;
    SPAvector d;
    curve_->eval(reversed_ ? -param : param, p, &d);
    return reversed_ ? -d : d;
}

void BOUNDED_CURVE::search_extent(double& low, double& high) const {
    low = start_;
    high = end_;
}

double BOUNDED_CURVE::param_nearest_to_ray(const pick_ray& ray) const {
    double low, high;
    search_extent(low, high);
    auto value = [&](double t) { return squaredDistanceToRay(eval_position(t), ray, nullptr); };
    auto slope = [&](double t) {
        SPAvector perp;
        squaredDistanceToRay(eval_position(t), ray, &perp);
        SPAvector d = eval_derivative(t);
        return dot(perp, d - dot(d, ray.direction) * ray.direction);
    };
    return curve_search::minimise(value, slope, low, high, searchSamples(*curve_),
                                  curve_->periodic());
}

void BOUNDED_CURVE::closest_point(const SPAposition& point, SPAposition& foot,
                                  double& param) const {
    double low, high;
    search_extent(low, high);
    auto value = [&](double t) {
        SPAvector w = eval_position(t) - point;
        return dot(w, w);
    };
    auto slope = [&](double t) { return dot(eval_position(t) - point, eval_derivative(t)); };
    param =
        curve_search::minimise(value, slope, low, high, searchSamples(*curve_), curve_->periodic());
    foot = eval_position(param);
}

BODY* edge_body(const EDGE* edge) {
    if (!edge || !edge->coedge()) return nullptr;
    ENTITY* owner = edge->coedge()->owner();
    if (auto* loop = dynamic_cast<LOOP*>(owner)) {
        FACE* face = loop->face();
        SHELL* shell = face ? face->shell() : nullptr;
        LUMP* lump = shell ? shell->lump() : nullptr;
        return lump ? lump->body() : nullptr;
    }
    if (auto* wire = dynamic_cast<WIRE*>(owner)) {
        ENTITY* wireOwner = wire->owner();
        if (auto* body = dynamic_cast<BODY*>(wireOwner)) return body;
        if (auto* shell = dynamic_cast<SHELL*>(wireOwner))
            return shell->lump() ? shell->lump()->body() : nullptr;
    }
    return nullptr;
}

BOUNDED_CURVE* get_bounded_curve(EDGE* edge, logical applyBodyTransform) {
    const CURVE* curve = edge ? edge->geometry() : nullptr;
    if (!curve) return nullptr;
    BOUNDED_CURVE* bounded = nullptr;
    if (is_STRAIGHT(curve))
        bounded = new BoundedLine();
    else if (is_ELLIPSE(curve))
        bounded = new BoundedArc();
    else
        bounded = new BoundedIntcurve();
    bounded->curve_ = curve;
    bounded->reversed_ = edge->reversed();
    bounded->start_ = edge->start_param();
    bounded->end_ = edge->end_param();
    BODY* body = applyBodyTransform ? edge_body(edge) : nullptr;
    if (body && body->transform()) {
        auto* copy = static_cast<CURVE*>(curve->make_copy());
        bounded->ownCopy_ = copy;
        bounded->curve_ = copy;
        try {
            copy->apply_transf(body->transform()->transform());
        } catch (...) {
            delete bounded;
            return nullptr;
        }
    }
    return bounded;
}

SPAposition edge_mid_pos(EDGE* edge, const SPAtransf* transf) {
    if (!edge) return SPAposition();
    SPAposition mid = edge->eval_position(0.5 * (edge->start_param() + edge->end_param()));
    return transf ? transf->apply(mid) : mid;
}
