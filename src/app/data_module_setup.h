#pragma once
// TdmDAXO: the data module of the run, created after the main window; its
// creation registers the data alias.
#include "platform/data_module.h"

#include <filesystem>

namespace daxo::app {

// Registers DAXOBR, then opens the session over the alias's folder. Errors
// propagate to the caller (the application's handler shows them).
void criaDmDAXO(const std::filesystem::path& programFolder);

// The data module; refuses when it could not be created.
platform::DataModule& dmDAXO();

} // namespace daxo::app
