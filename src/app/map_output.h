#pragma once
// The map output button (bt_MapaClick): prepares the map layers for the
// current choice and opens the thematic map window modally.
#include "table_output.h"

namespace daxo::app {

void bt_MapaClick(TfrmPrincipal& window, const TableOutputInput& input);

// Makes the window's "Mapa" button run bt_MapaClick on the choices of the
// two pages.
void wireMapOutput(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                   localities::LocalityPageController& localityPage);

} // namespace daxo::app
