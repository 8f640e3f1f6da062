// Pattern text of the built-in linetypes, drawn as a sample beside each linetype's name.
// Texts starting with '_' sit on the baseline; the others are centred.
#include "vexoutils/PlotStyle.h"

extern "C" const char* const g_cLineTypeDesc[31] = {
    "________________________________",  // 0 solid
    "__ __ __ __ __ __ __ __ __ __ __",  // 1 dashed
    ". . . . . . . . . . . . . . . .",   // 2 dotted
    "__ . __ . __ . __ . __ . __ . __",  // 3 dash dot
    "_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _",   // 4 short dash
    "___ ___ ___ ___ ___ ___ ___ ___",   // 5 medium dash
    "_____ _____ _____ _____ _____",     // 6 long dash
    "_ _  _ _  _ _  _ _  _ _  _ _",      // 7 short dash x2
    "___ ___  ___ ___  ___ ___  ___",    // 8 medium dash x2
    "_____ _____  _____ _____  _____",   // 9 long dash x2
    "____ ______ ____ ______ ____",      // 10 medium long dash
    "___ _ _ ___ _ _ ___ _ _ ___ _ _",   // 11 medium dash short dash short dash
    "_____ _ _____ _ _____ _ _____",     // 12 long dash short dash
    "_____ . . _____ . . _____ . .",     // 13 long dash dot dot
    "_____ . _____ . _____ . _____",     // 14 long dash dot
    "___ . _ . ___ . _ . ___ . _ .",     // 15 medium dash dot short dash dot
    ".   .   .   .   .   .   .   .",     // 16 sparse dot
    "____ ____ ____ ____ ____ ____",     // 17 ISO dash
    "____   ____   ____   ____",         // 18 ISO dash space
    "________ . ________ . ________",    // 19 ISO long dash dot
    "________ . . ________ . . ____",    // 20 ISO long dash double dot
    "________ . . . ________ . . .",     // 21 ISO long dash triple dot
    ". . . . . . . . . . . . . . .",     // 22 ISO dot
    "________ __ ________ __ ______",    // 23 ISO long dash short dash
    "________ __ __ ________ __ __",     // 24 ISO long dash double short dash
    "____ . ____ . ____ . ____ .",       // 25 ISO dash dot
    "____ ____ . ____ ____ . ____",      // 26 ISO double dash dot
    "____ . . ____ . . ____ . .",        // 27 ISO dash double dot
    "____ ____ . . ____ ____ . .",       // 28 ISO double dash double dot
    "____ . . . ____ . . . ____",        // 29 ISO dash triple dot
    "____ ____ . . . ____ ____ . . .",   // 30 ISO double dash triple dot
};
