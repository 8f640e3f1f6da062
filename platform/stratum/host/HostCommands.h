// Commands of the host driver, run against a loaded modeler.
#pragma once

#include "stratum/Modeler.h"

#include <string>

// Runs args[0] with its arguments; prints one JSON line; returns the process exit status.
int runHostCommand(CModeler& modeler, int argc, char** args);
const char* hostCommandUsage();
std::string jsonEscape(const std::string& text);
// Reads a SAT file into a host record of the given type; false with a reason when it cannot.
bool readRecord(const char* path, CDbAcisEntityData& record, std::string& error,
                CDbAcisEntityData::EType type = CDbAcisEntityData::kSolid);
