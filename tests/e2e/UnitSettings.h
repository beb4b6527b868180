#pragma once
// Settings to put into simulated units, and checks that the editor's controls show them.
#include "editor/MainWindow.h"
#include "model/ParameterStore.h"

namespace e2e {

// Start-up defaults with the fields a settings dump carries moved to other valid values;
// variants 1, 2, 3 differ from the defaults and from one another in most of those fields.
sonavel::ParameterStore UnitSettings(int variant);

// Checks that the equalizer, crossover, input gain and invert controls of both channels
// stand where these settings put them.
void ExpectControlsShow(const sonavel::MainWindow& window, const sonavel::ParameterStore& settings);

}  // namespace e2e
