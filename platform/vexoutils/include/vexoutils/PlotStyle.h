// One plot style: how the objects that use it are plotted (colour, dither, grayscale, pens,
// screening, linetype, lineweight, fill, end and join). Also the colour helpers over the
// index palette, the linetype pattern texts and the byte streams a style travels in.
#pragma once

#include <string>
#include <vector>

#include "vexoutils/Types.h"
#include "vexoutils/VexoApi.h"

namespace vexo {
class StyleCodec;
}

// Byte sink for CPlotStyle::write: the bytes written so far are data()[0 .. size()).
class VEXOUTILS_API COBinStreamImp {
public:
    COBinStreamImp();
    ~COBinStreamImp();
    const unsigned char* data() const;
    unsigned long size() const;
    // False, and nothing appended, when memory runs out.
    bool writeBytes(const void* bytes, unsigned long count);

private:
    std::vector<unsigned char> bytes_;
};

// Byte source for CPlotStyle::read over memory the caller keeps alive.
class VEXOUTILS_API CIBinStreamImp {
public:
    CIBinStreamImp(const void* data, unsigned long count, unsigned long position = 0);
    // False, and nothing consumed, when fewer than `count` bytes remain.
    bool readBytes(void* out, unsigned long count);
    unsigned long position() const;
    unsigned long remaining() const;

private:
    const unsigned char* data_;
    unsigned long count_;
    unsigned long position_;
};

// A key of the file that this component does not know, kept so that it is written back:
// `text` is the entry as written at the top level (one line, or a block of lines), `after`
// the known key it followed ("" when it came first).
struct VxUnknownKey {
    std::string after;
    std::string text;
};

class VEXOUTILS_API CPlotStyle {
public:
    enum Flags : unsigned { kDither = 1, kGrayscale = 2 };
    enum : int {
        kLinetypeObject = 31,
        kLineweightObject = 0,
        kFillObject = 73,
        kEndObject = 4,
        kJoinObject = 5,
    };

    // A style that takes everything from the object: object colour, dither on, automatic
    // pens, full ink.
    CPlotStyle();

    // The name shown to users and looked up by the table (the file's localized name).
    std::string name;
    std::string description;
    unsigned flags;          // kDither | kGrayscale
    int penNumber;           // 0 automatic, 1..32
    int virtualPenNumber;    // 0 automatic, 1..255
    int screening;           // 0..100 percent ink
    int linetype;            // 0..30 built-in patterns, 31 the object's linetype
    unsigned char adaptive;  // nonzero: keep whole patterns rather than the scale
    int lineweight;          // 1-based into the table's 27 lineweights, 0 the object's
    int fillStyle;           // 64..72, 73 the object's
    int endStyle;            // 0 butt, 1 square, 2 round, 3 diamond, 4 the object's
    int joinStyle;           // 0 miter, 1 bevel, 2 round, 3 diamond, 5 the object's

    // 0x00BBGGRR, or kVxObjectColor when the style uses the object's colour.
    VxColorRef color2rgb() const;
    // rgb is 0x00RRGGBB, or -1 for the object's colour. True when the colour changed. Pure
    // white cannot be stored as an explicit colour (the file format reads it as the object
    // colour), so it is refused: false, nothing changed.
    bool updateColor(VxColorRef rgb);
    // Line breaks become spaces: the file format keeps one value per line.
    void setDesc(const char* text);

    // A self-describing, versioned byte form of the whole style.
    bool write(COBinStreamImp& out) const;
    // Replaces this style with the one in the stream; on false (truncated, foreign or newer
    // bytes) the style and the stream position are left as they were.
    bool read(CIBinStreamImp& in);

private:
    friend class vexo::StyleCodec;
    friend class CPlotStyleTable;

    int color_;                // -1 object colour, else 0x00RRGGBB
    bool wordsValid_;          // the words below were read for color_ and are kept
    std::uint32_t colorWord_;  // `color` as read
    std::uint32_t modeWord_;   // `mode_color` as read, when hasModeWord_
    bool hasModeWord_;
    std::string fileName_;    // the file's `name`; differs from name only in stock tables
    std::string nameAsRead_;  // name when read: a rename replaces fileName_ as well
    double linePatternSize_;
    std::vector<VxUnknownKey> unknown_;
};

// Index colour `index` (0..255) of g_cBasePalette as 0x00BBGGRR; black outside that range.
VEXOUTILS_API VxColorRef ACAD2rgb(int index);
// The lowest colour index 1..255 whose colour is exactly `color` (0x00BBGGRR); -1 when none.
VEXOUTILS_API int rgb2ACAD(VxColorRef color);
// The colour index 1..255 nearest to `color` (0x00BBGGRR) in RGB space; ties go to the lower.
VEXOUTILS_API int findClosestACIIdx(VxColorRef color);
// Parses a lineweight typed by a user (C-locale number, a comma accepted as decimal point)
// in inches or millimetres. True, with `value` set in the unit given, when it lies between
// 0 and 200 mm; otherwise false and `value` untouched.
VEXOUTILS_API bool checkLineWeightRange(double& value, const char* text, bool inches);

// Pattern text of each built-in linetype 0..30, for drawing a sample in a list.
extern "C" VEXOUTILS_API const char* const g_cLineTypeDesc[31];
