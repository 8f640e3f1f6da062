// A closed parameter interval of a curve or an edge. An interval whose start lies beyond its
// end is empty; negating one maps it onto the same stretch of a curve run backwards.
#pragma once

class SPAinterval {
public:
    // The empty interval.
    SPAinterval() = default;
    SPAinterval(double start, double end) : start_(start), end_(end) {}

    double start_pt() const { return start_; }
    double end_pt() const { return end_; }
    double mid_pt() const { return 0.5 * (start_ + end_); }
    double length() const { return empty() ? 0.0 : end_ - start_; }
    // Not-a-number bounds make an empty interval as well.
    bool empty() const { return !(start_ <= end_); }
    bool contains(double t) const { return !empty() && start_ <= t && t <= end_; }

    SPAinterval operator-() const { return SPAinterval(-end_, -start_); }

private:
    double start_ = 1.0;
    double end_ = 0.0;
};

// The sense of an edge along its curve, or of a coedge along its edge.
enum REVBIT { FORWARD = 0, REVERSED = 1 };
