// Moving spline approximations inside subtype data. The text of a definition is kept as it
// was read, so only the characters of each control point's coordinates are replaced: knots,
// weights, counted strings and layout stay byte for byte.
#include "DefinitionTransform.h"
#include "solidkernel/errors.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using kernel_errors::kUntransformableGeometry;

namespace {

struct Token {
    std::size_t begin, end;
};

std::vector<Token> scanTokens(const std::string& text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::strchr(" \t\r\n", text[i])) ++i;
        if (i >= text.size()) break;
        std::size_t j = i;
        while (j < text.size() && !std::strchr(" \t\r\n", text[j])) ++j;
        tokens.push_back({i, j});
        i = j;
    }
    return tokens;
}

// Token-by-token reading of an approximation's layout.
class Layout {
public:
    Layout(const std::string& text, const std::vector<Token>& tokens)
        : text_(text), tokens_(tokens) {}
    std::string word() {
        if (pos_ >= tokens_.size()) throw kernel_failure{kUntransformableGeometry};
        const Token& t = tokens_[pos_++];
        return text_.substr(t.begin, t.end - t.begin);
    }
    bool peekIs(const char* w) const {
        if (pos_ >= tokens_.size()) return false;
        const Token& t = tokens_[pos_];
        return text_.compare(t.begin, t.end - t.begin, w) == 0;
    }
    double number() {
        std::string w = word();
        char* end = nullptr;
        double value = std::strtod(w.c_str(), &end);
        if (end == w.c_str() || *end) throw kernel_failure{kUntransformableGeometry};
        return value;
    }
    long count(long low, long high) {
        double d = number();
        if (!(d >= low && d <= high) || d != static_cast<double>(static_cast<long>(d)))
            throw kernel_failure{kUntransformableGeometry};
        return static_cast<long>(d);
    }
    void skip() { ++pos_; }
    std::size_t pos() const { return pos_; }
    std::size_t remaining() const { return tokens_.size() - pos_; }

private:
    const std::string& text_;
    const std::vector<Token>& tokens_;
    std::size_t pos_ = 0;
};

// The knot values and multiplicities: the number of control points they imply.
long knotTotal(Layout& layout, long distinct) {
    long total = 0;
    for (long i = 0; i < distinct; ++i) {
        layout.number();
        total += layout.count(1, 64);
    }
    return total + 2;  // end knots are written once less than their multiplicity
}

bool prologue(Layout& layout, bool& rational) {
    layout.word();  // the definition's name
    if (layout.peekIs("full") || layout.peekIs("summary") || layout.peekIs("none")) layout.skip();
    std::string type = layout.word();
    rational = type == "nurbs";
    return rational || type == "nubs";
}

// Token index of each control point's first coordinate.
std::vector<std::size_t> pointTokens(Layout& layout, long points, bool rational) {
    std::size_t per = rational ? 4 : 3;
    if (points < 1 || static_cast<std::size_t>(points) > layout.remaining() / per)
        throw kernel_failure{kUntransformableGeometry};
    std::vector<std::size_t> starts;
    for (long i = 0; i < points; ++i) {
        starts.push_back(layout.pos());
        for (std::size_t k = 0; k < per; ++k) layout.number();
    }
    return starts;
}

std::vector<std::size_t> curvePoints(Layout& layout) {
    bool rational;
    if (!prologue(layout, rational)) throw kernel_failure{kUntransformableGeometry};
    long degree = layout.count(1, 25);
    layout.word();  // open, closed or periodic
    long knots = knotTotal(layout, layout.count(2, 1000000));
    return pointTokens(layout, knots - degree - 1, rational);
}

std::vector<std::size_t> surfacePoints(Layout& layout) {
    bool rational;
    if (!prologue(layout, rational)) throw kernel_failure{kUntransformableGeometry};
    long ud = layout.count(1, 25), vd = layout.count(1, 25);
    if (rational) layout.word();                // which directions are rational
    for (int i = 0; i < 4; ++i) layout.word();  // closures and singularities
    long nu = layout.count(2, 1000000), nv = layout.count(2, 1000000);
    long cu = knotTotal(layout, nu) - ud - 1;
    long cv = knotTotal(layout, nv) - vd - 1;
    if (cu < 1 || cv < 1 || cu > 1000000 / cv) throw kernel_failure{kUntransformableGeometry};
    return pointTokens(layout, cu * cv, rational);
}

std::string formatNumber(double value) {
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Definitions whose positions are all in the approximation that leads them (and in
// definitions nested in them).
enum class Kind { kCurve, kSurface, kOther };
Kind definitionKind(const std::string& name) {
    if (name == "exactcur" || name == "lawintcur") return Kind::kCurve;
    if (name == "exactsur") return Kind::kSurface;
    return Kind::kOther;
}

// Words that start analytic geometry written inline: its positions are not found here.
bool isInlineGeometry(const std::string& text, const Token& t) {
    static const char* const kWords[] = {"plane", "cone", "sphere", "torus", "straight", "ellipse"};
    for (const char* w : kWords)
        if (text.compare(t.begin, t.end - t.begin, w) == 0) return true;
    return false;
}

void rewriteApproximation(std::string& text, const SPAtransf& transf, Kind kind) {
    std::vector<Token> tokens = scanTokens(text);
    Layout layout(text, tokens);
    std::vector<std::size_t> starts =
        kind == Kind::kCurve ? curvePoints(layout) : surfacePoints(layout);
    for (std::size_t i = layout.pos(); i < tokens.size(); ++i)
        if (isInlineGeometry(text, tokens[i])) throw kernel_failure{kUntransformableGeometry};
    // Replace from the back so earlier offsets stay valid.
    for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
        const Token* xyz = &tokens[*it];
        SPAposition p(std::strtod(text.c_str() + xyz[0].begin, nullptr),
                      std::strtod(text.c_str() + xyz[1].begin, nullptr),
                      std::strtod(text.c_str() + xyz[2].begin, nullptr));
        SPAposition q = transf.apply(p);
        for (int k = 2; k >= 0; --k)
            text.replace(xyz[k].begin, xyz[k].end - xyz[k].begin, formatNumber(q.data()[k]));
    }
}

void checkTrailingText(const std::string& text) {
    for (const Token& t : scanTokens(text))
        if (isInlineGeometry(text, t)) throw kernel_failure{kUntransformableGeometry};
}

// Transforms the group opening at data[open]; returns the index after its closing brace.
std::size_t transformGroup(RawData& data, std::size_t open, const SPAtransf& transf,
                           bool parameterSpace) {
    std::size_t i = open + 1;
    if (i >= data.size() || data[i].kind != RawItem::kText)
        throw kernel_failure{kUntransformableGeometry};
    std::string& lead = data[i].text;
    std::string name = lead.substr(0, lead.find_first_of(" \t\r\n"));
    if (parameterSpace) {
        checkTrailingText(lead.substr(name.size()));
    } else {
        Kind kind = definitionKind(name);
        if (kind == Kind::kOther) throw kernel_failure{kUntransformableGeometry};
        rewriteApproximation(lead, transf, kind);
    }
    for (++i; i < data.size(); ++i) {
        switch (data[i].kind) {
            case RawItem::kText:
                checkTrailingText(data[i].text);
                break;
            case RawItem::kOpen:
                i = transformGroup(data, i, transf, false) - 1;
                break;
            case RawItem::kClose:
                return i + 1;
            case RawItem::kPointer:
                break;
        }
    }
    throw kernel_failure{kUntransformableGeometry};  // the group never closed
}

}  // namespace

void transform_definition(RawData& data, const SPAtransf& transf, bool parameterSpace) {
    RawData moved = data;
    std::size_t i = 0;
    while (i < moved.size()) {
        if (moved[i].kind == RawItem::kOpen) {
            i = transformGroup(moved, i, transf, parameterSpace);
        } else {
            if (moved[i].kind == RawItem::kText) checkTrailingText(moved[i].text);
            ++i;
        }
    }
    data.swap(moved);
}
