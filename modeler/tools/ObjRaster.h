// A small software renderer for the OBJ files the host driver writes: facets shaded flat
// with a z-buffer, polylines drawn over them, in the host's colour indices, seen from one
// corner of the body's box; for looking at display output without a CAD program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ObjScene {
    struct Element {
        std::vector<int> points;  // 0-based
        int colour;
        bool facet;
    };
    std::vector<double> xyz;  // three per point
    std::vector<Element> elements;
};

// Reads v, f, l and "g colour_N" lines; anything else is skipped. False when nothing usable.
bool parseObj(const std::string& text, ObjScene& scene);

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // rows top to bottom
};

// Renders the scene into a picture of the given size (supersampled four times).
Picture renderScene(const ObjScene& scene, int width, int height);

// The screen colour of a host colour index (256, "by layer", a neutral grey).
void colourOfIndex(int index, std::uint8_t rgb[3]);
