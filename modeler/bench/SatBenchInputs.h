// Inputs of the restore benchmarks: a shared sample, and a large body generated from many
// copies of a box gathered into one body's lumps.
#pragma once

#include <string>

std::string benchReadFile(const std::string& path);
// SAT 6.0 text of one body with `lumps` box lumps.
std::string benchGeneratedBody(int lumps);
// Restores the text through the bridge's stream; returns the top-level count (0 on failure),
// and deletes what it restored unless keep is set.
int benchRestore(const std::string& text);
double benchMiB(std::size_t bytes);
