// A plot style table: colour-dependent (.ctb, one style per colour index 1..255) or named
// (.stb, styles by name, the first always "Normal", optionally with a mapping from colour
// index to style). Reads and writes the files CAD programs exchange; no exception leaves it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vexoutils/PlotStyle.h"
#include "vexoutils/Types.h"
#include "vexoutils/VexoApi.h"

namespace vexo {
class TableCodec;
}

// One pen of an older plotter configuration, by colour index: the launcher fills an array
// of 256 (entry k for colour index k; entry 0 unused) from the registry.
struct VEXOUTILS_API PenSettings {
    int pen = -1;        // physical pen 1..32; -1 or 0 = not set
    int linetype = -1;   // hardware linetype 0..30; -1 = not set (the object's)
    int speed = 0;       // pen speed; a plot style has no place for it
    double width = 0.0;  // pen width, millimetres or inches (see readFromReg); 0 = not set

#ifdef _WIN32
    // Reads the pens stored below `key`: for colour index k (1 .. count-1) the string value
    // named "k" holds "pen,linetype,speed,width" (an empty field keeps its default; a value
    // that does not parse is skipped). `inches` becomes true when the value "Units" is "I"
    // (widths in inches), false otherwise. True when at least one pen was read.
    static bool readFromReg(HKEY key, PenSettings* pens, int count, bool& inches);
#endif
};

class VEXOUTILS_API CPlotStyleTable {
public:
    enum { kLineweightCount = 27, kColorStyleCount = 255 };

    // The table in the file, or null when the file cannot be read or makes no sense.
    static CPlotStyleTable* read(const char* path);
    // The same, with a one-line reason on failure.
    static CPlotStyleTable* read(const char* path, std::string& reason);
    // The table in the bytes of a whole file, or null with a reason.
    static CPlotStyleTable* readBytes(const void* bytes, unsigned long count, std::string& reason);
    // A new table: colour-dependent with 255 object-colour styles, or named with "Normal"
    // and "Style 1". `description` may be null.
    static CPlotStyleTable* create(bool colorDependent, const char* description = nullptr);
    // A new table from the pens of an older plotter configuration (256 records by colour
    // index; widths in inches when `inches`). Pen numbers, hardware linetypes and widths
    // become the styles' physical pens, linetypes and lineweights; a named table gets one
    // style per distinct pen, and a colour mapping from each colour to its pen's style.
    // `warn` is set when a value had to be approximated or dropped. Null only when `pens`
    // is null or memory runs out.
    static CPlotStyleTable* createPlotStyleTable(bool colorDependent, bool inches,
                                                 const PenSettings* pens, bool& warn,
                                                 const char* description);
    // The same from a PCP text file (grammar in PcpFile.cpp); null when the file cannot be
    // read or does not follow it.
    static CPlotStyleTable* importPCP(const char* path, bool colorDependent, bool& warn,
                                      const char* description);

    virtual ~CPlotStyleTable();
    CPlotStyleTable(const CPlotStyleTable&) = delete;
    CPlotStyleTable& operator=(const CPlotStyleTable&) = delete;

    // Writes the file as CAD programs write it. True when the whole file was written; on
    // failure an existing file at `path` is left as it was.
    bool write(const char* path) const;
    // The whole file as bytes (empty only when memory runs out).
    std::vector<unsigned char> toBytes() const;

    int size() const;
    CPlotStyle* style(int index);
    const CPlotStyle* style(int index) const;

    // Adds a named style after `index` (at the end when `index` is out of range), copying
    // every property of `templ` but the name when given. Null for a colour-dependent table
    // and for an empty or taken name.
    CPlotStyle* addStyle(const char* name, int index, const CPlotStyle* templ);
    // Index of the style named `name` (case-insensitive), -1 when none.
    int findLocName(const char* name) const;
    // False when the name is empty or taken by another style, for the first style of a
    // named table and for colour-dependent tables (their names are fixed).
    bool renameStyle(int index, const char* name);
    // Removes a style of a named table; the first cannot be removed. Colours mapped to it
    // are mapped to the first style.
    bool deleteStyle(int index);
    // Removes the colour mapping of a named table (it is then saved as a plain named table).
    void deleteACI();
    void setDesc(const char* text);

    // Notes of the last read that did not stop it (a checksum that does not match, ...).
    const std::vector<std::string>& readNotes() const;
    // Style name mapped to colour index i+1 (named tables with a colour mapping).
    const std::vector<std::string>& colorMap() const;

    std::string description;
    double scaleFactor;
    bool applyFactor;
    int lineweightUnits;  // 1 inches, else millimetres (display only: values stay in mm)
    double lineweights[kLineweightCount];  // millimetres
    bool colorDependent;
    bool colorMapping;

private:
    friend class vexo::TableCodec;
    explicit CPlotStyleTable(bool colorDependent);

    std::vector<std::unique_ptr<CPlotStyle>> styles_;
    std::vector<std::string> aciNames_;  // 255 entries when present
    std::vector<VxUnknownKey> unknown_;
    std::vector<std::string> notes_;
};
