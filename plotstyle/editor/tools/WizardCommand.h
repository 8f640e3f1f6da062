// editor-host's wizard command (WizardCommand.cpp).
#pragma once

#include <string>
#include <vector>

int wizardCommand(const std::vector<std::string>& args);
